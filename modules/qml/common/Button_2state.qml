import QtQuick
import "../basic"

// An on/off button: accent-filled while on.
Rectangle {
    id: control

    property Environment env
    property alias text: label.text
    property bool checked: false

    signal toggled(bool checked)

    implicitWidth: Math.max(88, label.implicitWidth + 28)
    implicitHeight: 32
    radius: 6
    color: !env ? "gray" : checked ? env.accent : area.containsMouse ? env.hover : env.panelAlt
    border.color: !env ? "white" : checked ? env.accent : env.line
    border.width: 1
    activeFocusOnTab: true

    Keys.onSpacePressed: flip()

    function flip() {
        checked = !checked
        toggled(checked)
    }

    Text {
        id: label
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 12)
        elide: Text.ElideRight
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        color: !control.env ? "white" : control.checked ? control.env.accentText : control.env.text
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: control.flip()
    }
}
