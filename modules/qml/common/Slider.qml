import QtQuick
import QtQuick.Templates as T
import "../basic"

// A captioned slider with its value shown on the right. moved() reports user changes only.
Item {
    id: control

    property Environment env
    property alias text: caption.text
    property string valueText: String(Math.round(value))
    property alias from: slider.from
    property alias to: slider.to
    property alias stepSize: slider.stepSize
    property real value: 0
    property alias pressed: slider.pressed
    property alias sliderObjectName: slider.objectName
    // The slider itself, for marks drawn along its track.
    readonly property Item track: slider

    signal moved(real value)

    implicitWidth: 320
    implicitHeight: caption.text ? 48 : 24

    Text {
        id: caption
        visible: text !== ""
        anchors.left: parent.left
        anchors.right: valueLabel.left
        anchors.top: parent.top
        elide: Text.ElideRight
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        color: control.env ? control.env.text : "white"
    }

    Text {
        id: valueLabel
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.topMargin: caption.visible ? 0 : 4
        text: control.valueText
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        font.bold: true
        color: control.env ? control.env.accent : "white"
    }

    T.Slider {
        id: slider
        anchors.left: parent.left
        anchors.right: caption.visible ? parent.right : valueLabel.left
        anchors.rightMargin: caption.visible ? 0 : 12
        anchors.bottom: parent.bottom
        height: 24
        snapMode: T.Slider.SnapAlways
        focusPolicy: Qt.StrongFocus
        value: control.value
        onMoved: {
            control.value = value
            control.moved(value)
        }

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: slider.availableWidth
            height: 4
            radius: 2
            color: control.env ? control.env.line : "gray"
            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: control.env ? control.env.accent : "white"
            }
        }

        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: 16
            height: 16
            radius: 8
            color: slider.pressed ? (control.env ? control.env.accent : "white") : "#f4f6fa"
            border.color: control.env ? control.env.accent : "white"
            border.width: slider.activeFocus || slider.hovered ? 3 : 2
        }
    }
}
