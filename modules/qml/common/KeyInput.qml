import QtQuick
import "../basic"

// A field that learns one key: click to arm it, then press the key. Keys come from the scene's
// input capture (env.keyEvent), so any named key counts, Esc and Tab included; keys without a
// name are ignored and the field stays armed. Clicking again, or clicking elsewhere, disarms.
// The field reports the key and leaves `code` to its owner, so a binding on it stays intact.
Rectangle {
    id: control

    property Environment env
    property int code: 0 // USB usage; 0xF0..0xF4 show as mouse buttons; 0 none
    property bool armed: false
    property string placeholder: env ? env.s(295) : ""
    property string prompt: env ? env.s(296) : ""

    signal keyCaptured(int code)

    readonly property string keyName: !env || !env.keys ? ""
        : code >= 0xF0 ? env.keys.mousecodeTostr(code) : env.keys.keycodeTostr(code)

    implicitWidth: 180
    implicitHeight: 32
    radius: 6
    color: !env ? "gray" : armed ? Qt.rgba(env.accent.r, env.accent.g, env.accent.b, 0.12)
         : area.containsMouse ? env.hover : env.panelAlt
    border.color: !env ? "white" : armed || activeFocus ? env.accent : env.line
    border.width: armed ? 2 : 1

    function arm(on) {
        armed = on
        if (on)
            forceActiveFocus()
    }

    onActiveFocusChanged: if (!activeFocus) armed = false
    // A hidden field must not take keys meant for something else.
    onVisibleChanged: if (!visible) armed = false

    // While armed the keys belong to the capture: nothing else in the scene may act on them
    // (Space would press a focused button, Tab move the focus away).
    Keys.onPressed: function (event) { event.accepted = armed }
    Keys.onReleased: function (event) { event.accepted = armed }

    Connections {
        target: control.env
        enabled: control.armed
        function onKeyEvent(isDown, usbCode) {
            if (!isDown || !control.env.keys || control.env.keys.keycodeTostr(usbCode) === "")
                return
            control.armed = false
            control.keyCaptured(usbCode)
        }
    }

    Text {
        id: glyph
        anchors.left: parent.left
        anchors.leftMargin: 10
        // Narrow fields keep their room for the key name.
        visible: control.width >= 140
        anchors.verticalCenter: parent.verticalCenter
        text: "\u2328"
        font.pixelSize: control.env ? control.env.fontSize + 2 : 15
        color: !control.env ? "white" : control.armed ? control.env.accent : control.env.textDim
    }

    Text {
        id: label
        anchors.left: parent.left
        anchors.leftMargin: glyph.visible ? 10 + glyph.implicitWidth + 8 : 10
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: control.armed ? control.prompt : control.keyName !== "" ? control.keyName
                                                                       : control.placeholder
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        font.bold: !control.armed && control.keyName !== ""
        color: !control.env ? "white" : control.armed ? control.env.accent
             : control.keyName !== "" ? control.env.text : control.env.textDim

        SequentialAnimation on opacity {
            running: control.armed
            loops: Animation.Infinite
            onRunningChanged: if (!running) label.opacity = 1
            NumberAnimation { to: 0.35; duration: 500 }
            NumberAnimation { to: 1; duration: 500 }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: control.arm(!control.armed)
    }
}
