pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Picks a colour: saturation/value area, hue strip, a row of quick swatches and hex entry.
// `color` follows outside changes; `moved` reports every change while dragging, `edited` each
// finished one (release, swatch, hex), which is when pages send to the device.
Item {
    id: picker

    property Environment env
    property color color: "#ff0000"
    property var swatches: ["#ff0000", "#ff8000", "#ffff00", "#00ff00", "#00ffff", "#0000ff",
        "#ff00ff", "#ffffff"]
    property string prefix: "picker"

    signal moved(color value)
    signal edited(color value)

    // The picker's own coordinates; hue survives greys and black.
    property real hue: 0
    property real sat: 1
    property real val: 1
    property bool updating: false

    implicitWidth: 232
    implicitHeight: 212

    function hex(c) {
        function two(x) {
            var s = Math.round(x * 255).toString(16)
            return s.length < 2 ? "0" + s : s
        }
        return ("#" + two(c.r) + two(c.g) + two(c.b)).toUpperCase()
    }

    function syncFromColor() {
        if (updating)
            return
        var c = Qt.color(picker.color)
        if (c.hsvHue >= 0)
            hue = c.hsvHue
        sat = c.hsvSaturation
        val = c.hsvValue
        if (!hexField.activeFocus)
            hexField.text = hex(c).substring(1)
    }

    function take(h, s, v, finished) {
        hue = Math.max(0, Math.min(1, h))
        sat = Math.max(0, Math.min(1, s))
        val = Math.max(0, Math.min(1, v))
        // Echoes of our own colour must not move the handles by rounding.
        updating = true
        picker.color = Qt.hsva(hue, sat, val, 1)
        hexField.text = hex(picker.color).substring(1)
        moved(picker.color)
        if (finished)
            edited(picker.color)
        updating = false
    }

    function takeColor(c) {
        picker.color = c
        syncFromColor()
        edited(picker.color)
    }

    onColorChanged: syncFromColor()
    Component.onCompleted: syncFromColor()

    // Saturation left to right, value top to bottom.
    Rectangle {
        id: area
        objectName: picker.prefix + "Area"
        x: 0
        y: 0
        width: picker.width - strip.width - 10
        height: picker.height - (picker.swatches.length > 0 ? 64 : 34)
        radius: 4
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: "#ffffff" }
            GradientStop { position: 1; color: Qt.hsva(picker.hue, 1, 1, 1) }
        }
        Rectangle {
            anchors.fill: parent
            radius: 4
            gradient: Gradient {
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 1; color: "#000000" }
            }
        }
        Rectangle {
            // The handle.
            width: 14
            height: 14
            radius: 7
            x: picker.sat * area.width - width / 2
            y: (1 - picker.val) * area.height - height / 2
            color: picker.color
            border.color: picker.val > 0.6 ? "#000000" : "#ffffff"
            border.width: 2
        }
        MouseArea {
            anchors.fill: parent
            preventStealing: true
            function pick(mouse, finished) {
                picker.take(picker.hue, mouse.x / width, 1 - mouse.y / height, finished)
            }
            onPressed: function (mouse) { pick(mouse, false) }
            onPositionChanged: function (mouse) { pick(mouse, false) }
            onReleased: function (mouse) { pick(mouse, true) }
        }
    }

    // Hue top to bottom.
    Rectangle {
        id: strip
        objectName: picker.prefix + "Hue"
        anchors.right: parent.right
        y: 0
        width: 18
        height: area.height
        radius: 4
        gradient: Gradient {
            GradientStop { position: 0 / 6; color: "#ff0000" }
            GradientStop { position: 1 / 6; color: "#ffff00" }
            GradientStop { position: 2 / 6; color: "#00ff00" }
            GradientStop { position: 3 / 6; color: "#00ffff" }
            GradientStop { position: 4 / 6; color: "#0000ff" }
            GradientStop { position: 5 / 6; color: "#ff00ff" }
            GradientStop { position: 1; color: "#ff0000" }
        }
        Rectangle {
            x: -3
            width: parent.width + 6
            height: 6
            radius: 2
            y: picker.hue * strip.height - height / 2
            color: "transparent"
            border.color: "#ffffff"
            border.width: 2
        }
        MouseArea {
            anchors.fill: parent
            preventStealing: true
            function pick(mouse, finished) {
                // A hue on a grey would change nothing visible: give it colour.
                var s = picker.sat < 0.05 ? 1 : picker.sat
                var v = picker.val < 0.05 ? 1 : picker.val
                picker.take(Math.min(0.999, Math.max(0, mouse.y / height)), s, v, finished)
            }
            onPressed: function (mouse) { pick(mouse, false) }
            onPositionChanged: function (mouse) { pick(mouse, false) }
            onReleased: function (mouse) { pick(mouse, true) }
        }
    }

    Row {
        id: quick
        visible: picker.swatches.length > 0
        y: area.height + 10
        spacing: 6
        Repeater {
            model: picker.swatches
            Rectangle {
                required property var modelData
                required property int index
                objectName: picker.prefix + "Quick" + index
                width: (area.width - 7 * 6) / 8
                height: 20
                radius: 3
                color: modelData
                border.width: 1
                border.color: picker.env ? picker.env.line : "#444444"
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: picker.takeColor(parent.color)
                }
            }
        }
    }

    Row {
        y: quick.visible ? quick.y + 30 : area.height + 10
        spacing: 8
        Rectangle {
            // The chosen colour.
            width: 36
            height: 24
            radius: 3
            color: picker.color
            border.width: 1
            border.color: picker.env ? picker.env.line : "#444444"
        }
        Rectangle {
            width: 96
            height: 24
            radius: 3
            color: picker.env ? picker.env.panelAlt : "#232833"
            border.width: 1
            border.color: hexField.activeFocus ? (picker.env ? picker.env.accent : "#22d3ee")
                                               : (picker.env ? picker.env.line : "#444444")
            Text {
                id: hash
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                text: "#"
                color: picker.env ? picker.env.textDim : "#999999"
                font.family: picker.env ? picker.env.fontFamily : "DejaVu Sans"
                font.pixelSize: picker.env ? picker.env.fontSize : 13
            }
            TextInput {
                id: hexField
                objectName: picker.prefix + "Hex"
                anchors.left: hash.right
                anchors.leftMargin: 2
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                color: picker.env ? picker.env.text : "#ffffff"
                selectionColor: picker.env ? picker.env.accent : "#22d3ee"
                font.family: "DejaVu Sans Mono"
                font.pixelSize: picker.env ? picker.env.fontSize : 13
                font.capitalization: Font.AllUppercase
                maximumLength: 6
                selectByMouse: true
                validator: RegularExpressionValidator {
                    regularExpression: /[0-9A-Fa-f]{0,6}/
                }
                function commit() {
                    if (text.length === 3)
                        text = text[0] + text[0] + text[1] + text[1] + text[2] + text[2]
                    const current = picker.hex(picker.color).substring(1)
                    if (text.length === 6 && text.toUpperCase() !== current)
                        picker.takeColor("#" + text)
                    else
                        text = picker.hex(picker.color).substring(1)
                }
                onAccepted: commit()
                onActiveFocusChanged: {
                    if (!activeFocus)
                        commit()
                }
            }
        }
    }
}
