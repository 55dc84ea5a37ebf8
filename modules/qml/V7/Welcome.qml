pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// What the page area shows before a function is chosen: the mouse and where to start.
Item {
    id: welcome

    property Environment env

    Image {
        id: mouse
        x: 90
        anchors.verticalCenter: parent.verticalCenter
        width: 260
        height: 360
        sourceSize.width: 260
        sourceSize.height: 360
        source: welcome.env ? welcome.env.img("page", "mouse.png") : ""
        asynchronous: true

        Image {
            anchors.fill: parent
            sourceSize.width: 260
            sourceSize.height: 360
            source: welcome.env ? welcome.env.img("page", "mouse_glow.png") : ""
            asynchronous: true
            opacity: 0.6
        }
    }

    Column {
        anchors.left: mouse.right
        anchors.leftMargin: 56
        anchors.right: parent.right
        anchors.rightMargin: 32
        anchors.verticalCenter: parent.verticalCenter
        spacing: 14

        Text {
            width: parent.width
            text: welcome.env ? welcome.env.s(38) : ""
            wrapMode: Text.WordWrap
            font.family: welcome.env ? welcome.env.fontFamily : ""
            font.pixelSize: welcome.env ? welcome.env.fontSize + 11 : 24
            font.bold: true
            color: welcome.env ? welcome.env.text : "white"
        }
        Rectangle {
            width: 48
            height: 3
            radius: 1.5
            color: welcome.env ? welcome.env.accent : "white"
        }
        Text {
            width: parent.width
            text: welcome.env ? welcome.env.s(33) : ""
            wrapMode: Text.WordWrap
            lineHeight: 1.3
            font.family: welcome.env ? welcome.env.fontFamily : ""
            font.pixelSize: welcome.env ? welcome.env.fontSize + 1 : 14
            color: welcome.env ? welcome.env.textDim : "white"
        }
    }
}
