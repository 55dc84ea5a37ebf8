pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../common"

// Lighting: effect, brightness and speed, the eight-colour palette and a live preview.
Item {
    id: page
    objectName: "pageColor"
    width: 780
    height: 420

    property Environment env
    // Colour stages the palette offers (the application settings say how many).
    property int stageCount: 8
    property int editIndex: 0

    Model_Color_V7 {
        id: lights
    }

    function init() {
        const conf = ui_View.loadDeviceApConfig() || []
        const n = conf.length > 0 ? Math.round(Number(conf[0])) : 8
        stageCount = isNaN(n) ? 8 : Math.max(1, Math.min(8, n))
        editIndex = Math.min(editIndex, stageCount - 1)
        refresh()
    }

    // Reads of the wrong length are ignored: the page keeps what it shows.
    function refresh() {
        lights.acceptRgb(ui_View.ui_90H_GetLED8StageColor(0))
        lights.acceptEffect(ui_View.ui_8DH_GetRGBLedEffect())
    }

    function apply() {
        const configs = [lights.effect, lights.brightness, lights.speed]
        const option1 = lights.option1(lights.effect, lights.brightness, lights.speed,
                                       lights.lastOption1)
        lights.lastOption1 = option1
        ui_View.ui_10H_SetLED8StageColor(0, lights.toRgb())
        ui_View.ui_0DH_SetRGBLedEffect(lights.effect, option1, 2, configs)
    }

    function reset() {
        lights.effect = 2
        lights.brightness = 7
        lights.speed = 7
    }

    component Caption: Text {
        property Environment env
        font.family: env ? env.fontFamily : ""
        font.pixelSize: env ? env.fontSize - 2 : 11
        font.capitalization: Font.AllUppercase
        font.letterSpacing: 1.2
        color: env ? env.textDim : "gray"
    }

    component Card: Rectangle {
        property Environment env
        radius: 10
        color: env ? env.panel : "black"
        border.color: env ? env.line : "gray"
        border.width: 1
    }

    Card {
        id: effectCard
        env: page.env
        x: 12
        y: 12
        width: 416
        height: 396

        Caption {
            env: page.env
            x: 16
            y: 14
            text: page.env ? page.env.s(150) : ""
        }
        ButtonGroup_4 {
            id: effects
            env: page.env
            x: 16
            y: 36
            width: parent.width - 32
            height: 32
            spacing: 2
            namePrefix: "colorEffect"
            model: page.env ? [page.env.s(151), page.env.s(152), page.env.s(153), page.env.s(154)]
                            : ["", "", "", ""]
            onSelected: function (index) { lights.effect = index }
        }
        // Controls change their own values when used; these keep them following the model.
        Binding { target: effects; property: "currentIndex"; value: lights.effect }
        Binding { target: brightness; property: "value"; value: lights.brightness }
        Binding { target: speed; property: "value"; value: lights.speed }
        Slider_11 {
            id: brightness
            env: page.env
            x: 16
            y: 84
            width: parent.width - 32
            steps: 8
            text: page.env ? page.env.s(155) : ""
            sliderObjectName: "colorBrightness"
            // Only the static effect has a brightness of its own.
            enabled: lights.effect === 1
            opacity: enabled ? 1 : 0.35
            onMoved: function (v) { lights.brightness = v }
        }
        Slider_11 {
            id: speed
            env: page.env
            x: 16
            y: 150
            width: parent.width - 32
            steps: 8
            text: page.env ? page.env.s(156) : ""
            sliderObjectName: "colorSpeed"
            enabled: lights.effect >= 2
            opacity: enabled ? 1 : 0.35
            onMoved: function (v) { lights.speed = v }
        }

        Caption {
            env: page.env
            x: 16
            y: 224
            text: page.env ? page.env.s(158) : ""
        }
        Rectangle {
            id: preview
            objectName: "colorPreview"
            x: 16
            y: 246
            width: parent.width - 32
            height: 134
            radius: 8
            color: "#0b0c0f"
            border.color: page.env ? page.env.line : "gray"
            clip: true

            // Animated only while someone can see it.
            readonly property bool live: page.visible && page.opacity > 0 && lights.effect >= 2
                                         && Window.window !== null
                                         && Window.window.visibility !== Window.Minimized
                                         && Window.window.visibility !== Window.Hidden
            readonly property alias animating: previewAnimation.running
            property real phase: 0
            property int cycle: 0
            readonly property int count: page.stageCount

            function mix(a, b, t) {
                return Qt.rgba(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t,
                               a.b + (b.b - a.b) * t, 1)
            }
            function ledColor(i) {
                const c = lights.colors
                if (lights.effect === 0)
                    return "#1a1c22"
                if (lights.effect === 2)
                    return c[cycle % count]
                if (lights.effect === 3) {
                    const shift = phase * count
                    const k = Math.floor(shift)
                    return mix(Qt.color(c[(i + k) % count]), Qt.color(c[(i + k + 1) % count]),
                               shift - k)
                }
                return c[i % count]
            }
            readonly property real intensity: lights.effect === 0 ? 0
                : lights.effect === 1 ? 0.25 + 0.75 * lights.brightness / 7
                : lights.effect === 2 ? 0.08 + 0.92 * (0.5 - 0.5 * Math.cos(2 * Math.PI * phase))
                : 1

            NumberAnimation {
                id: previewAnimation
                objectName: "colorPreviewAnimation"
                target: preview
                property: "phase"
                from: 0
                to: 1
                loops: Animation.Infinite
                running: preview.live
                // Faster steps give shorter breaths and a quicker colour run.
                duration: lights.effect === 2 ? 900 + 500 * lights.option1(2, 0, lights.speed, 1)
                                             : 1200 + (7 - lights.speed) * 1400
                onRunningChanged: if (!running) preview.phase = 0
            }
            onPhaseChanged: {
                if (lights.effect === 2 && phase < lastPhase)
                    cycle = (cycle + 1) % 8
                lastPhase = phase
                if (lights.effect === 3)
                    strip.requestPaint()
            }
            property real lastPhase: 0

            // The mouse's light strip, its lights glowing into the dark.
            Canvas {
                id: strip
                anchors.fill: parent
                onPaint: {
                    const ctx = getContext("2d")
                    ctx.reset()
                    ctx.clearRect(0, 0, width, height)
                    const n = preview.count
                    const left = 36
                    const w = width - 2 * left
                    const h = 12
                    const top = (height - h) / 2
                    ctx.fillStyle = "#050506"
                    ctx.strokeStyle = "#2a2d35"
                    ctx.lineWidth = 1
                    ctx.beginPath()
                    ctx.roundedRect(left - 4, top - 4, w + 8, h + 8, (h + 8) / 2, (h + 8) / 2)
                    ctx.fill()
                    ctx.stroke()
                    const gap = 3
                    const seg = (w - gap * (n - 1)) / n
                    for (let i = 0; i < n; ++i) {
                        const c = Qt.color(preview.ledColor(i))
                        const k = preview.intensity
                        const lit = Qt.rgba(0.08 + (c.r - 0.08) * k, 0.09 + (c.g - 0.09) * k,
                                            0.11 + (c.b - 0.11) * k, 1)
                        ctx.shadowColor = Qt.rgba(c.r, c.g, c.b, 0.9 * k)
                        ctx.shadowBlur = 26
                        ctx.fillStyle = lit
                        ctx.beginPath()
                        ctx.roundedRect(left + i * (seg + gap), top, seg, h, 3, 3)
                        ctx.fill()
                    }
                }
            }
            onIntensityChanged: strip.requestPaint()
            onCycleChanged: strip.requestPaint()
            onCountChanged: strip.requestPaint()
            Connections {
                target: lights
                function onColorsChanged() { strip.requestPaint() }
                function onEffectChanged() { strip.requestPaint() }
            }
        }
    }

    Card {
        id: paletteCard
        env: page.env
        x: 440
        y: 12
        width: 328
        height: 396

        Caption {
            env: page.env
            x: 16
            y: 14
            text: page.env ? page.env.s(157) : ""
        }
        ColorGroup_8 {
            id: swatches
            env: page.env
            x: 16
            y: 36
            width: parent.width - 32
            count: page.stageCount
            colors: lights.colors
            namePrefix: "colorSwatch"
            onSelected: function (index) { page.editIndex = index }
        }
        Binding { target: swatches; property: "currentIndex"; value: page.editIndex }
        Binding { target: picker; property: "color"; value: lights.colors[page.editIndex] }
        Caption {
            env: page.env
            x: 16
            y: 112
            text: page.env ? page.env.s(162).replace("%1", String(page.editIndex + 1)) : ""
        }
        ColorPicker {
            id: picker
            env: page.env
            prefix: "colorPicker"
            x: 16
            y: 134
            width: parent.width - 32
            height: 204
            // The palette above already offers its colours.
            swatches: []
            onMoved: function (c) { lights.setColor(page.editIndex, c) }
            onEdited: function (c) { lights.setColor(page.editIndex, c) }
        }
    }

    Row {
        anchors.right: paletteCard.right
        anchors.rightMargin: 16
        anchors.bottom: paletteCard.bottom
        anchors.bottomMargin: 16
        spacing: 12
        Button_Test {
            objectName: "colorReset"
            env: page.env
            text: page.env ? page.env.s(160) : ""
            onClicked: page.reset()
        }
        Button_Test {
            objectName: "colorApply"
            env: page.env
            accented: true
            text: page.env ? page.env.s(159) : ""
            onClicked: page.apply()
        }
    }
}
