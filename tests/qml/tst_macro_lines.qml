import QtQuick
import QtTest
import "../../modules/qml/V7/MacroLines.js" as MacroLines

// The macro editor's lines: the exact strings the store and the encoder read back, where new
// lines go, and what the recorder makes of captured keys.
TestCase {
    name: "MacroLines"

    function test_lines() {
        const L = MacroLines
        compare(L.keyLines("A"), ["A    [Down]", "A      [Up]"])
        compare(L.keyLines("KP 7 "), ["KP 7     [Down]", "KP 7       [Up]"], "spaces kept")
        compare(L.keyLines(""), [], "a key without a name")
        compare([L.delayLine(1000), L.delayLine(3), L.delayLine(70000), L.delayLine("x")],
                ["1000   [Delay]", "10   [Delay]", "65535   [Delay]", "1000   [Delay]"])
    }

    function test_parse() {
        const rows = [["KP 7     [Down]", "down", "KP 7 "], ["\u25BA      [Up]", "up", "\u25BA"],
                      ["250   [Delay]", "delay", "250"], ["A[Down]", "", "A[Down]"],
                      ["A    [Hold]", "", "A    [Hold]"]]
        for (const [line, kind, value] of rows) {
            const p = MacroLines.parse(line)
            compare([p.kind, p.value], [kind, value], line)
        }
    }

    function test_insert_data() {
        var three = ["a", "b", "c"]
        return [
            { tag: "nothing selected: at the end", lines: three, selected: -1,
              expected: ["a", "b", "c", "x", "y"], selection: -1 },
            { tag: "before the selected line, which stays selected", lines: three, selected: 1,
              expected: ["a", "x", "y", "b", "c"], selection: 3 },
            { tag: "stale selection: at the end", lines: three, selected: 3,
              expected: ["a", "b", "c", "x", "y"], selection: -1 }
        ]
    }

    function test_insert(data) {
        var r = MacroLines.insert(data.lines, ["x", "y"], data.selected)
        compare(r.lines, data.expected)
        compare(r.selected, data.selection)
        // Repeated insertion keeps the order of arrival.
        var again = MacroLines.insert(r.lines, ["z"], r.selected)
        compare(again.lines.indexOf("z"), again.lines.indexOf("y") + 1)
    }

    // Each event is [isDown, key name, ms]; "finish" stops the recording.
    function test_record_data() {
        var typed = [[true, "A", 0], [false, "A", 120], [true, "B", 300], [false, "B", 350]]
        return [
            { tag: "pauses off", pauses: false, events: typed,
              expected: ["A    [Down]", "A      [Up]", "B    [Down]", "B      [Up]"] },
            { tag: "pauses on", pauses: true, events: typed,
              expected: ["A    [Down]", "120   [Delay]", "A      [Up]", "180   [Delay]",
                         "B    [Down]", "50   [Delay]", "B      [Up]"] },
            { tag: "gap below 10 ms dropped", pauses: true,
              events: [[true, "L Shift", 0], [true, "A", 4]],
              expected: ["L Shift    [Down]", "A    [Down]"] },
            { tag: "long pause capped", pauses: true,
              events: [[true, "A", 0], [false, "A", 100000]],
              expected: ["A    [Down]", "65535   [Delay]", "A      [Up]"] },
            { tag: "release without press and repeats ignored", pauses: true,
              events: [[false, "Enter", 0], [true, "B", 10], [true, "B", 50], [false, "B", 90]],
              expected: ["B    [Down]", "80   [Delay]", "B      [Up]"] },
            { tag: "stopping releases held keys", pauses: false,
              events: [[true, "L Ctrl", 0], [true, "C", 10], "finish"],
              expected: ["L Ctrl    [Down]", "C    [Down]", "C      [Up]", "L Ctrl      [Up]"] }
        ]
    }

    function test_record(data) {
        var recorder = new MacroLines.Recorder(data.pauses)
        var lines = []
        for (var i = 0; i < data.events.length; ++i) {
            var e = data.events[i]
            lines = lines.concat(e === "finish" ? recorder.finish() : recorder.event(e[0], e[1], e[2]))
        }
        compare(lines, data.expected)
    }

    function test_removeAndMove() {
        var r = MacroLines.remove(["a", "b", "c"], 2)
        compare(r.lines, ["a", "b"])
        compare(r.selected, 1)
        r = MacroLines.move(["a", "b", "c"], 0, 1)
        compare(r.lines, ["b", "a", "c"])
        compare(r.selected, 1)
        r = MacroLines.move(["a", "b", "c"], 2, 1)
        compare(r.lines, ["a", "b", "c"])
        compare(r.selected, 2)
    }
}
