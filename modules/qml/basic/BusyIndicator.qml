pragma ComponentBehavior: Bound
import QtQuick

// Shown while the view ignores input (setProtectUI); the spinner turns only while visible.
Item {
    id: busy

    property Environment env

    Rectangle {
        anchors.fill: parent
        radius: 14
        color: "#000000"
        opacity: 0.45
    }

    Item {
        id: spinner
        anchors.centerIn: parent
        width: 44
        height: 44

        Repeater {
            model: 8
            delegate: Rectangle {
                required property int index
                x: spinner.width / 2 - width / 2 + Math.sin(index * Math.PI / 4) * 16
                y: spinner.height / 2 - height / 2 - Math.cos(index * Math.PI / 4) * 16
                width: 7
                height: 7
                radius: 3.5
                color: busy.env ? busy.env.accent : "white"
                opacity: 0.25 + index * 0.1
            }
        }

        RotationAnimation on rotation {
            running: busy.visible
            from: 0
            to: 360
            duration: 900
            loops: Animation.Infinite
        }
    }

    // Swallows clicks while busy.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
    }
}
