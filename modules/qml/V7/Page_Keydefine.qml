pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../common"

// Button assignment: the mouse drawn with what each button does, and an editor for the chosen
// button. Edits stay in the page until apply sends the whole table.
Item {
    id: page
    objectName: "pageKeydefine"
    width: 780
    height: 420

    property Environment env

    // 16 slots of four numbers: what the page shows and what the profile's factory file holds.
    property var table: []
    property var defaults: []
    property int selected: 0
    // The type chosen in the editor; it runs ahead of the slot until a value is picked.
    property int editType: 0
    property int pendingPlayMode: 0
    property var macroNames: []
    // Device macro slot (1..12) → macro name, from the macros' own configuration.
    property var macroBySlot: ({})
    // A refusal to explain under the editor; cleared by the next edit.
    property string notice: ""
    property var layout: []

    readonly property var labels: env && env.layoutStrings && env.layoutStrings.length >= 16
                                  ? env.layoutStrings : layout
    readonly property var shownSlots: {
        const shown = []
        for (let i = 0; i < 16; ++i)
            if (i < labels.length && String(labels[i]) !== "")
                shown.push(i)
        return shown
    }
    readonly property var current: keydef.decode(table.length === 64 ? keydef.slot(table, selected)
                                                                    : [0, 0, 0, 0])

    // Every named keyboard key, in code order.
    readonly property var keyboardCodes: {
        const codes = []
        if (env && env.keys)
            for (let c = 1; c < 0xF0; ++c)
                if (env.keys.keycodeTostr(c) !== "")
                    codes.push(c)
        return codes
    }

    // Button centres on the mouse picture (slots 0..7).
    readonly property var spots: [Qt.point(80, 70), Qt.point(180, 70), Qt.point(130, 62),
        Qt.point(22, 190), Qt.point(22, 140), Qt.point(130, 118), Qt.point(130, 148),
        Qt.point(34, 96)]
    // Label cards: slots down the left and the right of the picture, top to bottom.
    readonly property var leftColumn: [0, 7, 4, 3]
    readonly property var rightColumn: [2, 1, 5, 6]

    Model_KeyDefine_V7 {
        id: keydef
    }

    // ---- page interface --------------------------------------------------------------------

    function init() {
        const d = ui_View.loadDefaultProfile(0) || []
        const defs = []
        for (let i = 0; i < 64; ++i)
            defs.push(i < d.length ? Number(d[i]) || 0 : 0)
        defaults = defs
        // Until the language's labels arrive, the English ones say which buttons exist.
        if (!env || !env.layoutStrings || env.layoutStrings.length < 16)
            layout = ui_View.getProductLayoutStrings_V7("031000") || []
        table = storedTable()
        refreshMacros()
        if (shownSlots.length > 0 && shownSlots.indexOf(selected) < 0)
            selected = shownSlots[0]
        select(selected)
    }

    function apply() {
        if (env)
            env.protect(800)
        ui_View.ui_12H_SetKeyMatrix(table)
    }

    function reset() {
        table = defaults.slice()
        select(selected)
    }

    // The recoil page changed a fire-key selection: the weapon layers are rebuilt from what the
    // mouse was last given, not from edits that were never applied.
    function reapply() {
        ui_View.ui_12H_SetKeyMatrix(storedTable())
    }

    // ---- reading ---------------------------------------------------------------------------

    // The profile's table; a slot never written shows its factory value.
    function storedTable() {
        let t = defaults.slice()
        for (let i = 0; i < 16; ++i) {
            const k = ui_View.getKeydefine(i) || []
            if (k.length >= 4)
                t = keydef.withSlot(t, i, [Number(k[0]) || 0, Number(k[1]) || 0, Number(k[2]) || 0,
                                          Number(k[3]) || 0])
        }
        return t
    }

    function refreshMacros() {
        const names = []
        const bySlot = {}
        for (const file of ui_View.getMacroIniNames() || []) {
            const name = String(file).slice(0, -4)
            names.push(name)
            const conf = ui_View.loadMacroIniConfig(name) || []
            const index = conf.length > 0 ? Number(conf[0]) : -1
            if (index >= 0 && index < keydef.macroSlots)
                bySlot[index + 1] = name
        }
        macroNames = names
        macroBySlot = bySlot
    }

    onVisibleChanged: if (visible && table.length === 64) refreshMacros()

    // ---- editing ---------------------------------------------------------------------------

    function select(slot) {
        selected = slot
        editType = current.type
        pendingPlayMode = current.type === keydef.typeMacro ? current.playMode : 0
        notice = ""
    }

    function ask() {
        return ui_View.getMsgAns_FoolProofing()
    }

    // Gives the selected button new bytes; false when the user keeps the last left button.
    function setCode(code) {
        notice = ""
        if (!keydef.mayChange(table, selected, code, ask)) {
            editType = current.type
            return false
        }
        store(code)
        return true
    }

    function store(code) {
        const before = current
        table = keydef.withSlot(table, selected, code)
        editType = current.type
        if (before.type === keydef.typeMacro && !keydef.same(before.bytes, code))
            releaseMacro(before.macroSlot)
    }

    // A macro that no button plays any more gives its device slot back.
    function releaseMacro(slot) {
        if (keydef.macroSlotsInUse(table, -1).indexOf(slot) >= 0 || !macroBySlot[slot])
            return
        const name = macroBySlot[slot]
        const conf = ui_View.loadMacroIniConfig(name)
        if (conf.length >= 2)
            ui_View.setMacroIniConfig(name, [-1, Number(conf[1])])
        const bySlot = Object.assign({}, macroBySlot)
        delete bySlot[slot]
        macroBySlot = bySlot
    }

    function chooseType(type) {
        notice = ""
        editType = type
        switch (type) {
        case keydef.typeFire:
            if (current.type !== keydef.typeFire)
                setCode(keydef.encodeFire(0xF0, 4, 3))
            break
        case keydef.typeLight:
            setCode(keydef.encodeLight())
            break
        case keydef.typeOff:
            setCode(keydef.encodeOff())
            break
        case keydef.typeKey:
            keyInput.arm(true)
            break
        }
    }

    // Binds a macro file to the selected button: it keeps its device slot or takes the lowest
    // free one, is sent to that slot, and the button plays it.
    function assignMacro(name, playMode) {
        notice = ""
        // Ask before anything reaches the mouse, so a "no" leaves everything as it was.
        if (!keydef.mayChange(table, selected, keydef.encodeMacro(playMode, 0), ask)) {
            editType = current.type
            return false
        }
        const conf = ui_View.loadMacroIniConfig(name)
        if (conf.length < 2) {
            notice = page.s(323).arg(name)
            return false
        }
        const index = keydef.macroIndexFor(table, selected, conf)
        if (index < 0) {
            notice = page.s(313)
            return false
        }
        // A macro that still names this free slot loses it, or saving it would overwrite ours.
        const previous = macroBySlot[index + 1]
        if (previous && previous !== name) {
            const old = ui_View.loadMacroIniConfig(previous)
            if (old.length >= 2)
                ui_View.setMacroIniConfig(previous, [-1, Number(old[1])])
        }
        ui_View.setMacroIniConfig(name, [index, Number(conf[1])])
        ui_View.ui_13H_SetMacroKey(index + 1, name)
        const bySlot = Object.assign({}, macroBySlot)
        for (const k in bySlot)
            if (bySlot[k] === name)
                delete bySlot[k]
        bySlot[index + 1] = name
        macroBySlot = bySlot
        store(keydef.encodeMacro(playMode, index + 1))
        return true
    }

    function setPlayMode(mode) {
        pendingPlayMode = mode
        if (current.type === keydef.typeMacro)
            setCode(keydef.encodeMacro(mode, current.macroSlot))
    }

    function setFire(key, speed, count) {
        setCode(keydef.encodeFire(key, speed, count))
    }

    // ---- texts -----------------------------------------------------------------------------

    function s(i) {
        return env ? env.s(i) : ""
    }

    function strings(first, count) {
        const texts = []
        for (let i = 0; i < count; ++i)
            texts.push(s(first + i))
        return texts
    }

    function keyName(code) {
        if (!env || !env.keys || code === 0)
            return ""
        const n = code >= 0xF0 ? env.keys.mousecodeTostr(code) : env.keys.keycodeTostr(code)
        return n !== "" ? n : "0x" + (code < 16 ? "0" : "") + code.toString(16).toUpperCase()
    }

    // A fire key repeats a mouse button or a key; buttons read as the mouse menu names them.
    function sourceName(code) {
        return code >= 0xF0 && code <= 0xF4 ? s(260 + code - 0xF0) : keyName(code)
    }

    function hex(bytes) {
        return bytes.map(b => (b < 16 ? "0" : "") + b.toString(16).toUpperCase()).join(" ")
    }

    // What a button does, in a few words.
    function describe(r) {
        switch (r.type) {
        case keydef.typeMouse: return s(260 + r.index)
        case keydef.typeKey: return keyName(r.key1)
        case keydef.typeCombo: {
            const parts = []
            if (r.modifier > 0)
                parts.push(keyName(0xE0 + r.modifier - 1))
            if (r.key1)
                parts.push(keyName(r.key1))
            if (r.key2)
                parts.push(keyName(r.key2))
            return parts.join(" + ")
        }
        case keydef.typeMedia: return s(271 + r.index)
        case keydef.typeMacro: return macroBySlot[r.macroSlot] ? macroBySlot[r.macroSlot]
                                                              : s(316).arg(r.macroSlot)
        case keydef.typeFire: // short button names: the label sits in a narrow card
            return s(315).arg(r.key1 >= 0xF0 && r.key1 <= 0xF4 ? s(332 + r.key1 - 0xF0)
                                                              : keyName(r.key1))
        case keydef.typeWeapon: return s(289 + r.index)
        case keydef.typeLight: return s(258)
        case keydef.typeOff: return s(259)
        }
        return s(317).arg(hex(r.bytes))
    }

    function slotText(slot) {
        return table.length === 64 ? describe(keydef.decode(keydef.slot(table, slot))) : ""
    }

    // One line under the editor: what the chosen function will do.
    readonly property string explanation: {
        if (notice !== "")
            return notice
        const r = current
        if (editType !== r.type) {
            switch (editType) {
            case keydef.typeMouse: return s(325)
            case keydef.typeKey: return s(326)
            case keydef.typeCombo: return s(327)
            case keydef.typeMedia: return s(328)
            case keydef.typeMacro: return macroNames.length === 0 ? s(312) : s(322)
            case keydef.typeWeapon: return s(329)
            }
            return ""
        }
        switch (r.type) {
        case keydef.typeFire:
            return s(310).arg(sourceName(r.key1)).arg(r.count).arg(keydef.fireInterval(r.speed))
        case keydef.typeMacro:
            return s(311).arg(describe(r)).arg(r.macroSlot)
        case keydef.typeWeapon: return s(314)
        case keydef.typeLight: return s(320)
        case keydef.typeOff: return s(321)
        case keydef.typeUnknown: return describe(r)
        }
        return ""
    }

    // ---- look ------------------------------------------------------------------------------

    component Caption: Text {
        property Environment env
        font.family: env ? env.fontFamily : ""
        font.pixelSize: env ? env.fontSize - 2 : 11
        font.capitalization: Font.AllUppercase
        font.letterSpacing: 1.2
        color: env ? env.textDim : "gray"
        elide: Text.ElideRight
    }

    // A drop-down that keeps showing `wanted`, also after its model is rebuilt (a new language).
    component Choice: DropdownList {
        property int wanted: -1
        function sync() { currentIndex = wanted }
        onWantedChanged: sync()
        onModelChanged: sync()
        // A choice the page refuses leaves the list showing what the button still does.
        onActivated: sync()
        Component.onCompleted: sync()
    }

    // ---- the mouse -------------------------------------------------------------------------

    Item {
        id: picture
        x: 0
        y: 0
        width: 508
        height: 420

        readonly property int imageX: 124
        readonly property int imageY: 28
        readonly property int cardWidth: 112
        readonly property var cardCentres: [64, 132, 200, 268]

        function spotOf(slot) {
            return Qt.point(imageX + page.spots[slot].x, imageY + page.spots[slot].y)
        }

        Image {
            id: glow
            x: picture.imageX
            y: picture.imageY
            width: 260
            height: 360
            source: page.env ? page.env.img("page", "mouse_glow.png") : ""
            opacity: hotspots.hovered ? 0.95 : 0.55
            Behavior on opacity { NumberAnimation { duration: 200 } }
        }
        Image {
            id: mouseImage
            x: picture.imageX
            y: picture.imageY
            width: 260
            height: 360
            source: page.env ? page.env.img("page", "mouse.png") : ""
        }

        // Leader lines from each card to its button.
        Canvas {
            id: leaders
            anchors.fill: parent
            property color lineColor: page.env ? Qt.rgba(page.env.textDim.r, page.env.textDim.g,
                                                         page.env.textDim.b, 0.45) : "gray"
            property color accent: page.env ? page.env.accent : "white"
            property int chosen: page.selected
            property var shown: page.shownSlots
            onLineColorChanged: requestPaint()
            onAccentChanged: requestPaint()
            onChosenChanged: requestPaint()
            onShownChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.reset()
                const draw = function (slot, x, y, towardsRight) {
                    if (shown.indexOf(slot) < 0)
                        return
                    const p = picture.spotOf(slot)
                    const elbow = towardsRight ? x + 10 : x - 10
                    ctx.strokeStyle = slot === chosen ? accent : lineColor
                    ctx.lineWidth = slot === chosen ? 1.5 : 1
                    ctx.beginPath()
                    ctx.moveTo(x, y)
                    ctx.lineTo(elbow, y)
                    ctx.lineTo(p.x, p.y)
                    ctx.stroke()
                    ctx.fillStyle = slot === chosen ? accent : lineColor
                    ctx.beginPath()
                    ctx.arc(p.x, p.y, 3, 0, 2 * Math.PI)
                    ctx.fill()
                }
                for (let i = 0; i < 4; ++i) {
                    draw(page.leftColumn[i], 12 + picture.cardWidth, picture.cardCentres[i], true)
                    draw(page.rightColumn[i], picture.width - picture.cardWidth,
                         picture.cardCentres[i], false)
                }
            }
        }

        // The buttons on the picture.
        Item {
            id: hotspots
            anchors.fill: parent
            property bool hovered: false

            Repeater {
                model: 8
                delegate: Rectangle {
                    id: spot
                    required property int index
                    readonly property point centre: picture.spotOf(index)
                    readonly property bool chosen: page.selected === index
                    objectName: "keyButton" + index
                    visible: page.shownSlots.indexOf(index) >= 0
                    x: centre.x - width / 2
                    y: centre.y - height / 2
                    width: 26
                    height: 26
                    radius: 13
                    color: !page.env ? "transparent"
                         : chosen ? Qt.rgba(page.env.accent.r, page.env.accent.g, page.env.accent.b, 0.3)
                         : spotArea.containsMouse ? Qt.rgba(1, 1, 1, 0.12) : "transparent"
                    border.color: !page.env ? "white" : chosen ? page.env.accent
                                : spotArea.containsMouse ? page.env.text : "transparent"
                    border.width: chosen ? 2 : 1

                    MouseArea {
                        id: spotArea
                        anchors.fill: parent
                        anchors.margins: -4
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onContainsMouseChanged: hotspots.hovered = containsMouse
                        onClicked: page.select(spot.index)
                    }
                }
            }
        }

        // What each button does, beside the picture.
        Repeater {
            model: 8
            delegate: Rectangle {
                id: card
                required property int index
                readonly property bool onLeft: index < 4
                readonly property int slot: onLeft ? page.leftColumn[index] : page.rightColumn[index - 4]
                readonly property bool chosen: page.selected === slot
                objectName: "keyLabel" + slot
                visible: page.shownSlots.indexOf(slot) >= 0
                x: onLeft ? 12 : picture.width - picture.cardWidth
                y: picture.cardCentres[index % 4] - height / 2
                width: picture.cardWidth
                height: 46
                radius: 8
                color: !page.env ? "transparent" : chosen ? page.env.panelAlt
                     : cardArea.containsMouse ? page.env.hover : page.env.panel
                border.color: !page.env ? "gray" : chosen ? page.env.accent : page.env.line

                Column {
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 8
                    anchors.topMargin: 6
                    spacing: 2
                    Text {
                        width: parent.width
                        elide: Text.ElideRight
                        text: card.slot < page.labels.length ? String(page.labels[card.slot]) : ""
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize - 2 : 11
                        color: page.env ? page.env.textDim : "gray"
                    }
                    Text {
                        width: parent.width
                        elide: Text.ElideRight
                        text: page.slotText(card.slot)
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize : 13
                        font.bold: card.chosen
                        color: !page.env ? "white" : card.chosen ? page.env.accent : page.env.text
                    }
                }

                MouseArea {
                    id: cardArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: page.select(card.slot)
                }
            }
        }

        Text {
            x: 12
            y: 396
            width: picture.width - 24
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: page.s(318)
            font.family: page.env ? page.env.fontFamily : ""
            font.pixelSize: page.env ? page.env.fontSize - 2 : 11
            color: page.env ? page.env.textDim : "gray"
        }
    }

    // ---- the editor ------------------------------------------------------------------------

    Rectangle {
        id: editor
        x: 516
        y: 12
        width: 252
        height: 396
        radius: 10
        color: page.env ? page.env.panel : "black"
        border.color: page.env ? page.env.line : "gray"

        readonly property int pad: 14
        readonly property int inner: width - 2 * pad

        Choice {
            id: buttonList
            wanted: page.shownSlots.indexOf(page.selected)
            objectName: "keyButtonList"
            env: page.env
            x: editor.pad
            y: 14
            width: editor.inner
            model: page.shownSlots.map(i => String(page.labels[i]))
            onActivated: function (index) { page.select(page.shownSlots[index]) }
        }

        Caption {
            env: page.env
            x: editor.pad
            y: 58
            width: editor.inner
            text: page.s(250)
        }
        Grid {
            id: types
            x: editor.pad
            y: 76
            columns: 3
            spacing: 6
            Repeater {
                model: keydef.typeCount
                delegate: Rectangle {
                    id: tile
                    required property int index
                    readonly property bool chosen: page.editType === index
                    objectName: "keyType" + index
                    width: (editor.inner - 2 * types.spacing) / 3
                    height: 26
                    radius: 6
                    color: !page.env ? "gray" : chosen ? page.env.accent
                         : tileArea.containsMouse ? page.env.hover : page.env.panelAlt
                    border.color: !page.env ? "white" : chosen ? page.env.accent : page.env.line
                    Text {
                        anchors.centerIn: parent
                        width: parent.width - 6
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: page.s(251 + tile.index)
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize - 1 : 12
                        font.bold: tile.chosen
                        color: !page.env ? "white" : tile.chosen ? page.env.accentText : page.env.text
                    }
                    MouseArea {
                        id: tileArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.chooseType(tile.index)
                    }
                }
            }
        }

        // One editor per function type, each under its own caption.
        Item {
            id: details
            x: editor.pad
            y: 178
            width: editor.inner
            height: 134

            Column {
                visible: page.editType === keydef.typeMouse
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(299) }
                Choice {
                    id: mouseMenu
                    wanted: page.current.type === keydef.typeMouse ? page.current.index : -1
                    objectName: "keyMouseMenu"
                    env: page.env
                    width: parent.width
                    model: page.strings(260, 11)
                    onActivated: function (index) { page.setCode(keydef.encodeMouse(index)) }
                }
            }

            Column {
                visible: page.editType === keydef.typeKey
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(300) }
                KeyInput {
                    id: keyInput
                    objectName: "keyKeyInput"
                    env: page.env
                    width: parent.width
                    code: page.current.type === keydef.typeKey ? page.current.key1 : 0
                    onKeyCaptured: function (code) { page.setCode(keydef.encodeKey(code)) }
                }
                // Keys the user's keyboard lacks (F13..F24, international keys) come from the list.
                Choice {
                    objectName: "keyKeyList"
                    env: page.env
                    width: parent.width
                    wanted: page.current.type === keydef.typeKey
                            ? page.keyboardCodes.indexOf(page.current.key1) : -1
                    model: page.keyboardCodes.map(c => page.keyName(c))
                    onActivated: function (index) {
                        page.setCode(keydef.encodeKey(page.keyboardCodes[index]))
                    }
                }
            }

            Column {
                visible: page.editType === keydef.typeCombo
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(301) }
                KeyInput_2 {
                    objectName: "keyCombo"
                    namePrefix: "keyCombo"
                    env: page.env
                    width: parent.width
                    placeholder1: page.s(330)
                    placeholder2: page.s(331)
                    modifier: page.current.type === keydef.typeCombo ? page.current.modifier : 0
                    key1: page.current.type === keydef.typeCombo ? page.current.key1 : 0
                    key2: page.current.type === keydef.typeCombo ? page.current.key2 : 0
                    onEdited: function (modifier, key1, key2) {
                        page.setCode(keydef.encodeCombo(modifier, key1, key2))
                    }
                }
            }

            Column {
                visible: page.editType === keydef.typeMedia
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(302) }
                Choice {
                    id: mediaList
                    wanted: page.current.type === keydef.typeMedia ? page.current.index : -1
                    objectName: "keyMedia"
                    env: page.env
                    width: parent.width
                    model: page.strings(271, 18)
                    onActivated: function (index) { page.setCode(keydef.encodeMedia(index)) }
                }
            }

            Column {
                visible: page.editType === keydef.typeMacro
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(303) }
                Choice {
                    id: macroList
                    wanted: page.current.type === keydef.typeMacro
                           ? page.macroNames.indexOf(page.macroBySlot[page.current.macroSlot] || "") : -1
                    objectName: "keyMacroList"
                    env: page.env
                    width: parent.width
                    enabled: page.macroNames.length > 0
                    model: page.macroNames
                    onActivated: function (index) {
                        page.assignMacro(page.macroNames[index], page.pendingPlayMode)
                    }
                }
                Column {
                    width: parent.width
                    spacing: 1
                    Repeater {
                        model: keydef.playModes
                        delegate: RadioButton {
                            required property int index
                            objectName: "keyPlayMode" + index
                            env: page.env
                            width: details.width
                            height: 23
                            text: page.s(292 + index)
                            checked: page.pendingPlayMode === index
                            onClicked: page.setPlayMode(index)
                        }
                    }
                }
            }

            Column {
                id: fire
                visible: page.editType === keydef.typeFire
                width: parent.width
                spacing: 6
                readonly property bool active: page.current.type === keydef.typeFire
                readonly property int key: active ? page.current.key1 : 0xF0
                readonly property int speed: active ? page.current.speed : 4
                readonly property int count: active ? page.current.count : 3
                // The user picked "keyboard key" and the field waits for it.
                property bool keyboardWanted: false
                readonly property bool keyboard: keyboardWanted || key < 0xF0

                Row {
                    spacing: 6
                    Choice {
                        id: fireSource
                        wanted: fire.keyboard ? 5 : fire.key - 0xF0
                        objectName: "keyFireSource"
                        env: page.env
                        width: fire.keyboard ? (fire.width - 6) / 2 : fire.width
                        model: [page.s(260), page.s(261), page.s(262), page.s(263), page.s(264),
                                page.s(306)]
                        onActivated: function (index) {
                            fire.keyboardWanted = index === 5
                            if (index < 5)
                                page.setFire(0xF0 + index, fire.speed, fire.count)
                            else
                                fireKey.arm(true)
                        }
                    }
                    KeyInput {
                        id: fireKey
                        objectName: "keyFireKey"
                        env: page.env
                        visible: fire.keyboard
                        width: (fire.width - 6) / 2
                        placeholder: page.s(300)
                        code: fire.key < 0xF0 ? fire.key : 0
                        // Given up without a key: the mouse button stays.
                        onArmedChanged: if (!armed && fire.key >= 0xF0) fire.keyboardWanted = false
                        onKeyCaptured: function (code) {
                            fire.keyboardWanted = false
                            page.setFire(code, fire.speed, fire.count)
                        }
                    }
                }
                Slider_11 {
                    id: fireSpeed
                    env: page.env
                    width: parent.width
                    steps: keydef.fireSteps
                    text: page.s(307)
                    sliderObjectName: "keyFireSpeed"
                    labels: {
                        const texts = []
                        for (let v = 0; v < keydef.fireSteps; ++v)
                            texts.push(page.s(324).arg(keydef.fireInterval(v)))
                        return texts
                    }
                    onMoved: function (v) { page.setFire(fire.key, v, fire.count) }
                }
                Binding { target: fireSpeed; property: "value"; value: fire.speed }
                Item {
                    width: parent.width
                    height: 32
                    Text {
                        anchors.left: parent.left
                        anchors.right: fireCount.left
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: page.s(308)
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize : 13
                        color: page.env ? page.env.text : "white"
                    }
                    ValueInput {
                        id: fireCount
                        anchors.right: parent.right
                        env: page.env
                        width: 96
                        from: 1
                        to: 255
                        inputObjectName: "keyFireCount"
                        onEdited: function (v) { page.setFire(fire.key, fire.speed, v) }
                    }
                    Binding { target: fireCount; property: "value"; value: fire.count }
                }
                Connections {
                    target: page
                    function onSelectedChanged() { fire.keyboardWanted = false }
                }
            }

            Column {
                visible: page.editType === keydef.typeWeapon
                width: parent.width
                spacing: 6
                Caption { env: page.env; width: parent.width; text: page.s(309) }
                Column {
                    width: parent.width
                    spacing: 1
                    Repeater {
                        model: keydef.weaponChoices
                        delegate: RadioButton {
                            required property int index
                            objectName: "keyWeapon" + index
                            env: page.env
                            width: details.width
                            height: 23
                            text: page.s(289 + index)
                            checked: page.current.type === keydef.typeWeapon
                                     && page.current.index === index
                            onClicked: page.setCode(keydef.encodeWeapon(index))
                        }
                    }
                }
            }
        }

        Text {
            id: explain
            objectName: "keyExplanation"
            x: editor.pad
            anchors.bottom: applyButton.top
            anchors.bottomMargin: 6
            width: editor.inner
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            lineHeight: 1.1
            text: page.explanation
            font.family: page.env ? page.env.fontFamily : ""
            font.pixelSize: page.env ? page.env.fontSize - 2 : 11
            color: !page.env ? "white" : page.notice !== "" ? page.env.danger : page.env.textDim
        }

        Button_Test {
            objectName: "keyRestore"
            env: page.env
            x: editor.pad
            y: editor.height - height - 12
            width: (editor.inner - 8) / 2
            text: page.s(319)
            onClicked: page.setCode(keydef.slot(page.defaults, page.selected))
        }
        Button_Test {
            id: applyButton
            objectName: "keyApply"
            env: page.env
            accented: true
            x: editor.width - editor.pad - width
            y: editor.height - height - 12
            width: (editor.inner - 8) / 2
            text: page.s(107)
            onClicked: page.apply()
        }
    }
}
