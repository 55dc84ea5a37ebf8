pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T

// Eight exclusive choices with a context menu on each (right click, or the small arrow of the
// current one). Menu entry j of button i is named menuPrefix + j while the menu is open.
ButtonGroupPro_8 {
    id: group

    property var menuModel: []
    property string menuPrefix: namePrefix + "Menu"
    property int menuFor: -1
    readonly property Item menuContent: menu.contentItem

    signal menuTriggered(int index, int entry)

    function openMenu(index, x, y) {
        menuFor = index
        menu.x = Math.min(x, width - menu.width)
        menu.y = y
        menu.open()
    }

    onRightClicked: function (index, x, y) { openMenu(index, x, y) }

    T.Popup {
        id: menu
        width: 150
        padding: 4
        implicitHeight: group.menuModel.length * 28 + 8
        modal: false
        closePolicy: T.Popup.CloseOnEscape | T.Popup.CloseOnPressOutside

        background: Rectangle {
            radius: 6
            color: group.env ? group.env.panel : "black"
            border.color: group.env ? group.env.accent : "white"
        }

        contentItem: Column {
            Repeater {
                model: group.menuModel
                delegate: MouseArea {
                    required property int index
                    required property var modelData
                    objectName: group.menuPrefix + index
                    width: menu.width - 8
                    height: 28
                    hoverEnabled: true
                    onClicked: {
                        menu.close()
                        group.menuTriggered(group.menuFor, index)
                    }
                    Rectangle {
                        anchors.fill: parent
                        radius: 4
                        color: parent.containsMouse && group.env ? group.env.hover : "transparent"
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        x: 10
                        width: parent.width - 20
                        elide: Text.ElideRight
                        text: String(parent.modelData)
                        font.family: group.env ? group.env.fontFamily : ""
                        font.pixelSize: group.env ? group.env.fontSize : 13
                        color: group.env ? group.env.text : "white"
                    }
                }
            }
        }
    }
}
