pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A row of up to eight exclusive choices, each optionally marked with a colour swatch.
// Button i is named namePrefix + i, so scripts and tests can click it.
Item {
    id: group

    property Environment env
    property var model: []
    property var colors: []
    property int currentIndex: -1
    property string namePrefix: ""
    property int spacing: 6
    // A second line under each caption (for example a DPI value).
    property var subTexts: []

    signal selected(int index)
    signal rightClicked(int index, real x, real y)

    implicitWidth: 8 * 72
    implicitHeight: subTexts.length ? 48 : 32

    Row {
        anchors.fill: parent
        spacing: group.spacing

        Repeater {
            model: group.model

            delegate: Rectangle {
                id: cell

                required property int index
                required property var modelData
                readonly property bool current: index === group.currentIndex
                readonly property color swatch: index < group.colors.length ? group.colors[index]
                                                                            : "transparent"

                objectName: group.namePrefix ? group.namePrefix + index : ""
                width: (group.width - group.spacing * (group.model.length - 1))
                       / Math.max(1, group.model.length)
                height: group.height
                radius: 6
                color: !group.env ? "gray" : current ? group.env.accent
                     : area.containsMouse ? group.env.hover : group.env.panelAlt
                border.color: !group.env ? "white" : current ? group.env.accent : group.env.line

                Rectangle {
                    visible: cell.swatch.a > 0
                    width: 10
                    height: 10
                    radius: 5
                    color: cell.swatch
                    border.color: group.env ? group.env.line : "black"
                    anchors.left: parent.left
                    anchors.leftMargin: 8
                    anchors.verticalCenter: caption.verticalCenter
                }

                Column {
                    id: caption
                    anchors.centerIn: parent
                    width: parent.width - (cell.swatch.a > 0 ? 36 : 8)
                    anchors.horizontalCenterOffset: cell.swatch.a > 0 ? 7 : 0

                    Text {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: String(cell.modelData)
                        font.family: group.env ? group.env.fontFamily : ""
                        font.pixelSize: group.env ? group.env.fontSize : 13
                        font.bold: cell.current
                        color: !group.env ? "white" : cell.current ? group.env.accentText
                                                                  : group.env.text
                    }
                    Text {
                        width: parent.width
                        visible: group.subTexts.length > 0
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: cell.index < group.subTexts.length ? String(group.subTexts[cell.index])
                                                                 : ""
                        font.family: group.env ? group.env.fontFamily : ""
                        font.pixelSize: group.env ? group.env.fontSize - 2 : 11
                        color: !group.env ? "white" : cell.current ? group.env.accentText
                                                                  : group.env.textDim
                    }
                }

                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function (mouse) {
                        if (mouse.button === Qt.RightButton) {
                            const p = mapToItem(group, mouse.x, mouse.y)
                            group.rightClicked(cell.index, p.x, p.y)
                            return
                        }
                        group.currentIndex = cell.index
                        group.selected(cell.index)
                    }
                }
            }
        }
    }
}
