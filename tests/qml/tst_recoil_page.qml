import QtQuick
import QtTest
import "../../modules/qml/common"
import "../../modules/qml/V7/RecoilModel.js" as Model

// The recoil page's data: record layout, fire-key selections, the pull that gets sent, and the
// wheel it is turned with.
Item {
    id: host
    width: 300
    height: 300

    Component {
        id: wheelComponent
        SteeringWheel {
            width: 120
            height: 120
            from: 0
            to: 60
            value: 30
        }
    }

    SignalSpy {
        id: moved
        signalName: "moved"
    }

    TestCase {
        name: "RecoilModel"

        // A weapon goes into its own seven entries and nowhere else.
        function test_recordLayout() {
            const before = Array.from({ "length": 84 }, (_, n) => "m" + n)
            const w = { "name": "Test", "index": 4, "xOffset": -3, "yOffset": 9, "times": 30,
                        "isEnable": true, "cursorBack": false }
            for (const i of [0, 5, 11]) {
                const after = Model.setWeapon(before, i, w)
                compare(after.slice(7 * i, 7 * i + 7), ["Test", 4, -3, 9, 30, 1, 0])
                compare(after.slice(0, 7 * i).concat(after.slice(7 * i + 7)),
                        before.slice(0, 7 * i).concat(before.slice(7 * i + 7)))
                compare(Model.weapon(after, i), w)
            }
            compare(before[0], "m0", "the list given is not changed")
        }

        function test_readStored_data() {
            return [
                { "tag": "text", "record": ["Rifle", "3", "2", "7", "20", "0", "1"],
                  "expected": { "name": "Rifle", "index": 3, "xOffset": 2, "yOffset": 7,
                                "times": 20, "isEnable": false, "cursorBack": true } },
                { "tag": "booleans and a byte", "record": ["", "0", "254", "5", "9", "true", "false"],
                  "expected": { "name": "", "index": 0, "xOffset": -2, "yOffset": 5, "times": 9,
                                "isEnable": true, "cursorBack": false } },
                { "tag": "out of range", "record": ["X", "1", "99", "200", "0", "1", "0"],
                  "expected": { "name": "X", "index": 1, "xOffset": Model.X_MAX,
                                "yOffset": Model.Y_MAX, "times": Model.TIMES_MIN,
                                "isEnable": true, "cursorBack": false } }
            ]
        }
        function test_readStored(data) {
            const rest = Array.from({ "length": 77 }, (_, n) => "m" + n)
            compare(Model.weapon(Model.normalise(1, data.record.concat(rest)), 0), data.expected)
        }

        // A record missing from the file shortens the list; the page keeps what it got in order
        // and fills the rest with the built-in weapons, never shifting fields.
        function test_shortAndEmptyLists() {
            const stored = Array.from({ "length": 84 }, function (_, n) {
                const i = Math.floor(n / 7)
                return ["W" + i, i, 1, 20 + i, 10, 1, 1][n % 7]
            })
            for (const records of [11, 0, 11.5]) {
                const list = Model.normalise(2, stored.slice(0, Math.floor(7 * records)))
                compare(list.length, 84)
                for (let i = 0; i < 12; ++i)
                    compare(Model.weapon(list, i).name,
                            i < Math.floor(records) ? "W" + i : Model.defaultWeapon(2, i).name)
            }
        }

        function test_selection_data() {
            return [
                { "tag": "stored", "list": ["1", "4", "3", "25"], "expected": [1, 4, 3, 25] },
                { "tag": "period 0", "list": ["0", "0", "3", "0"], "expected": [0, 0, 3, 10] },
                { "tag": "period 9", "list": [2, 11, 5, 9], "expected": [2, 11, 5, 10] },
                { "tag": "period 10", "list": [2, 11, 5, 10], "expected": [2, 11, 5, 10] },
                { "tag": "period too long", "list": [0, 0, 1, 400], "expected": [0, 0, 1, 255] },
                { "tag": "unreadable period", "list": [0, 1, 1, "x"], "expected": [0, 1, 1, 10] },
                { "tag": "no such game or weapon", "list": [7, 30, 1, 50], "expected": [2, 11, 1, 50] },
                { "tag": "nothing stored", "list": [], "expected": [0, 2, 3, 10] },
                { "tag": "short list", "list": [1, 1], "expected": [0, 2, 3, 10] }
            ]
        }
        function test_selection(data) {
            compare(Model.selectionList(Model.selection(2, data.list)), data.expected)
            const s = Model.selection(0, [0, 0, 3, 20])
            s.firePeriod = 4 // typed below 10
            compare(Model.selectionList(s)[3], 10)
        }

        // The presets decide the vertical pull by game and weapon, always in range; only the
        // custom set takes the typed value.
        function test_verticalOffset() {
            for (const source of [Model.SOURCE_STANDARD, Model.SOURCE_LIGHT]) {
                const set = Model.PRESETS[source === Model.SOURCE_STANDARD ? 0 : 1]
                compare(set.length, Model.GAMES)
                for (let g = 0; g < Model.GAMES; ++g) {
                    compare(set[g].length, Model.WEAPONS)
                    for (let i = 0; i < Model.WEAPONS; ++i) {
                        compare(Model.verticalOffset(source, g, i, 40), set[g][i])
                        verify(set[g][i] >= Model.Y_MIN && set[g][i] <= Model.Y_MAX)
                    }
                }
            }
            compare(Model.verticalOffset(Model.SOURCE_CUSTOM, 1, 9, 40), 40)
            compare(Model.verticalOffset(Model.SOURCE_CUSTOM, 0, 0, 500), Model.Y_MAX)
        }

        function test_pressGunArgumentOrder() {
            const w = { "name": "A", "index": 5, "xOffset": -3, "yOffset": 9, "times": 30,
                        "isEnable": true, "cursorBack": false }
            compare(Model.pressGunArgs(w, Model.SOURCE_CUSTOM, 1, 5, 2), [253, 9, 30, 1, 0, 2])
            w.xOffset = 4
            w.cursorBack = true
            compare(Model.pressGunArgs(w, Model.SOURCE_LIGHT, 1, 5, 0),
                    [4, Model.PRESETS[1][1][5], 30, 1, 1, 0])
        }
    }

    TestCase {
        name: "SteeringWheel"
        when: windowShown

        function createWheel() {
            const w = createTemporaryObject(wheelComponent, host)
            moved.clear()
            moved.target = w
            return w
        }

        function test_keys_data() {
            return [
                { "tag": "up", "key": Qt.Key_Up, "expected": 31 },
                { "tag": "right", "key": Qt.Key_Right, "expected": 31 },
                { "tag": "down", "key": Qt.Key_Down, "expected": 29 },
                { "tag": "page up", "key": Qt.Key_PageUp, "expected": 40 },
                { "tag": "page down", "key": Qt.Key_PageDown, "expected": 20 },
                { "tag": "home", "key": Qt.Key_Home, "expected": 0 },
                { "tag": "end", "key": Qt.Key_End, "expected": 60 }
            ]
        }
        function test_keys(data) {
            const w = createWheel()
            w.forceActiveFocus()
            keyClick(data.key)
            compare(w.value, data.expected)
            compare(moved.count, 1)
            compare(moved.signalArguments[0][0], data.expected)
            keyClick(data.key) // at an end it holds, without a signal
            if (data.expected % 60 === 0)
                compare(moved.count, 1)
        }

        function test_wheel() {
            const w = createWheel()
            mouseWheel(w, 60, 60, 0, 240)
            compare(w.value, 32)
            mouseWheel(w, 60, 60, 0, -120)
            compare(w.value, 31)
        }

        // A quarter turn is a third of the 270 degree range, 20 of 0..60; past the end the
        // wheel stops, and turning back counts at once.
        function test_dragAroundTheCentre() {
            const w = createWheel()
            mousePress(w, 60, 10)
            mouseMove(w, 95, 25, -1, Qt.LeftButton)
            mouseMove(w, 110, 60, -1, Qt.LeftButton)
            compare(w.value, 50)
            verify(w.activeFocus, "a press gives the wheel the keys")
            mouseMove(w, 60, 110, -1, Qt.LeftButton)
            compare(w.value, 60)
            mouseMove(w, 110, 60, -1, Qt.LeftButton)
            mouseRelease(w, 110, 60)
            compare(w.value, 40)
        }
    }
}
