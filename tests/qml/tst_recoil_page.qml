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

        // 84 entries that are all different, as strings like the store returns them.
        function markers() {
            return Array.from({ "length": 84 }, function (_, n) {
                return "m" + n
            })
        }

        function test_recordLayout_data() {
            return [{ "tag": "first", "i": 0 }, { "tag": "middle", "i": 5 },
                    { "tag": "last", "i": 11 }]
        }
        function test_recordLayout(data) {
            var before = markers()
            var w = { "name": "Test", "index": 4, "xOffset": -3, "yOffset": 9, "times": 30,
                      "isEnable": true, "cursorBack": false }
            var after = Model.setWeapon(before, data.i, w)
            compare(after.length, 84)
            for (var n = 0; n < 84; ++n) {
                if (n < 7 * data.i || n > 7 * data.i + 6)
                    compare(after[n], before[n], "entry " + n + " untouched")
            }
            compare(after.slice(7 * data.i, 7 * data.i + 7), ["Test", 4, -3, 9, 30, 1, 0])
            compare(Model.weapon(after, data.i), w)
            compare(before[7 * data.i], "m" + 7 * data.i, "the list given is not changed")
        }

        function test_readStored_data() {
            return [
                { "tag": "text from the file", "record": ["Rifle", "3", "2", "7", "20", "0", "1"],
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
            var list = Model.normalise(1, data.record.concat(markers().slice(7)))
            compare(Model.weapon(list, 0), data.expected)
        }

        // A record missing from the file shortens the list; the page keeps what it got in
        // order and fills the rest with the built-in weapons, never shifting fields.
        function test_shortAndEmptyLists_data() {
            return [{ "tag": "eleven records", "records": 11 }, { "tag": "none", "records": 0 },
                    { "tag": "partial record", "records": 11.5 }]
        }
        function test_shortAndEmptyLists(data) {
            var stored = Array.from({ "length": 84 }, function (_, n) {
                var i = Math.floor(n / 7)
                return ["W" + i, i, 1, 20 + i, 10, 1, 1][n % 7]
            })
            var list = Model.normalise(2, stored.slice(0, Math.floor(7 * data.records)))
            compare(list.length, 84)
            var whole = Math.floor(data.records)
            for (var i = 0; i < 12; ++i)
                compare(Model.weapon(list, i).name,
                        i < whole ? "W" + i : Model.defaultWeapon(2, i).name)
        }

        function test_selection_data() {
            return [
                { "tag": "stored", "list": ["1", "4", "3", "25"], "expected": [1, 4, 3, 25] },
                { "tag": "period 0", "list": ["0", "0", "3", "0"], "expected": [0, 0, 3, 10] },
                { "tag": "period 9", "list": [2, 11, 5, 9], "expected": [2, 11, 5, 10] },
                { "tag": "period 10", "list": [2, 11, 5, 10], "expected": [2, 11, 5, 10] },
                { "tag": "period too long", "list": [0, 0, 1, 400], "expected": [0, 0, 1, 255] },
                { "tag": "unreadable period", "list": [0, 1, 1, "x"], "expected": [0, 1, 1, 10] },
                { "tag": "no such game or weapon", "list": [7, 30, 1, 50],
                  "expected": [2, 11, 1, 50] },
                { "tag": "nothing stored", "list": [], "expected": [0, 2, 3, 10] },
                { "tag": "short list", "list": [1, 1], "expected": [0, 2, 3, 10] }
            ]
        }
        function test_selection(data) {
            compare(Model.selectionList(Model.selection(2, data.list)), data.expected)
        }

        function test_periodTypedBelowTenIsStoredAsTen() {
            var s = Model.selection(0, [0, 0, 3, 20])
            s.firePeriod = 4
            compare(Model.selectionList(s)[3], 10)
        }

        // The presets decide the vertical pull by game and weapon; only the custom set takes
        // the typed value.
        function test_verticalOffset_data() {
            return [
                { "tag": "standard", "source": Model.SOURCE_STANDARD, "game": 0, "weapon": 0,
                  "typed": 40, "expected": Model.PRESETS[0][0][0] },
                { "tag": "standard, other game", "source": Model.SOURCE_STANDARD, "game": 2,
                  "weapon": 1, "typed": 40, "expected": Model.PRESETS[0][2][1] },
                { "tag": "light", "source": Model.SOURCE_LIGHT, "game": 1, "weapon": 9,
                  "typed": 40, "expected": Model.PRESETS[1][1][9] },
                { "tag": "custom", "source": Model.SOURCE_CUSTOM, "game": 1, "weapon": 9,
                  "typed": 40, "expected": 40 },
                { "tag": "custom, clamped", "source": Model.SOURCE_CUSTOM, "game": 0, "weapon": 0,
                  "typed": 500, "expected": Model.Y_MAX }
            ]
        }
        function test_verticalOffset(data) {
            compare(Model.verticalOffset(data.source, data.game, data.weapon, data.typed),
                    data.expected)
        }

        function test_presetsCoverEveryWeapon() {
            for (var set = 0; set < 2; ++set) {
                compare(Model.PRESETS[set].length, Model.GAMES)
                for (var g = 0; g < Model.GAMES; ++g) {
                    compare(Model.PRESETS[set][g].length, Model.WEAPONS)
                    for (var i = 0; i < Model.WEAPONS; ++i)
                        verify(Model.PRESETS[set][g][i] >= Model.Y_MIN
                               && Model.PRESETS[set][g][i] <= Model.Y_MAX)
                }
            }
        }

        function test_pressGunArgumentOrder_data() {
            return [
                { "tag": "custom", "source": Model.SOURCE_CUSTOM, "x": -3, "back": false,
                  "key": 2, "expected": [253, 9, 30, 1, 0, 2] },
                { "tag": "light preset", "source": Model.SOURCE_LIGHT, "x": 4, "back": true,
                  "key": 0, "expected": [4, Model.PRESETS[1][1][5], 30, 1, 1, 0] }
            ]
        }
        function test_pressGunArgumentOrder(data) {
            var w = { "name": "A", "index": 5, "xOffset": data.x, "yOffset": 9, "times": 30,
                      "isEnable": true, "cursorBack": data.back }
            compare(Model.pressGunArgs(w, data.source, 1, 5, data.key), data.expected)
        }
    }

    TestCase {
        name: "SteeringWheel"
        when: windowShown

        function createWheel() {
            var w = createTemporaryObject(wheelComponent, host)
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
            var w = createWheel()
            w.forceActiveFocus()
            keyClick(data.key)
            compare(w.value, data.expected)
            compare(moved.count, 1)
            compare(moved.signalArguments[0][0], data.expected)
        }

        function test_endsHold() {
            var w = createWheel()
            w.forceActiveFocus()
            keyClick(Qt.Key_End)
            keyClick(Qt.Key_PageUp)
            compare(w.value, 60)
            compare(moved.count, 1, "no change, no signal")
        }

        function test_wheel_data() {
            return [{ "tag": "up two notches", "delta": 240, "expected": 32 },
                    { "tag": "down one notch", "delta": -120, "expected": 29 }]
        }
        function test_wheel(data) {
            var w = createWheel()
            mouseWheel(w, 60, 60, 0, data.delta)
            compare(w.value, data.expected)
        }

        // A quarter turn is a third of the 270 degree range, 20 of 0..60; past the end the
        // wheel stops, and turning back counts at once.
        function test_dragAroundTheCentre() {
            var w = createWheel()
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
