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
        const rows = [
            { tag: "left", bytes: [0x01, 0, 0xF0, 0], type: T.typeMouse, index: 0 },
            { tag: "right", bytes: [0x01, 0, 0xF1, 0], type: T.typeMouse, index: 1 },
            { tag: "middle", bytes: [0x01, 0, 0xF2, 0], type: T.typeMouse, index: 2 },
            { tag: "backward", bytes: [0x01, 0, 0xF3, 0], type: T.typeMouse, index: 3 },
            { tag: "forward", bytes: [0x01, 0, 0xF4, 0], type: T.typeMouse, index: 4 },
            { tag: "triple click", bytes: [0x0A, 0xF0, 0x21, 0x03], type: T.typeMouse, index: 5 },
            { tag: "DPI +", bytes: [0x07, 0, 0x01, 0], type: T.typeMouse, index: 6 },
            { tag: "DPI -", bytes: [0x07, 0, 0x02, 0], type: T.typeMouse, index: 7 },
            { tag: "DPI switch", bytes: [0x07, 0, 0x03, 0], type: T.typeMouse, index: 8 },
            { tag: "scroll up", bytes: [0x04, 0, 0x01, 0], type: T.typeMouse, index: 9 },
            { tag: "scroll down", bytes: [0x04, 0, 0x02, 0], type: T.typeMouse, index: 10 },
            { tag: "key A", bytes: [0x00, 0, 0x04, 0], type: T.typeKey, key1: 0x04 },
            { tag: "key R Win", bytes: [0x00, 0, 0xE7, 0], type: T.typeKey, key1: 0xE7 },
            { tag: "L Ctrl+C", bytes: [0x00, 0x01, 0x06, 0], type: T.typeCombo, modifier: 1,
              key1: 0x06 },
            { tag: "R Win+A+B", bytes: [0x00, 0x80, 0x04, 0x05], type: T.typeCombo, modifier: 8,
              key1: 0x04, key2: 0x05 },
            { tag: "L Alt alone", bytes: [0x00, 0x04, 0, 0], type: T.typeCombo, modifier: 3 },
            { tag: "two keys", bytes: [0x00, 0, 0x04, 0x05], type: T.typeCombo, modifier: 0,
              key1: 0x04, key2: 0x05 },
            { tag: "off", bytes: [0, 0, 0, 0], type: T.typeOff },
            { tag: "next track", bytes: [0x03, 0, 0xB5, 0], type: T.typeMedia, index: 0 },
            { tag: "previous track", bytes: [0x03, 0, 0xB6, 0], type: T.typeMedia, index: 1 },
            { tag: "stop", bytes: [0x03, 0, 0xB7, 0], type: T.typeMedia, index: 2 },
            { tag: "play/pause", bytes: [0x03, 0, 0xCD, 0], type: T.typeMedia, index: 3 },
            { tag: "mute", bytes: [0x03, 0, 0xE2, 0], type: T.typeMedia, index: 4 },
            { tag: "volume up", bytes: [0x03, 0, 0xE9, 0], type: T.typeMedia, index: 5 },
            { tag: "volume down", bytes: [0x03, 0, 0xEA, 0], type: T.typeMedia, index: 6 },
            { tag: "media select", bytes: [0x03, 0, 0x83, 1], type: T.typeMedia, index: 7 },
            { tag: "mail", bytes: [0x03, 0, 0x8A, 1], type: T.typeMedia, index: 8 },
            { tag: "calculator", bytes: [0x03, 0, 0x92, 1], type: T.typeMedia, index: 9 },
            { tag: "my computer", bytes: [0x03, 0, 0x94, 1], type: T.typeMedia, index: 10 },
            { tag: "WWW search", bytes: [0x03, 0, 0x21, 2], type: T.typeMedia, index: 11 },
            { tag: "WWW home", bytes: [0x03, 0, 0x23, 2], type: T.typeMedia, index: 12 },
            { tag: "WWW back", bytes: [0x03, 0, 0x24, 2], type: T.typeMedia, index: 13 },
            { tag: "WWW forward", bytes: [0x03, 0, 0x25, 2], type: T.typeMedia, index: 14 },
            { tag: "WWW stop", bytes: [0x03, 0, 0x26, 2], type: T.typeMedia, index: 15 },
            { tag: "WWW refresh", bytes: [0x03, 0, 0x27, 2], type: T.typeMedia, index: 16 },
            { tag: "WWW favorites", bytes: [0x03, 0, 0x2A, 2], type: T.typeMedia, index: 17 },
            { tag: "loop switch", bytes: [0x08, 0, 0x01, 4], type: T.typeWeapon, index: 0 },
            { tag: "two-weapon loop", bytes: [0x08, 0, 0x01, 5], type: T.typeWeapon, index: 1 },
            { tag: "three-weapon loop", bytes: [0x08, 0, 0x01, 6], type: T.typeWeapon, index: 2 },
            { tag: "macro 1 mode 0", bytes: [0x09, 0, 1, 0], type: T.typeMacro, playMode: 0,
              macroSlot: 1 },
            { tag: "macro 12 mode 2", bytes: [0x09, 2, 12, 0], type: T.typeMacro, playMode: 2,
              macroSlot: 12 },
            { tag: "fire MS-R step 5 x3", bytes: [0x0A, 0xF1, 80, 3], type: T.typeFire,
              key1: 0xF1, speed: 5, count: 3 },
            { tag: "fire key Space step 0 x255", bytes: [0x0A, 0x2C, 255, 255], type: T.typeFire,
              key1: 0x2C, speed: 0, count: 255 },
            { tag: "fire MS-L step 7 x1", bytes: [0x0A, 0xF0, 10, 1], type: T.typeFire,
              key1: 0xF0, speed: 7, count: 1 },
            { tag: "lighting switch", bytes: [0x0B, 0, 0, 0], type: T.typeLight }
        ]
        return rows
    }

    function test_roundTrip(data) {
        const r = model.decode(data.bytes.map(String)) // the profile hands back strings
        compare(r.type, data.type)
        for (const field of ["index", "key1", "key2", "modifier", "playMode", "macroSlot",
                             "speed", "count"]) {
            if (data[field] !== undefined)
                compare(r[field], data[field], field)
        }
        compare(model.encode(r), data.bytes)
    }

    function test_rowEncoders() {
        compare(model.encodeCombo(5, 0x04, 0), [0, 0x10, 0x04, 0])
        compare(model.encodeMedia(17), [0x03, 0, 0x2A, 2])
        compare(model.encodeWeapon(2), [0x08, 0, 1, 6])
        compare(model.encodeMacro(1, 12), [0x09, 1, 12, 0])
        compare(model.encodeFire(0xF3, 4, 10), [0x0A, 0xF3, 115, 10])
    }

    function test_fireInterval_data() {
        const intervals = [255, 220, 185, 150, 115, 80, 45, 10]
        const rows = []
        for (let s = 0; s < 8; ++s)
            rows.push({ tag: "step " + s, step: s, interval: intervals[s] })
        return rows
    }
    function test_fireInterval(data) {
        compare(model.fireInterval(data.step), data.interval)
        compare(model.fireSpeed(data.interval), data.step)
    }

    function test_fireIntervalBelowTenReadsAsTen_data() {
        return [{ tag: "0", v: 0 }, { tag: "1", v: 1 }, { tag: "9", v: 9 }]
    }
    function test_fireIntervalBelowTenReadsAsTen(data) {
        const r = model.decode([0x0A, 0x04, data.v, 2])
        compare(r.interval, 10)
        compare(r.speed, 7)
        compare(model.encode(r), [0x0A, 0x04, 10, 2])
    }

    function test_logByte_data() {
        return [{ tag: "0", b: 0, n: 0 }, { tag: "1", b: 1, n: 1 }, { tag: "0x08", b: 8, n: 4 },
                { tag: "0x80", b: 0x80, n: 8 }, { tag: "0x06", b: 6, n: 2 },
                { tag: "0xF0", b: 0xF0, n: 5 }]
    }
    function test_logByte(data) {
        compare(keys.logByte(data.b), data.n)
    }

    function test_macroIndex_data() {
        const m = (s) => [0x09, 0, s, 0]
        return [
            { tag: "none used", codes: [], at: 0, config: [-1, 1], index: 0 },
            { tag: "gap", codes: [m(1), m(2), m(4)], at: 5, config: [-1, 1], index: 2 },
            { tag: "own index kept", codes: [m(1)], at: 5, config: [7, 1], index: 7 },
            { tag: "own slot is free to reuse", codes: [m(1), m(2)], at: 0, config: [-1, 3],
              index: 0 },
            { tag: "thirteenth", codes: [m(1), m(2), m(3), m(4), m(5), m(6), m(7), m(8), m(9),
                                         m(10), m(11), m(12)], at: 12, config: [-1, 1],
              index: -1 },
            { tag: "twelve used, replacing one", codes: [m(1), m(2), m(3), m(4), m(5), m(6),
                                                         m(7), m(8), m(9), m(10), m(11), m(12)],
              at: 4, config: [-1, 1], index: 4 },
            { tag: "macro bytes elsewhere ignored", codes: [[0x0A, 0, 1, 0], [0x00, 0, 1, 0]],
              at: 5, config: [], index: 0 }
        ]
    }
    function test_macroIndex(data) {
        compare(model.macroIndexFor(table(data.codes), data.at, data.config), data.index)
    }

    function test_safetyQuestion_data() {
        const L = [1, 0, 0xF0, 0], R = [1, 0, 0xF1, 0]
        return [
            { tag: "last left, yes", codes: [L, R], at: 0, code: R, answer: true, asked: 1,
              ok: true },
            { tag: "last left, no", codes: [L, R], at: 0, code: [0, 0, 0, 0], answer: false,
              asked: 1, ok: false },
            { tag: "last left, same code", codes: [L, R], at: 0, code: L, answer: false, asked: 0,
              ok: true },
            { tag: "another left remains", codes: [L, L], at: 0, code: R, answer: false,
              asked: 0, ok: true },
            { tag: "not the left button", codes: [L, R], at: 1, code: L, answer: false,
              asked: 0, ok: true },
            { tag: "left moved elsewhere", codes: [R, L], at: 1, code: R, answer: false,
              asked: 1, ok: false }
        ]
    }
    function test_safetyQuestion(data) {
        let asked = 0
        const t = table(data.codes)
        const ok = model.mayChange(t, data.at, data.code, function () {
            ++asked
            return data.answer
        })
        compare(asked, data.asked)
        compare(ok, data.ok)
    }
}
