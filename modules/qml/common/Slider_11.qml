pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A stepped slider (steps positions, 0 … steps − 1) with a tick under every step.
Item {
    id: control

    property Environment env
    property alias text: inner.text
    property int steps: 11
    property int value: 0
    property var labels: []
    property alias sliderObjectName: inner.sliderObjectName

    signal moved(int value)

    implicitWidth: 320
    implicitHeight: inner.implicitHeight + 10

    Slider {
        id: inner
        env: control.env
        width: parent.width
        from: 0
        to: Math.max(1, control.steps - 1)
        stepSize: 1
        value: control.value
        valueText: control.value < control.labels.length ? String(control.labels[control.value])
                                                         : String(control.value)
        onMoved: function (v) {
            control.value = Math.round(v)
            control.moved(control.value)
        }
    }

    Row {
        id: ticks
        anchors.top: inner.bottom
        anchors.topMargin: -4
        x: inner.track.x + 8
        width: inner.track.width - 16
        Repeater {
            model: control.steps
            delegate: Item {
                required property int index
                width: control.steps > 1 ? ticks.width / (control.steps - 1) : 0
                height: 6
                x: 0
                Rectangle {
                    x: -0.5
                    width: 1
                    height: 5
                    color: control.env && parent.index <= control.value ? control.env.accent
                                                                        : (control.env ? control.env.line : "gray")
                }
            }
        }
    }
}
