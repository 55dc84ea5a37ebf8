import QtQuick

// Key names as the pages show them and as Macro Scripts store them, with their one-byte codes:
// USB HID usages of the keyboard page, and 0xF0..0xF4 for the five mouse buttons. The names must
// equal the native key name map character for character, or recorded lines are dropped when a
// macro is encoded ("KP 7 " keeps its trailing space, 0x88 is "Intl'2" while 0x89 is "Int'l 2").
QtObject {
    id: keys

    // Runs of consecutive codes: [first code, names...].
    readonly property var keyboardRuns: [
        [0x04, "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
         "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"],
        [0x1E, "1", "2", "3", "4", "5", "6", "7", "8", "9", "0"],
        [0x28, "Enter", "Esc", "Back", "Tab", "Space", "- _", "= +", "[ {", "] }", "\\ |"],
        [0x33, "; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps"],
        [0x3A, "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"],
        [0x46, "Prt", "Scr", "Pau", "Ins", "Hom", "PgU", "Del", "End", "PgD"],
        [0x4F, "\u25BA", "\u25C4", "\u25BC", "\u25B2", "Num"],
        [0x54, "KP /", "KP *", "KP -", "KP +", "KP Enter", "KP 1", "KP 2", "KP 3", "KP 4", "KP 5",
         "KP 6", "KP 7 ", "KP 8", "KP 9", "KP 0", "KP ."],
        [0x64, "Eur 2", "App", "Power", "KP ="],
        [0x68, "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"],
        [0x85, "Keypad"],
        [0x87, "Int'l 1", "Intl'2", "Int'l 2", "Int'l 4", "Int'l 5"],
        [0x90, "Lang 1", "Lang 2"],
        [0xE0, "L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"]
    ]
    readonly property var mouseRuns: [[0xF0, "MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"]]

    // The two pairs of tables: name → code and code → name.
    readonly property var keyCodes: tables(keyboardRuns).codes
    readonly property var keyNames: tables(keyboardRuns).names
    readonly property var mouseCodes: tables(mouseRuns).codes
    readonly property var mouseNames: tables(mouseRuns).names

    function tables(runs) {
        const codes = {}
        const names = {}
        for (const run of runs) {
            for (let i = 1; i < run.length; ++i) {
                codes[run[i]] = run[0] + i - 1
                names[run[0] + i - 1] = run[i]
            }
        }
        return { codes: codes, names: names }
    }

    // Own entries only, so "toString" and friends are no key names.
    function lookup(table, key, missing) {
        return table.hasOwnProperty(key) ? table[key] : missing
    }

    // 0 when the name is unknown, like the native map.
    function strTokeycode(name) {
        return lookup(keyCodes, String(name), 0)
    }

    // "" when the code has no name.
    function keycodeTostr(code) {
        return lookup(keyNames, Number(code), "")
    }

    function strTomousecode(name) {
        return lookup(mouseCodes, String(name), 0)
    }

    function mousecodeTostr(code) {
        return lookup(mouseNames, Number(code), "")
    }

    // 1-based position of the lowest set bit; 0 for 0.
    function logByte(b) {
        b = Number(b) & 0xFF
        if (b === 0)
            return 0
        let n = 1
        while ((b & 1) === 0) {
            b >>= 1
            ++n
        }
        return n
    }
}
