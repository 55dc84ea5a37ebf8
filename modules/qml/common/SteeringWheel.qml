pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A wheel for a whole number: turn it by dragging around its centre, scroll over it, or use the
// arrow keys (Page Up/Down for ten steps, Home/End for the ends) once it has the focus. The rim
// turns with the value; the value stays upright in the middle.
Item {
    id: wheel

    property Environment env
    property int from: 0
    property int to: 100
    property int stepSize: 1
    property int value: 0
    property string text          // caption under the value
    property string suffix        // unit after the value
    // Degrees of turn for the whole range; the gap of the track sits at the bottom.
    readonly property real sweep: 270

    // User changes only, like the other controls.
    signal moved(int value)

    implicitWidth: 120
    implicitHeight: 120
    activeFocusOnTab: true

    Accessible.role: Accessible.Dial
    Accessible.name: text

    readonly property real fraction: to > from ? (clamped(value) - from) / (to - from) : 0
    readonly property real angle: -sweep / 2 + fraction * sweep
    readonly property color accent: env ? env.accent : "#22d3ee"
    readonly property color track: env ? env.line : "#2f3644"
    readonly property color face: env ? env.panelAlt : "#232833"
    readonly property color valueColor: env ? env.text : "#e6e8ee"
    readonly property color captionColor: env ? env.textDim : "#9aa3b2"

    function clamped(v) {
        return Math.max(from, Math.min(to, v))
    }

    function snapped(v) {
        var step = Math.max(1, stepSize)
        return clamped(from + Math.round((v - from) / step) * step)
    }

    function change(v) {
        var n = snapped(v)
        if (n === value)
            return
        value = n
        moved(n)
    }

    Canvas {
        id: ring
        anchors.fill: parent
        antialiasing: true

        readonly property real lineWidth: Math.max(4, Math.round(width / 17))

        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            var r = Math.min(width, height) / 2 - lineWidth / 2 - 1
            var cx = width / 2
            var cy = height / 2
            // Canvas angles start at 3 o'clock; the wheel's 0 is at 12 o'clock.
            var start = (-90 - wheel.sweep / 2) * Math.PI / 180
            var end = start + wheel.sweep * Math.PI / 180
            var at = start + wheel.fraction * wheel.sweep * Math.PI / 180
            ctx.lineCap = "round"
            ctx.lineWidth = lineWidth
            ctx.strokeStyle = wheel.track
            ctx.beginPath()
            ctx.arc(cx, cy, r, start, end, false)
            ctx.stroke()
            if (wheel.fraction > 0) {
                ctx.strokeStyle = wheel.accent
                ctx.beginPath()
                ctx.arc(cx, cy, r, start, at, false)
                ctx.stroke()
            }
        }

        Connections {
            target: wheel
            function onFractionChanged() {
                ring.requestPaint()
            }
            function onAccentChanged() {
                ring.requestPaint()
            }
            function onTrackChanged() {
                ring.requestPaint()
            }
        }
    }

    // The turning part: a face with a grip mark and two spokes.
    Rectangle {
        id: rim
        anchors.centerIn: parent
        width: parent.width - 2 * ring.lineWidth - 10
        height: width
        radius: width / 2
        color: wheel.face
        border.width: wheel.activeFocus ? 2 : 1
        border.color: wheel.activeFocus ? wheel.accent : wheel.track
        rotation: wheel.angle

        Behavior on rotation {
            enabled: !dragArea.pressed
            NumberAnimation {
                duration: wheel.env ? Math.min(120, wheel.env.animationTime) : 120
                easing.type: Easing.OutCubic
            }
        }

        Rectangle {
            // grip mark at the top of the rim
            width: 4
            height: Math.max(8, rim.height / 7)
            radius: 2
            x: (rim.width - width) / 2
            y: 3
            color: wheel.accent
        }
        // Three spokes from the hub to the rim, left, right and down.
        Repeater {
            model: 3
            Rectangle {
                required property int index
                width: 4
                height: rim.height / 2 - 3
                x: (rim.width - width) / 2
                y: rim.height / 2
                radius: 2
                color: wheel.track
                transformOrigin: Item.Top
                rotation: [0, 90, 270][index]
            }
        }
        Rectangle {
            // hub behind the value
            anchors.centerIn: parent
            width: rim.width * 0.62
            height: width
            radius: width / 2
            color: wheel.face
            border.width: 1
            border.color: wheel.track
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 0

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 2

            Text {
                id: valueLabel
                objectName: "valueText"
                text: wheel.clamped(wheel.value)
                color: wheel.valueColor
                font.family: wheel.env ? wheel.env.fontFamily : "DejaVu Sans"
                font.pixelSize: Math.round(wheel.height / 5)
                font.bold: true
            }
            Text {
                visible: wheel.suffix !== ""
                anchors.baseline: valueLabel.baseline
                text: wheel.suffix
                color: wheel.captionColor
                font.family: wheel.env ? wheel.env.fontFamily : "DejaVu Sans"
                font.pixelSize: wheel.env ? wheel.env.fontSize - 2 : 11
            }
        }
        Text {
            visible: wheel.text !== ""
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, rim.width * 0.6)
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: wheel.text
            color: wheel.captionColor
            font.family: wheel.env ? wheel.env.fontFamily : "DejaVu Sans"
            font.pixelSize: wheel.env ? wheel.env.fontSize - 3 : 10
        }
    }

    MouseArea {
        id: dragArea
        anchors.fill: parent
        preventStealing: true
        cursorShape: pressed ? Qt.ClosedHandCursor : Qt.OpenHandCursor

        property real lastAngle: 0
        property real raw: 0

        function pointerAngle(mx, my) {
            return Math.atan2(mx - width / 2, height / 2 - my) * 180 / Math.PI
        }

        onPressed: function (mouse) {
            wheel.forceActiveFocus(Qt.MouseFocusReason)
            lastAngle = pointerAngle(mouse.x, mouse.y)
            raw = wheel.value
        }
        onPositionChanged: function (mouse) {
            var dx = mouse.x - width / 2
            var dy = mouse.y - height / 2
            // Near the centre the angle jumps about; wait until the pointer is out again.
            if (dx * dx + dy * dy < 64)
                return
            var a = pointerAngle(mouse.x, mouse.y)
            var delta = a - lastAngle
            if (delta > 180)
                delta -= 360
            else if (delta < -180)
                delta += 360
            lastAngle = a
            // Turning back from an end takes effect at once.
            raw = wheel.clamped(raw + delta * (wheel.to - wheel.from) / wheel.sweep)
            wheel.change(raw)
        }

        property real wheelRest: 0
        onWheel: function (event) {
            var d = event.angleDelta.y !== 0 ? event.angleDelta.y : -event.angleDelta.x
            wheelRest += d
            var notches = wheelRest > 0 ? Math.floor(wheelRest / 120) : Math.ceil(wheelRest / 120)
            if (notches !== 0) {
                wheelRest -= notches * 120
                wheel.change(wheel.value + notches * Math.max(1, wheel.stepSize))
            }
            event.accepted = true
        }
    }

    Keys.onPressed: function (event) {
        var step = Math.max(1, stepSize)
        var target
        switch (event.key) {
        case Qt.Key_Up:
        case Qt.Key_Right:
            target = value + step
            break
        case Qt.Key_Down:
        case Qt.Key_Left:
            target = value - step
            break
        case Qt.Key_PageUp:
            target = value + 10 * step
            break
        case Qt.Key_PageDown:
            target = value - 10 * step
            break
        case Qt.Key_Home:
            target = from
            break
        case Qt.Key_End:
            target = to
            break
        default:
            return
        }
        change(target)
        event.accepted = true
    }
}
