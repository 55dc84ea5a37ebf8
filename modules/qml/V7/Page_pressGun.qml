pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../common"
import "RecoilModel.js" as Model

// Recoil: twelve weapons per game, and for each of the three fire keys the weapon it uses and its
// firing rhythm. Save keeps the weapons and binds the shown weapon to the chosen fire key; Apply
// also sends that weapon's pull to the mouse.
Item {
    id: page
    objectName: "pagePressGun"
    width: 780
    height: 420

    property Environment env

    // Asks the button page to send its table again: the weapon layers carry the fire timing.
    signal selectionSaved()

    // Normalised lists of the three games as edited, and as last read or written.
    property var games: [Model.defaultGame(0), Model.defaultGame(1), Model.defaultGame(2)]
    property var storedGames: ["", "", ""]
    // Fire-key selections as edited, and the stored lists as text, so a value the page clamped
    // (a fire period below 10) counts as a change and gets written.
    property var selections: [Model.defaultSelection(0), Model.defaultSelection(1),
                              Model.defaultSelection(2)]
    property var storedSelections: ["", "", ""]

    property int game: 0
    property int slot: 0
    property int fireKey: 0
    property int source: Model.SOURCE_CUSTOM

    readonly property var current: Model.weapon(games[game], slot)
    readonly property var fire: selections[fireKey]
    readonly property int pull: Model.verticalOffset(source, game, slot, current.yOffset)

    function init() {
        const g = []
        const sg = []
        for (let i = 0; i < Model.GAMES; ++i) {
            g.push(Model.normalise(i, ui_View.getGundata(i) || []))
            sg.push(g[i].join("\n"))
        }
        const s = []
        const ss = []
        for (let k = 0; k < Model.FIRE_KEYS; ++k) {
            const raw = ui_View.getSelGundata(k) || []
            s.push(Model.selection(k, raw))
            ss.push(raw.join(","))
        }
        games = g
        storedGames = sg
        selections = s
        storedSelections = ss
        chooseFireKey(fireKey)
    }

    // Stores what changed, binding the shown weapon to the chosen fire key first.
    function save() {
        const s = selections.slice()
        s[fireKey] = Object.assign({}, s[fireKey], { "game": game, "weapon": slot })
        selections = s

        const sg = storedGames.slice()
        for (let i = 0; i < Model.GAMES; ++i) {
            const text = games[i].join("\n")
            if (text === sg[i])
                continue
            ui_View.saveGundata(i, Model.forSaving(games[i]))
            sg[i] = text
        }
        storedGames = sg

        const ss = storedSelections.slice()
        let changed = false
        for (let k = 0; k < Model.FIRE_KEYS; ++k) {
            const list = Model.selectionList(selections[k])
            if (list.join(",") === ss[k])
                continue
            ui_View.saveSelGundata(k, list)
            ss[k] = list.join(",")
            changed = true
        }
        storedSelections = ss
        if (changed)
            selectionSaved()
    }

    function apply() {
        save()
        const a = Model.pressGunArgs(current, source, game, slot, fireKey)
        ui_View.v7_0CH_SetPressGun(a[0], a[1], a[2], a[3], a[4], a[5])
    }

    // Back to the built-in weapons of the shown game and the default rhythm of the chosen fire
    // key, on screen only: Save or Apply stores them.
    function reset() {
        const g = games.slice()
        g[game] = Model.defaultGame(game)
        games = g
        setFire({ "fireTime": Model.defaultSelection(fireKey).fireTime,
                  "firePeriod": Model.PERIOD_MIN })
        source = Model.SOURCE_CUSTOM
    }

    function chooseFireKey(k) {
        fireKey = k
        game = selections[k].game
        slot = selections[k].weapon
    }

    function edit(field, value) {
        const w = Model.weapon(games[game], slot)
        w[field] = value
        const g = games.slice()
        g[game] = Model.setWeapon(g[game], slot, w)
        games = g
    }

    function setFire(changes) {
        const s = selections.slice()
        s[fireKey] = Object.assign({}, s[fireKey], changes)
        selections = s
    }

    // Fire keys whose stored weapon is weapon i of the shown game.
    function keysOn(i) {
        const keys = []
        for (let k = 0; k < Model.FIRE_KEYS; ++k) {
            const list = storedSelections[k].split(",")
            const sel = Model.selection(k, list.length === 4 ? list : [])
            if (list.length === 4 && sel.game === game && sel.weapon === i)
                keys.push(k + 1)
        }
        return keys
    }

    function str(i) {
        return env ? env.s(i) : ""
    }

    component Caption: Text {
        property Environment env
        font.family: env ? env.fontFamily : ""
        font.pixelSize: env ? env.fontSize - 2 : 11
        font.capitalization: Font.AllUppercase
        font.letterSpacing: 1.2
        color: env ? env.textDim : "gray"
        elide: Text.ElideRight
    }

    component Card: Rectangle {
        property Environment env
        radius: 10
        color: env ? env.panel : "black"
        border.color: env ? env.line : "gray"
        border.width: 1
    }

    // Weapons of the chosen game.
    Card {
        id: weaponCard
        env: page.env
        x: 12
        y: 12
        width: 440
        height: 396

        Caption {
            env: page.env
            x: 16
            y: 14
            width: parent.width - 32
            text: page.str(200)
        }
        ButtonGroup_4 {
            id: gameGroup
            env: page.env
            x: 16
            y: 34
            width: parent.width - 32
            height: 32
            namePrefix: "recoilGame"
            model: [page.str(201).arg(1), page.str(201).arg(2), page.str(201).arg(3)]
            onSelected: function (index) {
                page.game = index
            }
        }
        Binding {
            target: gameGroup
            property: "currentIndex"
            value: page.game
        }

        Caption {
            env: page.env
            x: 16
            y: 80
            width: parent.width - 32
            text: page.str(202)
        }
        Grid {
            id: slotGrid
            x: 16
            y: 100
            columns: 4
            spacing: 8

            Repeater {
                model: Model.WEAPONS

                delegate: Rectangle {
                    id: tile

                    required property int index
                    readonly property var weapon: Model.weapon(page.games[page.game], index)
                    readonly property bool chosen: index === page.slot
                    readonly property var keys: page.keysOn(index)

                    objectName: "recoilSlot" + index
                    width: (slotGrid.parent.width - 32 - 3 * slotGrid.spacing) / 4
                    height: 58
                    radius: 6
                    color: !page.env ? "gray" : chosen ? page.env.hover
                         : tileArea.containsMouse ? page.env.hover : page.env.panelAlt
                    border.width: chosen ? 2 : 1
                    border.color: !page.env ? "white" : chosen ? page.env.accent : page.env.line

                    // Slot number and the pull in effect on the top line, the name below.
                    Text {
                        x: 8
                        y: 5
                        text: (tile.index < 9 ? "0" : "") + (tile.index + 1) + "   "
                              + (tile.weapon.isEnable
                                 ? "\u2193" + Model.verticalOffset(page.source, page.game,
                                                                   tile.index, tile.weapon.yOffset)
                                 : "\u2013")
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize - 3 : 10
                        color: page.env ? page.env.textDim : "gray"
                    }
                    Row {
                        anchors.right: parent.right
                        anchors.rightMargin: 5
                        y: 5
                        spacing: 3
                        Repeater {
                            model: tile.keys
                            delegate: Rectangle {
                                required property var modelData
                                width: 14
                                height: 14
                                radius: 7
                                color: page.env ? page.env.accent : "white"
                                Text {
                                    anchors.centerIn: parent
                                    text: parent.modelData
                                    font.pixelSize: 9
                                    font.bold: true
                                    color: page.env ? page.env.accentText : "black"
                                }
                            }
                        }
                    }
                    Text {
                        x: 8
                        y: 21
                        width: parent.width - 14
                        height: parent.height - 25
                        text: tile.weapon.name !== "" ? tile.weapon.name
                                                      : page.str(218).arg(tile.index + 1)
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                        verticalAlignment: Text.AlignVCenter
                        lineHeight: 0.9
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize - 1 : 12
                        font.bold: tile.chosen
                        color: !page.env ? "white" : tile.weapon.name !== "" && tile.weapon.isEnable
                                                     ? page.env.text : page.env.textDim
                    }

                    MouseArea {
                        id: tileArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.slot = tile.index
                    }
                }
            }
        }

        Caption {
            env: page.env
            x: 16
            y: 304
            width: parent.width - 32
            text: page.str(203)
        }
        Rectangle {
            x: 16
            y: 322
            width: parent.width - 32
            height: 32
            radius: 6
            color: page.env ? page.env.panelAlt : "gray"
            border.color: !page.env ? "white" : nameField.activeFocus ? page.env.accent
                                                                      : page.env.line

            TextInput {
                id: nameField
                objectName: "recoilName"
                anchors.fill: parent
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                verticalAlignment: TextInput.AlignVCenter
                maximumLength: 24
                selectByMouse: true
                clip: true
                font.family: page.env ? page.env.fontFamily : ""
                font.pixelSize: page.env ? page.env.fontSize : 13
                color: page.env ? page.env.text : "white"
                selectionColor: page.env ? page.env.accent : "white"
                selectedTextColor: page.env ? page.env.accentText : "black"
                onTextEdited: page.edit("name", text)
                Keys.onReturnPressed: focus = false
            }
            Binding {
                target: nameField
                property: "text"
                value: page.current.name
            }
        }

        Checkbox {
            id: enableBox
            objectName: "recoilEnable"
            env: page.env
            x: 16
            y: 364
            width: (parent.width - 32) / 2 - 8
            text: page.str(204)
            onToggled: function (on) {
                page.edit("isEnable", on)
            }
        }
        Binding {
            target: enableBox
            property: "checked"
            value: page.current.isEnable
        }
        Checkbox {
            id: returnBox
            objectName: "recoilReturn"
            env: page.env
            x: parent.width / 2 + 8
            y: 364
            width: (parent.width - 32) / 2 - 8
            text: page.str(205)
            onToggled: function (on) {
                page.edit("cursorBack", on)
            }
        }
        Binding {
            target: returnBox
            property: "checked"
            value: page.current.cursorBack
        }
    }

    // The pull of the chosen weapon.
    Card {
        id: pullCard
        env: page.env
        x: 464
        y: 12
        width: 304
        height: 222

        Caption {
            env: page.env
            x: 16
            y: 14
            width: 124
            text: page.str(206)
        }
        SteeringWheel {
            id: pullWheel
            objectName: "recoilPull"
            env: page.env
            x: 16
            y: 36
            width: 120
            height: 120
            from: Model.Y_MIN
            to: Model.Y_MAX
            // The presets decide the pull; the wheel shows theirs.
            enabled: page.source === Model.SOURCE_CUSTOM
            opacity: enabled ? 1 : 0.45
            onMoved: function (v) {
                page.edit("yOffset", v)
            }
        }
        Binding {
            target: pullWheel
            property: "value"
            value: page.pull
        }

        Caption {
            env: page.env
            x: 152
            y: 36
            width: 136
            text: page.str(207)
        }
        ValueInput {
            id: xInput
            env: page.env
            inputObjectName: "recoilX"
            x: 152
            y: 54
            width: 136
            height: 32
            from: Model.X_MIN
            to: Model.X_MAX
            onEdited: function (v) {
                page.edit("xOffset", v)
            }
        }
        Binding {
            target: xInput
            property: "value"
            value: page.current.xOffset
        }
        Caption {
            env: page.env
            x: 152
            y: 100
            width: 136
            text: page.str(208)
        }
        ValueInput {
            id: stepsInput
            env: page.env
            inputObjectName: "recoilSteps"
            x: 152
            y: 118
            width: 136
            height: 32
            from: Model.TIMES_MIN
            to: Model.TIMES_MAX
            onEdited: function (v) {
                page.edit("times", v)
            }
        }
        Binding {
            target: stepsInput
            property: "value"
            value: page.current.times
        }

        Caption {
            env: page.env
            x: 16
            y: 164
            width: parent.width - 32
            text: page.str(209)
        }
        ButtonGroup_4 {
            id: sourceGroup
            env: page.env
            x: 16
            y: 182
            width: parent.width - 32
            height: 30
            namePrefix: "recoilSource"
            model: [page.str(210), page.str(211), page.str(212)]
            onSelected: function (index) {
                page.source = index
            }
        }
        Binding {
            target: sourceGroup
            property: "currentIndex"
            value: page.source
        }
    }

    // The chosen fire key's rhythm.
    Card {
        id: fireCard
        env: page.env
        x: 464
        y: 246
        width: 304
        height: 118

        Caption {
            env: page.env
            x: 16
            y: 14
            width: 92
            height: 30
            verticalAlignment: Text.AlignVCenter
            text: page.str(213)
        }
        ButtonGroup_4 {
            id: keyGroup
            env: page.env
            x: 112
            y: 14
            width: parent.width - 128
            height: 30
            namePrefix: "recoilFireKey"
            model: ["1", "2", "3"]
            onSelected: function (index) {
                page.chooseFireKey(index)
            }
        }
        Binding {
            target: keyGroup
            property: "currentIndex"
            value: page.fireKey
        }

        Caption {
            env: page.env
            x: 16
            y: 56
            width: 128
            text: page.str(214)
        }
        ValueInput {
            id: shotsInput
            env: page.env
            inputObjectName: "recoilShots"
            x: 16
            y: 74
            width: 128
            height: 32
            from: 0
            to: Model.FIRE_TIME_MAX
            onEdited: function (v) {
                page.setFire({ "fireTime": v })
            }
        }
        Binding {
            target: shotsInput
            property: "value"
            value: page.fire.fireTime
        }
        Caption {
            env: page.env
            x: 160
            y: 56
            width: 128
            text: page.str(215)
        }
        ValueInput {
            id: periodInput
            env: page.env
            inputObjectName: "recoilInterval"
            x: 160
            y: 74
            width: 128
            height: 32
            from: Model.PERIOD_MIN
            to: Model.PERIOD_MAX
            suffix: "ms"
            onEdited: function (v) {
                page.setFire({ "firePeriod": v })
            }
        }
        Binding {
            target: periodInput
            property: "value"
            value: page.fire.firePeriod
        }
    }

    Button_Test {
        objectName: "recoilSave"
        env: page.env
        x: 464
        y: 376
        width: 148
        height: 32
        text: page.str(216)
        onClicked: page.save()
    }
    Button_Test {
        objectName: "recoilApply"
        env: page.env
        accented: true
        x: 620
        y: 376
        width: 148
        height: 32
        text: page.str(217)
        onClicked: page.apply()
    }
}
