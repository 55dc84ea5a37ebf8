import QtQuick
import QtTest
import "../../modules/qml/basic"
import "../../modules/qml/V7"

// Button assignments: the bytes every menu row sends, and the way stored bytes come back.
TestCase {
    name: "KeyDefine"

    KeyCodeString { id: keys }
    Model_KeyDefine_V7 { id: model; keys: keys }

    function table(codes) {
        let t = []
        for (let i = 0; i < 16; ++i)
            t = t.concat(i < codes.length ? codes[i] : [0, 0, 0, 0])
        return t
    }

    function test_roundTrip_data() {
        const T = model
        const rows = []
        // The mouse menu and the media menu, in menu order.
        const mouse = [[1, 0, 0xF0, 0], [1, 0, 0xF1, 0], [1, 0, 0xF2, 0], [1, 0, 0xF3, 0],
                       [1, 0, 0xF4, 0], [0x0A, 0xF0, 0x21, 3], [7, 0, 1, 0], [7, 0, 2, 0],
                       [7, 0, 3, 0], [4, 0, 1, 0], [4, 0, 2, 0]]
        mouse.forEach((b, i) => rows.push({ tag: "mouse " + i, bytes: b, type: T.typeMouse, index: i }))
        const media = [[0xB5, 0], [0xB6, 0], [0xB7, 0], [0xCD, 0], [0xE2, 0], [0xE9, 0], [0xEA, 0],
                       [0x83, 1], [0x8A, 1], [0x92, 1], [0x94, 1], [0x21, 2], [0x23, 2], [0x24, 2],
                       [0x25, 2], [0x26, 2], [0x27, 2], [0x2A, 2]]
        media.forEach((m, i) => rows.push({ tag: "media " + i, bytes: [3, 0, m[0], m[1]],
                                            type: T.typeMedia, index: i }))
        for (let i = 0; i < 3; ++i)
            rows.push({ tag: "weapon " + i, bytes: [8, 0, 1, 4 + i], type: T.typeWeapon, index: i })
        return rows.concat([
            { tag: "key A", bytes: [0, 0, 0x04, 0], type: T.typeKey, key1: 0x04 },
            { tag: "key R Win", bytes: [0, 0, 0xE7, 0], type: T.typeKey, key1: 0xE7 },
            { tag: "L Ctrl+C", bytes: [0, 0x01, 0x06, 0], type: T.typeCombo, modifier: 1, key1: 6 },
            { tag: "R Win+A+B", bytes: [0, 0x80, 4, 5], type: T.typeCombo, modifier: 8, key1: 4,
              key2: 5 },
            { tag: "L Alt alone", bytes: [0, 0x04, 0, 0], type: T.typeCombo, modifier: 3 },
            { tag: "two keys", bytes: [0, 0, 4, 5], type: T.typeCombo, modifier: 0, key1: 4, key2: 5 },
            { tag: "off", bytes: [0, 0, 0, 0], type: T.typeOff },
            { tag: "macro 12 mode 2", bytes: [9, 2, 12, 0], type: T.typeMacro, playMode: 2,
              macroSlot: 12 },
            { tag: "fire MS-R step 5 x3", bytes: [0x0A, 0xF1, 80, 3], type: T.typeFire, key1: 0xF1,
              speed: 5, count: 3 },
            { tag: "fire Space step 0 x255", bytes: [0x0A, 0x2C, 255, 255], type: T.typeFire,
              key1: 0x2C, speed: 0, count: 255 },
            { tag: "fire MS-L step 7 x1", bytes: [0x0A, 0xF0, 10, 1], type: T.typeFire, key1: 0xF0,
              speed: 7, count: 1 },
            { tag: "lighting switch", bytes: [0x0B, 0, 0, 0], type: T.typeLight }
        ])
    }

    function test_roundTrip(data) {
        const r = model.decode(data.bytes.map(String)) // the profile hands back strings
        compare(r.type, data.type)
        for (const field of ["index", "key1", "key2", "modifier", "playMode", "macroSlot", "speed",
                             "count"]) {
            if (data[field] !== undefined)
                compare(r[field], data[field], field)
        }
        compare(model.encode(r), data.bytes)
    }

    // A play mode and a fire step the round trip lacks; a stored modifier byte with several
    // bits, and a fire interval below 10, come back as the page shows them.
    function test_rowEncoders() {
        compare(model.encodeMacro(1, 12), [0x09, 1, 12, 0])
        compare(model.encodeFire(0xF3, 4, 10), [0x0A, 0xF3, 115, 10])
        for (const [b, n] of [[0, 0], [1, 1], [8, 4], [0x80, 8], [6, 2], [0xF0, 5]])
            compare(keys.logByte(b), n, "modifier byte " + b)
        for (const v of [0, 1, 9]) {
            const r = model.decode([0x0A, 0x04, v, 2])
            compare([r.interval, r.speed], [10, 7])
            compare(model.encode(r), [0x0A, 0x04, 10, 2])
        }
    }

    function test_macroIndex_data() {
        const m = (s) => [0x09, 0, s, 0]
        const twelve = Array.from({ length: 12 }, (_, i) => m(i + 1))
        return [
            { tag: "gap", codes: [m(1), m(2), m(4)], at: 5, config: [-1, 1], index: 2 },
            { tag: "own index kept", codes: [m(1)], at: 5, config: [7, 1], index: 7 },
            { tag: "own slot is free to reuse", codes: [m(1), m(2)], at: 0, config: [-1, 3], index: 0 },
            { tag: "twelve used, replacing one", codes: twelve, at: 4, config: [-1, 1], index: 4 },
            { tag: "macro bytes elsewhere ignored", codes: [[0x0A, 0, 1, 0], [0x00, 0, 1, 0]], at: 5,
              config: [], index: 0 }
        ]
    }
    function test_macroIndex(data) {
        compare(model.macroIndexFor(table(data.codes), data.at, data.config), data.index)
    }

    // Taking the left button's last click away asks first.
    function test_safetyQuestion_data() {
        const L = [1, 0, 0xF0, 0], R = [1, 0, 0xF1, 0]
        return [
            { tag: "last left, yes", codes: [L, R], at: 0, code: R, answer: true, asked: 1, ok: true },
            { tag: "last left, same code", codes: [L, R], at: 0, code: L, answer: false, asked: 0,
              ok: true },
            { tag: "another left remains", codes: [L, L], at: 0, code: R, answer: false, asked: 0,
              ok: true },
            { tag: "not the left button", codes: [L, R], at: 1, code: L, answer: false, asked: 0,
              ok: true },
            { tag: "left moved elsewhere", codes: [R, L], at: 1, code: R, answer: false, asked: 1,
              ok: false }
        ]
    }
    function test_safetyQuestion(data) {
        let asked = 0
        const ok = model.mayChange(table(data.codes), data.at, data.code, function () {
            ++asked
            return data.answer
        })
        compare([asked, ok], [data.asked, data.ok])
    }
}
