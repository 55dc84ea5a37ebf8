import QtQuick
import QtTest
import "../../modules/qml/V7"
import "../../modules/qml/V7/SensorCodes.js" as Codes

// What the sensor and lighting pages put on the wire: stage bytes, the rate byte, the lighting
// option byte, and which colour reads they take.
TestCase {
    name: "SensorColor"

    Model_Color_V7 { id: model }

    // Every offered value per sensor type and the byte the device expects for it.
    function test_dpiStageBytes_data() {
        const tables = [
            [[250, 0x01], [500, 0x02], [750, 0x03], [1000, 0x04], [1250, 0x05], [1500, 0x06],
             [1750, 0x07], [2000, 0x08], [2500, 0x45], [3000, 0x46], [3500, 0x47], [4000, 0x48]],
            [[500, 0x02], [1000, 0x04], [1750, 0x07], [2000, 0x08], [2500, 0x0A], [3000, 0x0C],
             [3500, 0x0E], [4000, 0x48], [5000, 0x4A], [6000, 0x4C], [7000, 0x4E]],
            [[250, 0x02], [500, 0x04], [750, 0x06], [1000, 0x08], [1250, 0x0A], [1500, 0x46],
             [1750, 0x47], [2000, 0x48], [2500, 0x4A], [2750, 0x4B]],
            [[600, 0x05], [800, 0x07], [1000, 0x09], [1200, 0x0B], [1600, 0x0F], [2000, 0x13],
             [2400, 0x17], [2800, 0x1B], [3200, 0x1F], [3600, 0x23], [4000, 0x27], [4500, 0x2C],
             [5000, 0x31], [6000, 0x5D], [7000, 0x62], [8000, 0x67], [10000, 0x71]]
        ]
        const rows = []
        for (let t = 0; t < tables.length; ++t)
            rows.push({ tag: "type " + t, type: t, table: tables[t] })
        return rows
    }
    function test_dpiStageBytes(data) {
        compare(Codes.dpiValues(data.type), data.table.map(e => e[0]), "offered values")
        for (const [dpi, stage] of data.table) {
            compare(Codes.stageByte(data.type, dpi), stage, dpi + " DPI")
            compare(Codes.displayedDpi(data.type, stage), dpi, "shown for 0x" + stage.toString(16))
            // Profiles hand the values back as text.
            compare(Codes.stageByte(data.type, String(dpi)), stage, dpi + " DPI as text")
        }
    }

    function test_unofferedValueDisablesTheStage_data() {
        return [{ tag: "between steps", type: 0, dpi: 300 }, { tag: "above", type: 0, dpi: 8000 },
                { tag: "another sensor's value", type: 1, dpi: 250 }, { tag: "off", type: 3, dpi: 0 },
                { tag: "unknown sensor reads as type 0", type: 9, dpi: 600 }]
    }
    function test_unofferedValueDisablesTheStage(data) {
        compare(Codes.stageByte(data.type, data.dpi), 0x80)
        compare(Codes.displayedDpi(data.type, 0x80), 0)
        compare(Codes.stageBytes(data.type, [data.dpi]),
                [0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80])
    }

    // Each polling rate's byte both ways; a stored byte reads back by its lowest bit, clamped.
    function test_pollingRate() {
        const bytes = [0x08, 0x04, 0x02, 0x01]
        for (let i = 0; i < 4; ++i) {
            compare(Codes.rateByte(i), bytes[i])
            compare(Codes.rateIndex(bytes[i]), i)
        }
        for (const [rate, index] of [[0x06, 2], [0x10, 0], [0x80, 0], [0, 2], ["4", 1]])
            compare(Codes.rateIndex(rate), index, "read back " + rate)
    }

    // option1 for steps 0..7; the step the effect ignores is set to something else on purpose.
    function test_lightingOption_data() {
        return [
            { tag: "static by brightness", effect: 1, expected: [1, 2, 4, 5, 6, 7, 9, 10] },
            { tag: "breathing by speed", effect: 2, expected: [5, 4, 4, 3, 3, 2, 2, 1] },
            { tag: "neon by speed", effect: 3, expected: [1, 5, 9, 13, 18, 22, 26, 30] },
            { tag: "off keeps the last byte", effect: 0, expected: [6, 6, 6, 6, 6, 6, 6, 6] }
        ]
    }
    function test_lightingOption(data) {
        const got = []
        for (let step = 0; step < 8; ++step) {
            const brightness = data.effect === 1 ? step : 7 - step
            const speed = data.effect === 1 ? 7 - step : step
            got.push(model.option1(data.effect, brightness, speed, 6))
        }
        compare(got, data.expected)
    }

    function test_colourReads_data() {
        const rgb = Array.from({ length: 24 }, (_, i) => String(i * 10))
        return [{ tag: "eight triples", list: rgb, taken: true }, { tag: "empty", list: [], taken: false },
                { tag: "one short", list: rgb.slice(1), taken: false },
                { tag: "one long", list: rgb.concat(["7"]), taken: false },
                { tag: "colour numbers", list: rgb.slice(0, 8), taken: false }]
    }
    function test_colourReads(data) {
        model.colors = model.defaultColors.slice()
        const before = model.toRgb()
        compare(model.acceptRgb(data.list), data.taken)
        compare(model.toRgb(), data.taken ? data.list.map(Number) : before)
    }

    function test_effectReads_data() {
        return [
            { tag: "stored as text", list: ["3", "4", "5"], taken: true, expected: [3, 4, 5] },
            { tag: "out of range clamps", list: [9, -1, 12], taken: true, expected: [3, 0, 7] },
            { tag: "too short", list: [1, 2], taken: false, expected: [2, 7, 7] },
            { tag: "too long", list: [1, 2, 3, 4], taken: false, expected: [2, 7, 7] }
        ]
    }
    function test_effectReads(data) {
        model.effect = 2
        model.brightness = 7
        model.speed = 7
        compare(model.acceptEffect(data.list), data.taken)
        compare([model.effect, model.brightness, model.speed], data.expected)
    }
}
