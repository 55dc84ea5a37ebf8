import QtQuick
import "../basic"

// A check box with its caption on the right; the whole row is clickable.
Item {
    id: control

    property Environment env
    property alias text: label.text
    property bool checked: false

    signal toggled(bool checked)

    implicitWidth: box.width + 8 + label.implicitWidth
    implicitHeight: Math.max(24, label.implicitHeight)
    activeFocusOnTab: true
    Keys.onSpacePressed: flip()

    function flip() {
        checked = !checked
        toggled(checked)
    }

    Rectangle {
        id: box
        width: 18
        height: 18
        radius: 4
        anchors.verticalCenter: parent.verticalCenter
        color: !control.env ? "gray" : control.checked ? control.env.accent : control.env.panelAlt
        border.color: !control.env ? "white" : control.checked || area.containsMouse
                                               || control.activeFocus ? control.env.accent
                                                                      : control.env.line
        Text {
            anchors.centerIn: parent
            text: "\u2713"
            visible: control.checked
            font.pixelSize: 13
            font.bold: true
            color: control.env ? control.env.accentText : "black"
        }
    }

    Text {
        id: label
        anchors.left: box.right
        anchors.leftMargin: 8
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        color: control.env ? control.env.text : "white"
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: control.flip()
    }
}
