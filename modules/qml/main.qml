import QtQuick

// The root scene. Native code calls initUI, run, setProtectUI, detectKeyboard and detectMouse;
// everything else reaches native code through ui_View and ui_Ctl.
Item {
    id: root
    width: 1000
    height: 600
    visible: false

    property int animationTime: 800
    property bool initialised: false

    // A key seen by the input capture, for pages that record keys.
    signal msg_KB(bool isDown, int usbCode)

    function initUI() {
        initialised = true
    }

    function run() {
        closing.stop()
        panel.opacity = 0
        root.visible = true
        ui_View.playMedia_Index(0x01)
        opening.restart()
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

    NumberAnimation {
        id: opening
        target: panel
        property: "opacity"
        from: 0
        to: 1
        duration: root.animationTime
        easing.type: Easing.OutCubic
    }

    SequentialAnimation {
        id: closing
        NumberAnimation {
            target: panel
            property: "opacity"
            to: 0
            duration: root.animationTime / 2
            easing.type: Easing.InCubic
        }
        ScriptAction {
            script: ui_Ctl.onMinimize()
        }
    }

    // Dragging anywhere moves the frameless window.
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

    Rectangle {
        id: panel
        anchors.fill: parent
        radius: 12
        color: "#1b1d22"
        border.color: "#3a3f4a"
        border.width: 1

        Rectangle {
            id: header
            anchors {
                left: parent.left
                right: parent.right
                top: parent.top
                margins: 1
            }
            height: 44
            radius: 11
            color: "#23262d"

            Text {
                anchors.verticalCenter: parent.verticalCenter
                anchors.left: parent.left
                anchors.leftMargin: 20
                text: "V7"
                color: "#e6e8ee"
                font.pixelSize: 18
                font.bold: true
            }
        }

        Rectangle {
            id: closeButton
            objectName: "closeButton"
            anchors {
                right: parent.right
                top: parent.top
                margins: 8
            }
            width: 28
            height: 28
            radius: 14
            color: closeArea.containsMouse ? "#c4424a" : "transparent"

            Text {
                anchors.centerIn: parent
                text: "\u2715"
                color: "#e6e8ee"
                font.pixelSize: 14
            }

            MouseArea {
                id: closeArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: root.close()
            }
        }
    }

    Rectangle {
        id: busy
        objectName: "busy"
        anchors.fill: parent
        radius: panel.radius
        color: "#80000000"
        visible: false

        Rectangle {
            anchors.centerIn: parent
            width: 36
            height: 36
            radius: 18
            color: "transparent"
            border.color: "#e6e8ee"
            border.width: 3
            opacity: 0.8

            Rectangle {
                width: 8
                height: 8
                radius: 4
                color: "#4aa3ff"
                x: parent.width / 2 - width / 2
                y: -2
            }

            RotationAnimation on rotation {
                running: busy.visible
                from: 0
                to: 360
                duration: 900
                loops: Animation.Infinite
            }
        }

        // Swallows clicks while busy.
        MouseArea {
            anchors.fill: parent
        }
    }

    // Plays the closing animation; its end closes the window.
    function close() {
        opening.stop()
        closing.restart()
    }
}
