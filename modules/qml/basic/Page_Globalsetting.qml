pragma ComponentBehavior: Bound
import QtQuick

// The global settings: look, sound, language and link of the program, stored as the 32-entry
// application settings list. Changes show at once; apply stores them, closing without apply
// goes back to what is stored.
Rectangle {
    id: page

    property Environment env
    property bool shown: false

    // Entry by entry, the application settings list.
    property int skin: 1
    property int sound: 0
    property int animation: 0
    property int language: 0
    property bool customBackgroundShown: false
    property string customBackgroundPath: ""
    property int textSize: 0
    property var textColors: [[0, 255, 255], [255, 200, 150], [255, 180, 0], [200, 200, 100],
                              [200, 170, 255], [255, 180, 180], [160, 190, 160]]
    property int textColor: 0
    property int brightness: 7
    property string linkTarget: "https://www.example.com/v7"

    property var languageNames: []
    property var languageCodes: []
    property bool skinShown: false

    // The strings were (re)loaded: every page re-reads its texts.
    signal reloaded()
    // Reset asks the scene to initialise everything again.
    signal resetRequested()

    width: 780
    height: 464
    radius: 10
    color: env ? env.panel : "black"
    border.color: env ? env.line : "gray"
    visible: opacity > 0
    opacity: shown ? 1 : 0
    Behavior on opacity {
        NumberAnimation { duration: page.env ? page.env.animationTime / 3 : 0 }
    }

    function toggle() {
        if (shown)
            load()
        else if (!controls.item)
            controls.setSource(Qt.resolvedUrl("GlobalControls.qml"), { "page": page })
        shown = !shown
    }

    function load() {
        const list = ui_View.loadApConfig()
        languageNames = []
        languageCodes = []
        if (list.length >= 32) {
            skin = Number(list[1])
            setSound(Number(list[2]), false)
            animation = Number(list[3])
        }
        const map = ui_View.chkLanguages()
        const names = Object.keys(map)
        languageCodes = names.map(n => String(map[n]))
        languageNames = names
        let lang = list.length >= 32 ? Number(list[4]) : names.indexOf("ENGLISH")
        selectLanguage(Math.max(0, Math.min(names.length - 1, lang)))
        if (list.length >= 32) {
            customBackgroundShown = list[5] === true || String(list[5]) === "true"
            customBackgroundPath = String(list[6])
            textSize = Number(list[7])
            const colors = []
            for (let i = 0; i < 7; ++i)
                colors.push([Number(list[8 + 3 * i]), Number(list[9 + 3 * i]),
                             Number(list[10 + 3 * i])])
            textColors = colors
            textColor = Math.max(0, Math.min(6, Number(list[29])))
            brightness = Math.max(0, Math.min(7, Number(list[30])))
            linkTarget = String(list[31])
        }
        skinShown = ui_View.getIsSkinShow()
        publish()
    }

    function entries() {
        const list = [1, skin, sound, animation, language, customBackgroundShown,
                      customBackgroundPath, textSize]
        for (let i = 0; i < 7; ++i)
            list.push(textColors[i][0], textColors[i][1], textColors[i][2])
        list.push(textColor, brightness, linkTarget)
        return list
    }

    function apply() {
        ui_View.saveApConfig(entries())
        shown = false
    }

    function reset() {
        ui_View.resetApconfig()
        resetRequested()
        ui_View.playMedia_Index(0)
    }

    function setSound(choice, audible) {
        sound = choice
        ui_View.setEnableAudio(choice === 0)
        if (!audible)
            return
        if (choice === 0)
            ui_View.playMedia_Index(0)
        else
            ui_View.clearAllMedia()
    }

    function selectLanguage(index) {
        if (index < 0 || index >= languageCodes.length)
            return
        language = index
        const code = languageCodes[index]
        const strings = ui_View.getGlobalStrings(code)
        env.strings = strings
        if (strings.length > 0 && strings[0] !== "")
            env.fontFamily = strings[0]
        env.layoutStrings = ui_View.getProductLayoutStrings_V7(code)
        reloaded()
    }

    function publish() {
        env.skin = skin
        env.animationTime = animation === 0 ? 800 : 10
        env.textSize = textSize
        env.brightness = brightness
        const c = textColors[textColor]
        env.textBase = Qt.rgba(c[0] / 255, c[1] / 255, c[2] / 255, 1)
    }

    onSkinChanged: if (env) publish()
    onAnimationChanged: if (env) publish()
    onTextSizeChanged: if (env) publish()
    onBrightnessChanged: if (env) publish()
    onTextColorChanged: if (env) publish()
    onTextColorsChanged: if (env) publish()

    function hex(c) {
        return "#" + c.map(v => ("0" + Number(v).toString(16)).slice(-2)).join("").toUpperCase()
    }

    function setColorHex(text) {
        const m = /^#?([0-9a-fA-F]{6})$/.exec(text.trim())
        if (!m)
            return false
        const v = parseInt(m[1], 16)
        const colors = textColors.slice()
        colors[textColor] = [(v >> 16) & 255, (v >> 8) & 255, v & 255]
        textColors = colors
        return true
    }

    MouseArea {
        // Keeps clicks on empty parts of the page from dragging the window.
        anchors.fill: parent
    }


    // The controls are made the first time the page opens, so the start does not wait for them.
    Loader {
        id: controls
        anchors.fill: parent
    }
}
