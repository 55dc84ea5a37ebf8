pragma ComponentBehavior: Bound
import QtQuick

// The title bar: the product mark, the global settings toggle (button 0) and close (button 1).
Item {
    id: menu

    property Environment env
    property bool settingsOpen: false

    signal buttonClicked(int index)

    height: 56
    opacity: 0.2 + 0.8 * enabled

    Image {
        asynchronous: true
        x: 18
        anchors.verticalCenter: parent.verticalCenter
        source: menu.env ? menu.env.img("frame", "title.png") : ""
        sourceSize.width: 220
        sourceSize.height: 40
    }

    Text {
        anchors.centerIn: parent
        text: menu.settingsOpen && menu.env ? menu.env.s(1) : ""
        font.family: menu.env ? menu.env.fontFamily : ""
        font.pixelSize: menu.env ? menu.env.fontSize + 3 : 16
        font.bold: true
        color: menu.env ? menu.env.text : "white"
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6

        Repeater {
            model: ["set", "close"]
            delegate: Image {
                asynchronous: true
                id: icon
                required property int index
                required property string modelData
                objectName: "menuUp" + index
                width: 32
                height: 32
                sourceSize.width: 32
                sourceSize.height: 32
                source: menu.env ? menu.env.img("menu", modelData + "_" + (area.pressed
                        || (index === 0 && menu.settingsOpen) ? 2 : area.containsMouse ? 1 : 0)
                        + ".png") : ""

                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menu.buttonClicked(icon.index)
                }
            }
        }
    }
}
