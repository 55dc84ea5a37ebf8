import QtQuick
import QtTest
import "../../modules/qml/V7"
import "../../modules/qml/V7/SensorCodes.js" as Codes

// What the sensor and lighting pages put on the wire: stage bytes, the rate byte, the lighting
// option byte, and which colour reads they take.
TestCase {
    name: "SensorColor"

    Model_Color_V7 { id: model }

    // Each offered value's byte reads back as that value (bit 6 doubles the steps); profiles
    // hand the values back as text. Anything else disables the stage; unknown sensors are type 0.
    function test_dpiStageBytes() {
        for (let t = 0; t < 4; ++t) {
            for (const dpi of Codes.dpiValues(t))
                compare(Codes.displayedDpi(t, Codes.stageByte(t, String(dpi))), dpi, t + ": " + dpi)
        }
        const picks = [[0, 250], [0, 2500], [1, 7000], [2, 250], [2, 2750], [3, 600], [3, 10000],
                       [0, 300], [1, 250], [9, 600], [9, 4000]]
        compare(picks.map(p => Codes.stageByte(p[0], p[1])),
                [0x01, 0x45, 0x4E, 0x02, 0x4B, 0x05, 0x71, 0x80, 0x80, 0x80, 0x48])
        compare(Codes.displayedDpi(0, 0x80), 0)
        compare(Codes.stageBytes(0, [500]), [0x02, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80])
    }

    // The page runs send the bytes of 125 and 500 Hz; a stored byte reads back by its lowest
    // bit, clamped.
    function test_pollingRate() {
        compare([Codes.rateByte(1), Codes.rateByte(3)], [0x04, 0x01])
        for (const [rate, index] of [[0x01, 3], [0x04, 1], [0x06, 2], [0x10, 0], [0x80, 0], [0, 2],
                                     ["4", 1]])
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
        return [{ tag: "one short", list: rgb.slice(1), taken: false },
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
