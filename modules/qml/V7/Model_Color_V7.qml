import QtQuick

// Eight colours and the lighting effect as the pages hold them, with the encodings the device
// takes. No device calls here: the pages read and send, this only converts and checks.
QtObject {
    id: model

    // The factory palette: red, green, blue, yellow, magenta, cyan, orange, white.
    readonly property var defaultColors: ["#ff0000", "#00ff00", "#0000ff", "#ffff00", "#ff00ff",
        "#00ffff", "#ff8000", "#ffffff"]
    property var colors: defaultColors.slice()

    // Effects: 0 off, 1 static, 2 breathing, 3 neon; brightness and speed are steps 0..7.
    property int effect: 2
    property int brightness: 7
    property int speed: 7
    // The option byte last sent; "off" sends it again unchanged.
    property int lastOption1: 1

    function clampStep(v) {
        var n = Math.round(Number(v))
        return isNaN(n) ? 0 : Math.max(0, Math.min(7, n))
    }

    // Nearest integer, halves up.
    function roundHalfUp(x) {
        return Math.floor(x + 0.5)
    }

    // The device's option byte: brightness 1..10 for static, period 1..5 for breathing (faster
    // is shorter), speed 1..30 for neon.
    function option1(effect, brightness, speed, previous) {
        switch (effect) {
        case 1:
            return 1 + roundHalfUp(brightness * 9 / 7)
        case 2:
            return 1 + roundHalfUp((7 - speed) * 4 / 7)
        case 3:
            return 1 + roundHalfUp(speed * 29 / 7)
        default:
            return previous
        }
    }

    function rgbList(list) {
        var out = []
        for (var i = 0; i < 8; ++i) {
            var c = Qt.color(list[i])
            out.push(Math.round(c.r * 255), Math.round(c.g * 255), Math.round(c.b * 255))
        }
        return out
    }

    function toRgb() {
        return rgbList(colors)
    }

    function colorOf(r, g, b) {
        return Qt.rgba((Number(r) & 0xFF) / 255, (Number(g) & 0xFF) / 255,
                       (Number(b) & 0xFF) / 255, 1)
    }

    // Takes eight RGB triples; any other length leaves the colours as they are.
    function acceptRgb(list) {
        if (!list || list.length !== 24)
            return false
        var out = []
        for (var i = 0; i < 8; ++i)
            out.push(colorOf(list[3 * i], list[3 * i + 1], list[3 * i + 2]))
        colors = out
        return true
    }

    // Takes [effect, brightness step, speed step]; any other length changes nothing.
    function acceptEffect(list) {
        if (!list || list.length !== 3)
            return false
        effect = Math.max(0, Math.min(3, Math.round(Number(list[0])) || 0))
        brightness = clampStep(list[1])
        speed = clampStep(list[2])
        return true
    }

    function setColor(index, value) {
        if (index < 0 || index > 7)
            return
        var out = colors.slice()
        out[index] = Qt.color(value)
        colors = out
    }
}
