import QtQuick
import "../basic"

// The four bytes of a button assignment, as the button page edits them: what each menu row
// encodes to, how stored bytes decode back to the menus, and the table-wide rules (free macro
// slots, the last left button). No device calls here: the page reads and sends.
QtObject {
    id: model

    property KeyCodeString keys: KeyCodeString {}

    // Function types, in the order the page offers them.
    readonly property int typeMouse: 0
    readonly property int typeKey: 1
    readonly property int typeCombo: 2
    readonly property int typeMedia: 3
    readonly property int typeMacro: 4
    readonly property int typeFire: 5
    readonly property int typeWeapon: 6
    readonly property int typeLight: 7
    readonly property int typeOff: 8
    readonly property int typeCount: 9
    // Bytes no menu produces; shown, kept, never written by the page.
    readonly property int typeUnknown: -1

    readonly property var leftButton: [0x01, 0, 0xF0, 0]

    // Mouse menu rows 0..10: five buttons, triple click, DPI + / − / switch, scroll up / down.
    readonly property var mouseMenu: [
        [0x01, 0, 0xF0, 0], [0x01, 0, 0xF1, 0], [0x01, 0, 0xF2, 0], [0x01, 0, 0xF3, 0],
        [0x01, 0, 0xF4, 0], [0x0A, 0xF0, 0x21, 0x03], [0x07, 0, 0x01, 0], [0x07, 0, 0x02, 0],
        [0x07, 0, 0x03, 0], [0x04, 0, 0x01, 0], [0x04, 0, 0x02, 0]
    ]

    // Consumer usages [low, high]: next, previous, stop, play/pause, mute, volume + / −, media
    // select, mail, calculator, my computer, WWW search / home / back / forward / stop / refresh /
    // favorites.
    readonly property var mediaKeys: [
        [0xB5, 0], [0xB6, 0], [0xB7, 0], [0xCD, 0], [0xE2, 0], [0xE9, 0], [0xEA, 0],
        [0x83, 1], [0x8A, 1], [0x92, 1], [0x94, 1],
        [0x21, 2], [0x23, 2], [0x24, 2], [0x25, 2], [0x26, 2], [0x27, 2], [0x2A, 2]
    ]

    readonly property int weaponChoices: 3 // loop switch, two-weapon loop, three-weapon loop
    readonly property int playModes: 3
    readonly property int macroSlots: 12
    readonly property int fireSteps: 8 // speed steps 0..7

    // ---- rows to bytes -------------------------------------------------------------------

    function encodeMouse(row) { return mouseMenu[row].slice() }
    function encodeKey(usage) { return [0x00, 0, usage & 0xFF, 0] }
    // modifier 1..8: L Ctrl, L Shift, L Alt, L Win, R Ctrl, R Shift, R Alt, R Win; 0 none.
    function encodeCombo(modifier, key1, key2) {
        return [0x00, modifier > 0 ? (0x01 << (modifier - 1)) & 0xFF : 0, key1 & 0xFF, key2 & 0xFF]
    }
    function encodeMedia(row) { return [0x03, 0, mediaKeys[row][0], mediaKeys[row][1]] }
    function encodeWeapon(choice) { return [0x08, 0, 0x01, 4 + choice] }
    function encodeMacro(playMode, slot) { return [0x09, playMode, slot, 0] }
    function encodeFire(key, speed, count) {
        return [0x0A, key & 0xFF, fireInterval(speed), Math.max(0, Math.min(255, count))]
    }
    function encodeLight() { return [0x0B, 0, 0, 0] }
    function encodeOff() { return [0x00, 0, 0, 0] }

    // Faster steps repeat sooner: step 7 → 10, step 0 → 255.
    function fireInterval(speed) {
        return (7 - Math.max(0, Math.min(7, speed))) * 35 + 10
    }
    function fireSpeed(interval) {
        const ms = Math.max(10, Number(interval))
        return Math.max(0, Math.min(7, 7 - Math.round((ms - 10) / 35)))
    }

    // An edited row (as decode returns it) back to bytes.
    function encode(row) {
        switch (row.type) {
        case typeMouse: return encodeMouse(row.index)
        case typeKey: return encodeKey(row.key1)
        case typeCombo: return encodeCombo(row.modifier, row.key1, row.key2)
        case typeMedia: return encodeMedia(row.index)
        case typeMacro: return encodeMacro(row.playMode, row.macroSlot)
        case typeFire: return encodeFire(row.key1, row.speed, row.count)
        case typeWeapon: return encodeWeapon(row.index)
        case typeLight: return encodeLight()
        case typeOff: return encodeOff()
        }
        return row.bytes.slice()
    }

    // ---- bytes to rows -------------------------------------------------------------------

    function row(type) {
        return { type: type, index: -1, key1: 0, key2: 0, modifier: 0, playMode: 0, macroSlot: 0,
                 speed: 0, interval: 0, count: 0, bytes: [] }
    }

    function same(a, b) {
        for (let i = 0; i < 4; ++i)
            if (Number(a[i]) !== Number(b[i]))
                return false
        return true
    }

    function decode(code) {
        const b = []
        for (let i = 0; i < 4; ++i)
            b.push(Number(code[i]) & 0xFF)
        let r
        for (let i = 0; i < mouseMenu.length; ++i) {
            if (same(b, mouseMenu[i])) {
                r = row(typeMouse)
                r.index = i
                r.bytes = b
                return r
            }
        }
        switch (b[0]) {
        case 0x00:
            if (b[1] === 0 && b[2] === 0 && b[3] === 0) {
                r = row(typeOff)
            } else if (b[1] === 0 && b[3] === 0) {
                r = row(typeKey)
                r.key1 = b[2]
            } else {
                r = row(typeCombo)
                r.modifier = keys.logByte(b[1])
                r.key1 = b[2]
                r.key2 = b[3]
            }
            break
        case 0x03:
            r = row(typeUnknown)
            for (let i = 0; i < mediaKeys.length; ++i) {
                if (mediaKeys[i][0] === b[2] && mediaKeys[i][1] === b[3]) {
                    r = row(typeMedia)
                    r.index = i
                }
            }
            break
        case 0x08:
            r = row(b[3] >= 4 && b[3] < 4 + weaponChoices ? typeWeapon : typeUnknown)
            r.index = b[3] - 4
            break
        case 0x09:
            r = row(b[2] >= 1 && b[2] <= macroSlots ? typeMacro : typeUnknown)
            r.playMode = Math.min(b[1], playModes - 1)
            r.macroSlot = b[2]
            break
        case 0x0A:
            r = row(typeFire)
            r.key1 = b[1]
            r.interval = Math.max(10, b[2])
            r.speed = fireSpeed(b[2])
            r.count = b[3]
            break
        case 0x0B:
            r = row(typeLight)
            break
        default:
            r = row(typeUnknown)
        }
        r.bytes = b
        return r
    }

    // ---- the table of 16 slots (64 numbers) ----------------------------------------------

    function slot(table, i) {
        const c = []
        for (let k = 0; k < 4; ++k)
            c.push(Number(table[4 * i + k]))
        return c
    }

    function withSlot(table, i, code) {
        const t = table.slice()
        for (let k = 0; k < 4; ++k)
            t[4 * i + k] = Number(code[k])
        return t
    }

    // Device macro slots (1..12) that buttons other than `except` play.
    function macroSlotsInUse(table, except) {
        const used = []
        for (let i = 0; i < table.length / 4; ++i) {
            const c = slot(table, i)
            if (i !== except && c[0] === 0x09 && c[2] >= 1 && c[2] <= macroSlots)
                used.push(c[2])
        }
        return used
    }

    // Lowest device macro index 0..11 that no other button uses; −1 when all twelve are taken.
    function freeMacroIndex(table, except) {
        const used = macroSlotsInUse(table, except)
        for (let index = 0; index < macroSlots; ++index)
            if (used.indexOf(index + 1) < 0)
                return index
        return -1
    }

    // The device index a macro gets when bound to button `at`: its own if it has one, otherwise
    // the lowest free one (−1: none left, nothing may be bound).
    function macroIndexFor(table, at, config) {
        const own = config && config.length > 0 ? Number(config[0]) : -1
        return own >= 0 && own < macroSlots ? own : freeMacroIndex(table, at)
    }

    // True when button `at` is the only one that still clicks left.
    function isLastLeftButton(table, at) {
        if (!same(slot(table, at), leftButton))
            return false
        for (let i = 0; i < table.length / 4; ++i)
            if (i !== at && same(slot(table, i), leftButton))
                return false
        return true
    }

    // Whether button `at` may take `code`: losing the last left click needs ask() to say yes.
    function mayChange(table, at, code, ask) {
        if (same(slot(table, at), code) || !isLastLeftButton(table, at))
            return true
        return ask() === true
    }
}
