import QtQuick
import QtTest

// The root scene's functions as native code calls them, and its window controls.
Item {
    id: host
    width: 1000
    height: 600

    Component {
        id: sceneComponent
        Loader {
            source: "qrc:/modules/qml/main.qml"
        }
    }

    SignalSpy {
        id: keys
        signalName: "msg_KB"
    }

    TestCase {
        name: "MainScene"
        when: windowShown

        property var scene: null

        function init() {
            ui_View.clear()
            ui_Ctl.clear()
            var loader = createTemporaryObject(sceneComponent, host)
            verify(loader.item, "the scene loads")
            scene = loader.item
            keys.clear()
            keys.target = scene
        }

        function test_hiddenUntilRun() {
            compare(scene.visible, false)
            scene.initUI()
            compare(scene.visible, false)
            scene.run()
            compare(scene.visible, true)
            compare(ui_View.calls, ["playMedia_Index 1"])
        }

        function test_protectDisablesTheViewUntilItsTimeIsUp() {
            scene.run()
            ui_View.clear()
            scene.setProtectUI(50)
            compare(ui_View.calls, ["setEnabled false"])
            compare(findChild(scene, "busy").visible, true)
            tryCompare(ui_View, "calls", ["setEnabled false", "setEnabled true"], 5000)
            compare(findChild(scene, "busy").visible, false)
        }

        function test_keysAreReEmitted() {
            scene.detectKeyboard(true, 0x04)
            scene.detectKeyboard(false, 0x04)
            compare(keys.count, 2)
            compare(keys.signalArguments[0][0], true)
            compare(keys.signalArguments[0][1], 0x04)
            compare(keys.signalArguments[1][0], false)
            // Buttons are taken without complaint.
            scene.detectMouse(true, 0xF0, 10, 20)
            compare(keys.count, 2)
        }

        function test_dragMovesByTheOffsetSinceThePress() {
            scene.run()
            mousePress(scene, 500, 300)
            mouseMove(scene, 520, 310)
            mouseRelease(scene, 520, 310)
            verify(ui_Ctl.calls.indexOf("onXChanged 20") >= 0, ui_Ctl.calls)
            verify(ui_Ctl.calls.indexOf("onYChanged 10") >= 0, ui_Ctl.calls)
        }

        function test_closeButtonEndsThroughTheController() {
            scene.run()
            var button = findChild(scene, "closeButton")
            verify(button)
            mouseClick(button)
            tryCompare(ui_Ctl, "calls", ["onMinimize"], 5000)
        }
    }
}
