pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Up to eight colour swatches, one of them selected for editing. Swatch i is named
// namePrefix + i.
Item {
    id: group

    property Environment env
    property var colors: []
    property int count: 8
    property int currentIndex: 0
    property string namePrefix: "colorSwatch"
    property int spacing: 8

    signal selected(int index)

    readonly property int cell: Math.floor((width - 7 * spacing) / 8)

    implicitWidth: 8 * 40 + 7 * spacing
    implicitHeight: cell + 18

    Row {
        spacing: group.spacing
        Repeater {
            model: Math.max(1, Math.min(8, group.count))
            delegate: Item {
                id: swatch
                required property int index
                readonly property bool current: index === group.currentIndex
                objectName: group.namePrefix + index
                width: group.cell
                height: group.cell + 18

                Rectangle {
                    // Selection ring.
                    width: group.cell
                    height: group.cell
                    radius: 8
                    color: "transparent"
                    border.width: 2
                    border.color: !group.env ? "white" : swatch.current ? group.env.accent
                                : area.containsMouse ? group.env.line : "transparent"
                    Rectangle {
                        anchors.fill: parent
                        anchors.margins: 4
                        radius: 5
                        color: swatch.index < group.colors.length ? group.colors[swatch.index]
                                                                  : "black"
                        border.width: 1
                        border.color: Qt.rgba(0, 0, 0, 0.35)
                    }
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: parent.bottom
                    text: String(swatch.index + 1)
                    font.family: group.env ? group.env.fontFamily : ""
                    font.pixelSize: group.env ? group.env.fontSize - 2 : 11
                    font.bold: swatch.current
                    color: !group.env ? "white"
                         : swatch.current ? group.env.accent : group.env.textDim
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: {
                        group.currentIndex = swatch.index
                        group.selected(swatch.index)
                    }
                }
            }
        }
    }
}
