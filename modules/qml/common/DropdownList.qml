pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import "../basic"

// A drop-down choice of strings. activated(index) reports user choices only.
T.ComboBox {
    id: control

    property Environment env

    implicitWidth: 180
    implicitHeight: 32
    hoverEnabled: true
    font.family: env ? env.fontFamily : ""
    font.pixelSize: env ? env.fontSize : 13

    delegate: T.ItemDelegate {
        id: entry
        required property int index
        required property var modelData
        objectName: control.objectName ? control.objectName + "Item" + index : ""
        width: control.width - 8
        height: 28
        hoverEnabled: true
        highlighted: control.highlightedIndex === index
        contentItem: Text {
            leftPadding: 8
            text: String(entry.modelData)
            font: control.font
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
            color: !control.env ? "white" : entry.index === control.currentIndex ? control.env.accent
                                                                                 : control.env.text
        }
        background: Rectangle {
            radius: 4
            color: entry.highlighted && control.env ? control.env.hover : "transparent"
        }
    }

    indicator: Text {
        x: control.width - width - 10
        y: (control.height - height) / 2
        text: control.popup.visible ? "\u25B4" : "\u25BE"
        font.pixelSize: 12
        color: control.env ? control.env.accent : "white"
    }

    contentItem: Text {
        leftPadding: 10
        rightPadding: 26
        text: control.displayText
        font: control.font
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        color: control.env ? control.env.text : "white"
    }

    background: Rectangle {
        radius: 6
        color: !control.env ? "gray" : control.hovered ? control.env.hover : control.env.panelAlt
        border.color: !control.env ? "white" : control.popup.visible || control.visualFocus
                                               ? control.env.accent : control.env.line
    }

    popup: T.Popup {
        y: control.height + 2
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight + 8, 240)
        padding: 4
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            boundsBehavior: Flickable.StopAtBounds
        }
        background: Rectangle {
            radius: 6
            color: control.env ? control.env.panel : "black"
            border.color: control.env ? control.env.accent : "white"
        }
    }
}
