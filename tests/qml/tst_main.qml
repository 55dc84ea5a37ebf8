import QtQuick
import QtTest

// The shell: the root functions native code calls, the menus and the global settings page.
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
        name: "Shell"
        when: windowShown

        property var scene: null
        // Sound off, animation on, English: the factory list with the language at entry 4.
        readonly property var stored: [1, 1, 1, 0, 1, "false", "", 0, 0, 255, 255, 255, 200, 150,
                                       255, 180, 0, 200, 200, 100, 200, 170, 255, 255, 180, 180,
                                       160, 190, 160, 0, 7, "https://example.org/"]

        function init() {
            ui_View.clear()
            ui_Ctl.clear()
            ui_View.answers = {
                loadApConfig: stored,
                chkLanguages: { "CHINESE (Simp)": "025044", "ENGLISH": "031000" },
                getGlobalStrings: function (code) {
                    const strings = ["Sans"]
                    for (let i = 1; i < 400; ++i)
                        strings.push("s" + i + "-" + code + " %1 %2 %3")
                    return strings
                },
                getProductLayoutStrings_V7: [],
                getIsSkinShow: true,
                ui_80H_GetFWVersion: "1.05",
                loadDeviceApConfig: [8]
            }
            var loader = createTemporaryObject(sceneComponent, host)
            verify(loader.item, "the scene loads")
            scene = loader.item
        }

        function calls(name) {
            return ui_View.calls.filter(c => c.split(" ")[0] === name)
        }

        function started() {
            scene.initUI()
            scene.run()
            tryVerify(() => findChild(scene, "funcMenu0").parent.parent.opacity === 1, 5000)
            tryCompare(scene, "ready", true, 10000)
            ui_View.clear()
        }

        // Keys go on to the pages as msg_KB; mouse buttons must not, or a click would be taken
        // for a key.
        function test_keysAreReEmitted() {
            keys.clear()
            keys.target = scene
            scene.detectKeyboard(true, 0x04)
            scene.detectKeyboard(false, 0x04)
            compare(keys.signalArguments.map(a => [a[0], a[1]]), [[true, 0x04], [false, 0x04]])
            scene.detectMouse(true, 0xF0, 10, 20)
            compare(keys.count, 2)
        }

        function test_protectDisablesTheViewUntilItsTimeIsUp() {
            started()
            scene.setProtectUI(50)
            compare(ui_View.calls, ["setEnabled false"])
            compare(findChild(scene, "busy").visible, true)
            tryCompare(ui_View, "calls", ["setEnabled false", "setEnabled true"], 5000)
            compare(findChild(scene, "busy").visible, false)
        }

        function test_dragMovesByTheOffsetSinceThePress() {
            started()
            mousePress(scene, 560, 20)
            mouseMove(scene, 580, 30)
            mouseRelease(scene, 580, 30)
            verify(ui_Ctl.calls.indexOf("onXChanged 20") >= 0, ui_Ctl.calls)
            verify(ui_Ctl.calls.indexOf("onYChanged 10") >= 0, ui_Ctl.calls)
        }

        // Sound and language come from the stored list; the scene shows only once it runs.
        function test_initUIAppliesTheStoredSettings() {
            scene.initUI()
            compare(calls("setEnableAudio"), ["setEnableAudio false"])
            compare(calls("getGlobalStrings"), ["getGlobalStrings 031000"])
            verify(scene.env.s(1).startsWith("s1-031000"), scene.env.s(1))
            compare(scene.visible, false)
            scene.run()
            compare(scene.visible, true)
            compare(calls("playMedia_Index"), ["playMedia_Index 1"])
        }

        function test_emptySettingsKeepTheDefaultsAndListTheLanguages() {
            ui_View.answers.loadApConfig = []
            scene.initUI()
            compare(calls("setEnableAudio"), [])
            compare(calls("chkLanguages").length, 1)
            compare(findChild(scene, "pageGlobalsetting").languageNames.length, 2)
            compare(scene.env.skin, 1)
            compare(scene.env.animationTime, 800)
        }

        // The settings page locks the other areas; the macro page locks the profiles.
        function test_pagesDisableTheOtherAreas() {
            started()
            const func = findChild(scene, "funcMenu0").parent.parent
            const lower = findChild(scene, "btnTotalApply").parent.parent
            const profiles = findChild(scene, "profile0").parent.parent.parent
            mouseClick(findChild(scene, "menuUp0"))
            compare([func.enabled, lower.enabled], [false, false])
            mouseClick(findChild(scene, "funcMenu3"))
            compare(calls("playMedia_Index"), [])
            mouseClick(findChild(scene, "menuUp0"))
            compare([func.enabled, lower.enabled, profiles.enabled], [true, true, true])
            mouseClick(findChild(scene, "funcMenu1"))
            compare(profiles.enabled, false)
            mouseClick(findChild(scene, "funcMenu0"))
            compare(profiles.enabled, true)
        }

        function test_selectionDuringAnAnimationCompletesIt() {
            started()
            mouseClick(findChild(scene, "funcMenu2"))
            mouseClick(findChild(scene, "funcMenu3"))
            compare(calls("playMedia_Index"), ["playMedia_Index 2", "playMedia_Index 2"])
            // The first switch was finished at once: the welcome panel is already put away.
            const welcome = findChild(scene, "welcome")
            compare(welcome.visible, false)
            compare(welcome.opacity, 1)
            compare(findChild(scene, "funcMenu3").current, true)
        }

        function test_profileActionsRefreshOnlyTheSelectedProfile_data() {
            return [
                { tag: "import other", index: 3, entry: 0, call: "loadProfile 3", refresh: false },
                { tag: "export selected", index: 0, entry: 1, call: "saveProfile 0", refresh: false },
                { tag: "import selected", index: 0, entry: 0, call: "loadProfile 0", refresh: true },
                { tag: "reset selected", index: 0, entry: 2, call: "resetProfile 0", refresh: true },
                { tag: "cancel", index: 0, entry: 3, call: "", refresh: false }
            ]
        }

        function test_profileActionsRefreshOnlyTheSelectedProfile(data) {
            started()
            const button = findChild(scene, "profile" + data.index)
            mouseClick(button, button.width / 2, button.height / 2, Qt.RightButton)
            const entry = findChild(button.parent.parent.menuContent, "profileMenu" + data.entry)
            verify(entry, "the context menu is open")
            waitForItemPolished(entry.parent)
            mouseClick(entry)
            const expected = data.call === "" ? [] : [data.call]
            if (data.refresh)
                expected.push("ui_02H_SetCurrentProfile " + data.index)
            compare(ui_View.calls.filter(c => /^((load|save|reset)Profile|ui_02H)/.test(c)), expected)
        }
    }
}
