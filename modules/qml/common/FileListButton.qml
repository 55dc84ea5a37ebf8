import QtQuick
import "../basic"

// A small icon and text button under a file list. icon: "new", "rename", "delete", "import",
// "export". `danger` draws it in the warning colour (a delete that waits for confirmation).
Item {
    id: control

    property Environment env
    property alias text: label.text
    property string icon: ""
    property bool danger: false

    signal clicked()

    readonly property color ink: !env ? "white" : !enabled ? env.textDim : danger ? env.danger
                                        : area.containsMouse ? env.accent : env.text

    implicitWidth: Math.max(72, 10 + glyph.width + 6 + label.implicitWidth + 10)
    implicitHeight: 28
    activeFocusOnTab: true
    Keys.onSpacePressed: clicked()

    BorderImage {
        anchors.fill: parent
        border { left: 10; right: 10; top: 10; bottom: 10 }
        source: control.env ? control.env.img("button", "btn_" + (!control.enabled ? 3
                              : area.pressed ? 2 : area.containsMouse ? 1 : 0) + ".png") : ""
    }

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: "transparent"
        border.width: 1
        border.color: control.env ? control.env.danger : "red"
        visible: control.danger
    }

    Rectangle {
        anchors.fill: parent
        anchors.margins: -2
        radius: 8
        color: "transparent"
        border.width: 1
        border.color: control.env ? control.env.accent : "white"
        visible: control.activeFocus
    }

    Row {
        anchors.centerIn: parent
        spacing: 6

        Canvas {
            id: glyph
            width: 14
            height: 14
            anchors.verticalCenter: parent.verticalCenter
            property color ink: control.ink
            property string icon: control.icon
            onInkChanged: requestPaint()
            onIconChanged: requestPaint()

            onPaint: {
                const g = getContext("2d")
                g.reset()
                g.strokeStyle = ink
                g.fillStyle = ink
                g.lineWidth = 1.6
                g.lineCap = "round"
                g.lineJoin = "round"
                g.beginPath()
                switch (icon) {
                case "new":      // a plus
                    g.moveTo(7, 2); g.lineTo(7, 12)
                    g.moveTo(2, 7); g.lineTo(12, 7)
                    break
                case "rename":   // a pencil over a line
                    g.moveTo(3, 10); g.lineTo(10, 3); g.lineTo(12, 5); g.lineTo(5, 12)
                    g.lineTo(3, 12); g.closePath()
                    break
                case "delete":   // a bin
                    g.moveTo(2, 3.5); g.lineTo(12, 3.5)
                    g.moveTo(5.5, 3.5); g.lineTo(5.5, 1.8); g.lineTo(8.5, 1.8); g.lineTo(8.5, 3.5)
                    g.moveTo(3.5, 3.5); g.lineTo(4.3, 12.5); g.lineTo(9.7, 12.5); g.lineTo(10.5, 3.5)
                    break
                case "import":   // an arrow down into a tray
                    g.moveTo(7, 1.5); g.lineTo(7, 8.5)
                    g.moveTo(4, 5.8); g.lineTo(7, 8.8); g.lineTo(10, 5.8)
                    g.moveTo(2, 9); g.lineTo(2, 12.5); g.lineTo(12, 12.5); g.lineTo(12, 9)
                    break
                case "export":   // an arrow up out of a tray
                    g.moveTo(7, 8.5); g.lineTo(7, 1.5)
                    g.moveTo(4, 4.5); g.lineTo(7, 1.5); g.lineTo(10, 4.5)
                    g.moveTo(2, 9); g.lineTo(2, 12.5); g.lineTo(12, 12.5); g.lineTo(12, 9)
                    break
                }
                g.stroke()
            }
        }

        Text {
            id: label
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, control.width - 20 - glyph.width - 6)
            elide: Text.ElideRight
            font.family: control.env ? control.env.fontFamily : ""
            font.pixelSize: control.env ? control.env.fontSize - 1 : 12
            color: control.ink
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: control.clicked()
    }
}
