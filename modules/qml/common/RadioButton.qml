import QtQuick
import "../basic"

// A round choice with its caption; the group keeps one checked.
Item {
    id: control

    property Environment env
    property alias text: label.text
    property bool checked: false

    signal clicked()

    implicitWidth: dot.width + 8 + label.implicitWidth
    implicitHeight: Math.max(24, label.implicitHeight)
    activeFocusOnTab: true
    Keys.onSpacePressed: clicked()

    Rectangle {
        id: dot
        width: 18
        height: 18
        radius: 9
        anchors.verticalCenter: parent.verticalCenter
        color: control.env ? control.env.panelAlt : "gray"
        border.color: !control.env ? "white" : control.checked || area.containsMouse
                                               || control.activeFocus ? control.env.accent
                                                                      : control.env.line
        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 8
            radius: 4
            visible: control.checked
            color: control.env ? control.env.accent : "white"
        }
    }

    Text {
        id: label
        anchors.left: dot.right
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
        onClicked: control.clicked()
    }
}
