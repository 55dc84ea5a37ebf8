pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A number field. With `values` set, a typed number snaps to the nearest offered value and the
// arrows or the wheel step through the offered values; otherwise it is clamped to from … to.
Rectangle {
    id: control

    property Environment env
    property int value: 0
    property int from: 0
    property int to: 99999
    property var values: []
    property string suffix: ""
    property alias inputObjectName: field.objectName

    signal edited(int value)

    implicitWidth: 110
    implicitHeight: 32
    radius: 6
    color: env ? env.panelAlt : "gray"
    border.color: !env ? "white" : field.activeFocus ? env.accent : env.line

    function nearest(v) {
        if (values.length === 0)
            return Math.max(from, Math.min(to, Math.round(v)))
        let best = Number(values[0])
        for (let i = 1; i < values.length; ++i) {
            const c = Number(values[i])
            if (Math.abs(c - v) < Math.abs(best - v))
                best = c
        }
        return best
    }

    function step(direction) {
        let next = value
        if (values.length === 0) {
            next = nearest(value + direction)
        } else {
            let i = 0
            while (i < values.length && Number(values[i]) !== value)
                ++i
            i = i === values.length ? 0 : Math.max(0, Math.min(values.length - 1, i + direction))
            next = Number(values[i])
        }
        commit(next)
    }

    function commit(v) {
        const snapped = nearest(v)
        field.text = String(snapped)
        if (snapped !== value) {
            value = snapped
            edited(snapped)
        }
    }

    onValueChanged: if (!field.activeFocus) field.text = String(value)

    TextInput {
        id: field
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.right: unit.left
        anchors.verticalCenter: parent.verticalCenter
        text: String(control.value)
        validator: IntValidator { bottom: -99999; top: 99999 }
        selectByMouse: true
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize : 13
        color: control.env ? control.env.text : "white"
        selectionColor: control.env ? control.env.accent : "white"
        onEditingFinished: control.commit(text === "" ? control.value : Number(text))
        Keys.onUpPressed: control.step(1)
        Keys.onDownPressed: control.step(-1)
    }

    Text {
        id: unit
        anchors.right: arrows.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        text: control.suffix
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize - 2 : 11
        color: control.env ? control.env.textDim : "white"
    }

    Column {
        id: arrows
        anchors.right: parent.right
        anchors.rightMargin: 2
        anchors.verticalCenter: parent.verticalCenter
        Repeater {
            model: [1, -1]
            delegate: Rectangle {
                required property var modelData
                width: 18
                height: 14
                radius: 3
                color: arrowArea.containsMouse && control.env ? control.env.hover : "transparent"
                Text {
                    anchors.centerIn: parent
                    text: parent.modelData > 0 ? "\u25B4" : "\u25BE"
                    font.pixelSize: 11
                    color: control.env ? control.env.textDim : "white"
                }
                MouseArea {
                    id: arrowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: control.step(parent.modelData)
                }
            }
        }
    }

    WheelHandler {
        onWheel: function (event) { control.step(event.angleDelta.y > 0 ? 1 : -1) }
    }
}
