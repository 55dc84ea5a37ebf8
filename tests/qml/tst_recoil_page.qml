import QtQuick
import QtTest
import "../../modules/qml/common"
import "../../modules/qml/V7/RecoilModel.js" as Model

// The recoil page's data: stored records, fire-key selections, the pull's range, and the wheel
// it is turned with.
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
                { "tag": "period 9", "list": ["2", "11", "5", "9"], "expected": [2, 11, 5, 10] },
                { "tag": "period 10", "list": [2, 11, 5, 10], "expected": [2, 11, 5, 10] },
                { "tag": "period too long", "list": [0, 0, 1, 400], "expected": [0, 0, 1, 255] },
                { "tag": "unreadable period", "list": [0, 1, 1, "x"], "expected": [0, 1, 1, 10] },
                { "tag": "no such game or weapon", "list": [7, 30, 1, 50], "expected": [2, 11, 1, 50] },
                { "tag": "short list", "list": [1, 1], "expected": [0, 2, 3, 10] }
            ]
        }
        function test_selection(data) {
            compare(Model.selectionList(Model.selection(2, data.list)), data.expected)
            const s = Model.selection(0, [0, 0, 3, 20])
            s.firePeriod = 4 // typed below 10
            compare(Model.selectionList(s)[3], 10)
        }

        // The presets are always in range; only the custom set takes the typed value.
        function test_verticalOffset() {
            for (const source of [Model.SOURCE_STANDARD, Model.SOURCE_LIGHT])
                for (let g = 0; g < Model.GAMES; ++g)
                    for (let i = 0; i < Model.WEAPONS; ++i) {
                        const y = Model.verticalOffset(source, g, i, 40)
                        verify(y >= Model.Y_MIN && y <= Model.Y_MAX, [source, g, i, y].join())
                    }
            compare(Model.verticalOffset(Model.SOURCE_CUSTOM, 1, 9, 40), 40)
            compare(Model.verticalOffset(Model.SOURCE_CUSTOM, 0, 0, 500), Model.Y_MAX)
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
