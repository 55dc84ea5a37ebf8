import QtQuick
import QtQuick.Templates as T
import "../basic"

// The push button of the pages and menus, drawn from the skin's button artwork.
T.Button {
    id: control

    property Environment env
    property bool accented: false

    implicitWidth: Math.max(96, implicitContentWidth + 32)
    implicitHeight: 32
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    font.family: env ? env.fontFamily : ""
    font.pixelSize: env ? env.fontSize : 13

    contentItem: Text {
        text: control.text
        font: control.font
        color: !control.env ? "white" : control.accented && control.enabled ? control.env.accentText
                                                                           : control.env.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Item {
        BorderImage {
            asynchronous: true
            anchors.fill: parent
            visible: !control.accented
            border { left: 10; right: 10; top: 10; bottom: 10 }
            source: control.env ? control.env.img("button", "btn_" + (!control.enabled ? 3
                                  : control.down ? 2 : control.hovered ? 1 : 0) + ".png") : ""
        }
        Rectangle {
            anchors.fill: parent
            visible: control.accented
            radius: 6
            color: !control.env ? "gray" : control.down ? Qt.darker(control.env.accent, 1.25)
                 : control.hovered ? Qt.lighter(control.env.accent, 1.12) : control.env.accent
        }
        Rectangle {
            anchors.fill: parent
            anchors.margins: -2
            radius: 8
            color: "transparent"
            border.color: control.env ? control.env.accent : "white"
            border.width: 1
            visible: control.visualFocus
        }
    }
}
