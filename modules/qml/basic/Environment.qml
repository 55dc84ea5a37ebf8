import QtQuick

// What every page and control shares: the skin, fonts, text colours and strings of the global
// settings, and the scene's key events. The shell creates one and hands it to every page.
QtObject {
    id: env

    property int skin: 1
    property int animationTime: 800
    property var strings: []
    property var layoutStrings: []
    property string fontFamily: "DejaVu Sans"
    property int textSize: 0
    readonly property int fontSize: textSize === 1 ? 15 : 13

    // The chosen text colour and brightness (alpha 45 + step × 210 / 7 out of 255).
    property color textBase: "#00ffff"
    property int brightness: 7
    readonly property color text: Qt.rgba(textBase.r, textBase.g, textBase.b,
                                           (45 + brightness * 210 / 7) / 255)
    readonly property color textDim: Qt.rgba(0.62, 0.66, 0.72, 0.55 + 0.45 * brightness / 7)

    // Theme colours of the two skins.
    readonly property bool ember: skin === 2
    readonly property color accent: ember ? "#ff7a1a" : "#22d3ee"
    readonly property color accentText: ember ? "#1a0f08" : "#061a1f"
    readonly property color bg: ember ? "#17120f" : "#14171d"
    readonly property color panel: ember ? "#211a16" : "#1b1f27"
    readonly property color panelAlt: ember ? "#2b221c" : "#232833"
    readonly property color line: ember ? "#3d3129" : "#2f3644"
    readonly property color hover: ember ? "#34291f" : "#2a3140"
    readonly property color danger: "#f0506e"

    // Shared key tables, set by the shell.
    property var keys: null

    signal keyEvent(bool isDown, int usbCode)
    // Asks the scene to ignore input for ms milliseconds (the root's setProtectUI).
    signal protectRequested(int ms)
    signal mouseEvent(bool isDown, int code)

    function s(i) {
        return i < strings.length && strings[i] !== undefined ? String(strings[i]) : ""
    }

    function img(dir, file) {
        return "file:modules/img/skin" + skin + "/" + dir + "/" + file
    }

    function protect(ms) {
        protectRequested(ms)
    }
}
