pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// The function menu: buttons, macros, lighting, sensor, recoil (entries 0 … 4).
Item {
    id: menu

    property Environment env
    property int currentIndex: -1

    signal selected(int index)

    width: 184
    height: 480
    opacity: 0.2 + 0.8 * enabled

    Column {
        y: 52
        width: parent.width
        spacing: 6

        Repeater {
            model: 5
            delegate: Item {
                id: entry
                required property int index
                readonly property bool current: index === menu.currentIndex
                objectName: "funcMenu" + index
                width: menu.width
                height: 56

                Rectangle {
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    radius: 8
                    color: !menu.env ? "transparent" : entry.current ? menu.env.panelAlt
                         : area.containsMouse ? menu.env.hover : "transparent"
                    border.color: entry.current && menu.env ? menu.env.line : "transparent"
                }
                Rectangle {
                    x: 10
                    width: 3
                    height: 28
                    radius: 1.5
                    anchors.verticalCenter: parent.verticalCenter
                    color: menu.env ? menu.env.accent : "white"
                    visible: entry.current
                }
                Image {
                    asynchronous: true
                    id: icon
                    x: 22
                    anchors.verticalCenter: parent.verticalCenter
                    width: 40
                    height: 40
                    sourceSize.width: 40
                    sourceSize.height: 40
                    source: menu.env ? menu.env.img("func", "f" + entry.index + "_"
                            + (entry.current ? 2 : area.containsMouse ? 1 : 0) + ".png") : ""
                }
                Text {
                    anchors.left: icon.right
                    anchors.leftMargin: 10
                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: menu.env ? menu.env.s(20 + entry.index) : ""
                    font.family: menu.env ? menu.env.fontFamily : ""
                    font.pixelSize: menu.env ? menu.env.fontSize + 1 : 14
                    font.bold: entry.current
                    color: !menu.env ? "white" : entry.current ? menu.env.text : menu.env.textDim
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menu.selected(entry.index)
                }
            }
        }
    }
}
