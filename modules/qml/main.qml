import QtQuick
import "./basic"
import "./V7"

// The root scene. Native code calls initUI, run, setProtectUI, detectKeyboard and detectMouse;
// everything else reaches native code through ui_View and ui_Ctl.
Item {
    id: root
    width: 1000
    height: 600
    visible: false

    readonly property Environment env: environment
    readonly property bool settingsShown: globalPage.shown
    // The start has settled and every page exists: scripts and tests wait for this after run().
    readonly property bool ready: deviceMain.pagesDone === 5 && !script0.running
                                  && !script1.running

    // A key seen by the input capture, for pages that record keys.
    signal msg_KB(bool isDown, int usbCode)

    onMsg_KB: function (isDown, usbCode) { environment.keyEvent(isDown, usbCode) }

    property bool initialised: false

    function initUI() {
        globalPage.load()
        deviceMain.init()
        initialised = true
    }

    function run() {
        scriptEnd.stop()
        script1.stop()
        script0.restart()
    }

    function setProtectUI(interval) {
        busy.visible = true
        ui_View.setEnabled(false)
        protectTimer.interval = interval
        protectTimer.restart()
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, tavoCode, x, y) {
    }

    function startFrame() {
        ui_View.playMedia_Index(0x01)
        menuUp.y = -root.height
        menuDown.y = root.height
        deviceMain.powerOff()
        frame.opacity = 0
        root.visible = true
    }

    function hideSettings() {
        globalPage.shown = false
    }

    function close() {
        script0.stop()
        script1.stop()
        scriptEnd.restart()
    }

    Environment {
        id: environment
        keys: keyCodes
        onProtectRequested: function (ms) { root.setProtectUI(ms) }
    }

    KeyCodeString {
        id: keyCodes
    }

    Timer {
        id: protectTimer
        interval: 1000
        repeat: false
        onRunningChanged: {
            if (!running) {
                ui_View.setEnabled(true)
                busy.visible = false
            }
        }
    }

    // Start: sound, fade in, then the menus slide in and the device page powers on.
    SequentialAnimation {
        id: script0
        ScriptAction {
            script: root.startFrame()
        }
        NumberAnimation {
            target: frame
            property: "opacity"
            to: 1
            duration: environment.animationTime / 2
            easing.type: Easing.OutCubic
        }
        ScriptAction {
            script: script1.restart()
        }
    }

    ParallelAnimation {
        id: script1
        NumberAnimation {
            target: menuUp
            property: "y"
            to: 0
            duration: environment.animationTime
            easing.type: Easing.OutCubic
        }
        NumberAnimation {
            target: menuDown
            property: "y"
            to: root.height - menuDown.height
            duration: environment.animationTime
            easing.type: Easing.OutCubic
        }
        ScriptAction {
            script: deviceMain.powerOn()
        }
    }

    SequentialAnimation {
        id: scriptEnd
        ScriptAction {
            script: root.hideSettings()
        }
        ParallelAnimation {
            NumberAnimation {
                target: menuUp
                property: "y"
                to: -root.height
                duration: environment.animationTime / 2
                easing.type: Easing.InCubic
            }
            NumberAnimation {
                target: menuDown
                property: "y"
                to: root.height
                duration: environment.animationTime / 2
                easing.type: Easing.InCubic
            }
            NumberAnimation {
                target: frame
                property: "opacity"
                to: 0
                duration: environment.animationTime / 2
                easing.type: Easing.InCubic
            }
        }
        ScriptAction {
            script: ui_Ctl.onMinimize()
        }
    }

    // Dragging any empty spot moves the frameless window.
    MouseArea {
        id: dragArea
        anchors.fill: parent
        property int pressX: 0
        property int pressY: 0
        onPressed: function (mouse) {
            pressX = mouse.x
            pressY = mouse.y
        }
        onPositionChanged: function (mouse) {
            if (!pressed)
                return
            ui_Ctl.onXChanged(mouse.x - pressX)
            ui_Ctl.onYChanged(mouse.y - pressY)
        }
    }

    Item {
        id: frame
        anchors.fill: parent

        Environment_Decoration {
            anchors.fill: parent
            env: environment
            customShown: globalPage.customBackgroundShown
            customPath: globalPage.customBackgroundPath
        }

        Main_V7 {
            id: deviceMain
            anchors.fill: parent
            env: environment
            enabled: !globalPage.shown
            onTotalApplyDone: ui_View.playMedia_Index(0x04)
        }

        Page_Globalsetting {
            id: globalPage
            objectName: "pageGlobalsetting"
            x: 200
            y: 64
            env: environment
            onResetRequested: root.initUI()
        }

        Menu_Up {
            id: menuUp
            width: root.width
            env: environment
            settingsOpen: globalPage.shown
            onButtonClicked: function (index) {
                if (index === 0)
                    globalPage.toggle()
                else
                    root.close()
            }
        }

        Menu_Down {
            id: menuDown
            width: root.width
            y: root.height - height
            env: environment
            enabled: !globalPage.shown
            linkTarget: globalPage.linkTarget
            firmware: deviceMain.firmware
            onBtnTotalApplyClicked: deviceMain.totalApply()
            onBtnTotalResetClicked: deviceMain.totalReset()
        }
    }

    BusyIndicator {
        id: busy
        objectName: "busy"
        anchors.fill: parent
        env: environment
        visible: false
    }
}
