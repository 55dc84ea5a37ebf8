pragma ComponentBehavior: Bound

import QtQuick
import "../basic"
import "../common"
import "MacroLines.js" as MacroLines

// The macro editor: the macro files on the left, the selected macro's lines in the middle,
// recording and editing tools on the right. Every change is saved at once, so apply and reset
// have nothing to send; a recording is saved when it stops.
Item {
    id: page
    objectName: "pageMacro"
    width: 780
    height: 420

    property Environment env

    property var names: []
    property int current: -1
    readonly property string currentName: current >= 0 && current < names.length ? names[current]
                                                                                   : ""
    property var lines: []
    property int selectedLine: -1
    readonly property string selectedKind: selectedLine >= 0 && selectedLine < lines.length
                                           ? MacroLines.parse(lines[selectedLine]).kind : ""
    property bool recording: false
    property bool recordPauses: false
    property var recorder: null
    property int delayValue: MacroLines.defaultDelay
    property int mouseButton: 0
    property bool deleteArmed: false
    property bool clearArmed: false
    property string notice: ""

    readonly property bool editable: currentName !== "" && !recording

    function init() {
        stopRecording()
        loadNames(currentName, 0)
    }

    // Every edit is already stored; only a running recording is still open.
    function apply() {
        stopRecording()
    }

    // Macros are not part of a profile: there is no default to go back to.
    function reset() {
    }

    // Reloads the file list and selects `keep`, else the entry at `fallback` (clamped; -1: none).
    function loadNames(keep, fallback) {
        stopRecording()
        const files = ui_View.getMacroIniNames() || []
        const list = []
        for (let i = 0; i < files.length; ++i)
            list.push(String(files[i]).slice(0, -4))
        names = list
        let index = list.indexOf(keep)
        if (index < 0 && fallback >= 0 && list.length > 0)
            index = Math.min(fallback, list.length - 1)
        select(index)
    }

    function select(index) {
        stopRecording()
        deleteArmed = false
        clearArmed = false
        current = index
        selectedLine = -1
        lines = currentName !== "" ? Array.from(ui_View.loadMacroIni(currentName) || [], String)
                                   : []
    }

    function show(message) {
        notice = message
        noticeTimer.restart()
    }

    function setLines(next, selection) {
        lines = next
        selectedLine = selection
        clearArmed = false
        if (!recording)
            store()
    }

    function store() {
        if (currentName === "")
            return
        if (!ui_View.saveMacroIni(currentName, lines)) {
            // Still listed: the disk refused the write, and the edits stay on screen.
            if (Array.from(ui_View.getMacroIniNames() || [], String).includes(currentName + ".bin")) {
                show(env.s(390))
                return
            }
            // The file went away behind our back.
            lines = []
            selectedLine = -1
            loadNames("", -1)
            show(env.s(384))
        }
    }

    function insertLines(added) {
        if (added.length === 0)
            return
        const r = MacroLines.insert(lines, added, selectedLine)
        setLines(r.lines, r.selected)
        lineView.forceLayout()
        lineView.positionViewAtIndex(r.selected >= 0 ? r.selected - 1 : r.lines.length - 1,
                                     ListView.Contain)
    }

    function selectLine(index) {
        selectedLine = index === selectedLine ? -1 : index
        const p = MacroLines.parse(lines[selectedLine] || "")
        if (p.kind === "delay")
            delayValue = MacroLines.clampDelay(p.value)
    }

    function startRecording() {
        if (!editable)
            return
        recorder = new MacroLines.Recorder(recordPauses)
        recording = true
    }

    function stopRecording() {
        if (!recording)
            return
        const held = recorder.finish()
        recorder = null
        recording = false
        const r = MacroLines.insert(lines, held, selectedLine)
        setLines(r.lines, r.selected)
    }

    function record(isDown, usbCode) {
        if (!recording || !env.keys)
            return
        const added = recorder.event(isDown, env.keys.keycodeTostr(usbCode), Date.now())
        insertLines(added)
    }

    function newMacro() {
        stopRecording()
        const name = String(ui_View.createMacroIni())
        if (name === "")
            show(env.s(383))
        else
            loadNames(name, -1)
    }

    function rename(index, name) {
        const old = names[index]
        if (names.indexOf(name) >= 0) {
            show(env.s(382))
            return
        }
        ui_View.renameMacroIniFile(old, name)
        loadNames(name, index)
        if (currentName !== name)
            show(env.s(382))
    }

    function deleteMacro() {
        if (currentName === "")
            return
        if (!deleteArmed) {
            deleteArmed = true
            armTimer.restart()
            return
        }
        const index = current
        if (!ui_View.deleteMacroIni(currentName))
            show(env.s(384))
        loadNames("", index)
    }

    function importMacro() {
        stopRecording()
        const name = String(ui_View.loadMacroIniFromFile())
        if (name !== "")
            loadNames(name, current)
    }

    function exportMacro() {
        stopRecording()
        if (currentName !== "")
            ui_View.saveMacroIniToFile(currentName)
    }

    function setDelay() {
        if (selectedKind !== "delay")
            return
        const next = lines.slice()
        next[selectedLine] = MacroLines.delayLine(delayValue)
        setLines(next, selectedLine)
    }

    function clearLines() {
        if (!clearArmed) {
            clearArmed = true
            armTimer.restart()
            return
        }
        setLines([], -1)
    }

    function delayText(value) {
        return value + " " + env.s(387)
    }

    onVisibleChanged: if (!visible) stopRecording()

    Connections {
        target: page.env
        function onKeyEvent(isDown, usbCode) { page.record(isDown, usbCode) }
    }

    Timer {
        id: noticeTimer
        interval: 5000
        onTriggered: page.notice = ""
    }

    // A second click confirms a delete or a clear only shortly after the first.
    Timer {
        id: armTimer
        interval: 3000
        onTriggered: {
            page.deleteArmed = false
            page.clearArmed = false
        }
    }

    component Caption: Text {
        property Environment env
        height: 20
        font.family: env ? env.fontFamily : ""
        font.pixelSize: env ? env.fontSize - 2 : 11
        font.capitalization: Font.AllUppercase
        font.letterSpacing: 1.2
        color: env ? env.textDim : "white"
        elide: Text.ElideRight
    }

    // Macro files.
    Item {
        id: files
        x: 12
        y: 12
        width: 232
        height: 396
        enabled: !page.recording
        opacity: 0.4 + 0.6 * enabled

        Caption {
            env: page.env
            width: parent.width
            text: page.env.s(350)
        }

        FileList {
            id: fileList
            objectName: "macroList"
            y: 28
            width: parent.width
            height: 256
            env: page.env
            model: page.names
            currentIndex: page.current
            emptyText: page.env.s(380)
            onSelected: function (index) { page.select(index) }
            onRenamed: function (index, name) { page.rename(index, name) }
            onRenameStarted: page.stopRecording()
        }

        Grid {
            y: 296
            columns: 2
            spacing: 8
            readonly property real cell: (parent.width - 8) / 2

            FileListButton {
                objectName: "macroNew"
                width: parent.cell
                env: page.env
                icon: "new"
                text: page.env.s(351)
                onClicked: page.newMacro()
            }
            FileListButton {
                objectName: "macroRename"
                width: parent.cell
                env: page.env
                icon: "rename"
                text: page.env.s(352)
                enabled: page.currentName !== ""
                onClicked: fileList.startRename()
            }
            FileListButton {
                objectName: "macroImport"
                width: parent.cell
                env: page.env
                icon: "import"
                text: page.env.s(354)
                onClicked: page.importMacro()
            }
            FileListButton {
                objectName: "macroExport"
                width: parent.cell
                env: page.env
                icon: "export"
                text: page.env.s(355)
                enabled: page.currentName !== ""
                onClicked: page.exportMacro()
            }
        }
        // Apart from the others: it is the one that loses work.
        FileListButton {
            objectName: "macroDelete"
            y: 368
            width: parent.width
            env: page.env
            icon: "delete"
            danger: page.deleteArmed
            text: page.deleteArmed ? page.env.s(388) : page.env.s(353)
            enabled: page.currentName !== ""
            onClicked: page.deleteMacro()
        }
    }

    // The lines of the selected macro.
    Item {
        id: actions
        x: 260
        y: 12
        width: 324
        height: 396

        Row {
            width: parent.width
            spacing: 10
            Caption {
                id: actionsCaption
                env: page.env
                text: page.env.s(356)
            }
            // The name as typed, not in capitals.
            Text {
                width: parent.width - actionsCaption.width - 10
                anchors.baseline: actionsCaption.baseline
                text: page.currentName
                elide: Text.ElideRight
                font.family: page.env.fontFamily
                font.pixelSize: page.env.fontSize - 1
                color: page.env.text
            }
        }

        Rectangle {
            id: lineBox
            y: 28
            width: parent.width
            height: 338
            radius: 6
            color: page.env.panelAlt
            border.color: page.recording ? page.env.danger : page.env.line

            ListView {
                id: lineView
                objectName: "macroLines"
                anchors.fill: parent
                anchors.margins: 4
                clip: true
                model: page.lines
                boundsBehavior: Flickable.StopAtBounds

                // A click below the lines drops the selection: new lines go to the end again.
                // (It lies in the content, under the last row; a footer cannot be used with
                // bound components in Qt 6.4.)
                MouseArea {
                    y: lineView.count * 26
                    width: lineView.width
                    height: Math.max(0, lineView.height - y)
                    enabled: page.editable
                    onClicked: page.selectedLine = -1
                }

                delegate: Item {
                    id: row
                    required property int index
                    required property var modelData
                    readonly property var parsed: MacroLines.parse(modelData)
                    readonly property bool selected: index === page.selectedLine
                    width: lineView.width - (lineBar.visible ? 6 : 0)
                    height: 26

                    Rectangle {
                        anchors.fill: parent
                        radius: 4
                        color: row.selected ? Qt.rgba(page.env.accent.r, page.env.accent.g,
                                                      page.env.accent.b, 0.18)
                                            : rowArea.containsMouse ? page.env.hover : "transparent"
                    }
                    // New lines go in above the selected one.
                    Rectangle {
                        width: parent.width
                        height: 2
                        visible: row.selected
                        color: page.env.accent
                    }

                    Text {
                        id: number
                        x: 6
                        width: 30
                        anchors.verticalCenter: parent.verticalCenter
                        horizontalAlignment: Text.AlignRight
                        text: row.index + 1
                        font.family: page.env.fontFamily
                        font.pixelSize: page.env.fontSize - 2
                        color: page.env.textDim
                    }

                    Rectangle {
                        id: badge
                        x: 44
                        width: 76
                        height: 18
                        radius: 9
                        anchors.verticalCenter: parent.verticalCenter
                        readonly property color tint: row.parsed.kind === "down" ? page.env.accent
                                                    : row.parsed.kind === "delay" ? "#e0b341"
                                                    : page.env.textDim
                        color: Qt.rgba(tint.r, tint.g, tint.b, row.parsed.kind === "up" ? 0.10 : 0.18)
                        border.color: Qt.rgba(tint.r, tint.g, tint.b, 0.55)

                        Text {
                            anchors.centerIn: parent
                            width: parent.width - 8
                            horizontalAlignment: Text.AlignHCenter
                            elide: Text.ElideRight
                            text: row.parsed.kind === "down" ? "\u2193 " + page.env.s(372)
                                : row.parsed.kind === "up" ? "\u2191 " + page.env.s(373)
                                : row.parsed.kind === "delay" ? page.env.s(374) : "?"
                            font.family: page.env.fontFamily
                            font.pixelSize: page.env.fontSize - 2
                            color: parent.tint
                        }
                    }

                    Text {
                        anchors.left: badge.right
                        anchors.leftMargin: 12
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: row.parsed.kind === "delay" ? page.delayText(row.parsed.value)
                                                          : row.parsed.value
                        font.family: page.env.fontFamily
                        font.pixelSize: page.env.fontSize
                        color: row.parsed.kind === "" ? page.env.danger : page.env.text
                    }

                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        enabled: page.editable
                        onClicked: page.selectLine(row.index)
                    }
                }
            }

            Rectangle {
                id: lineBar
                visible: lineView.contentHeight > lineView.height
                anchors.right: parent.right
                anchors.rightMargin: 3
                y: lineView.y + lineView.visibleArea.yPosition * lineView.height
                width: 3
                height: Math.max(16, lineView.visibleArea.heightRatio * lineView.height)
                radius: 1.5
                color: page.env.line
            }

            Text {
                anchors.fill: parent
                anchors.margins: 24
                visible: page.lines.length === 0 && !page.recording
                text: page.names.length === 0 ? page.env.s(380)
                    : page.currentName === "" ? page.env.s(389) : page.env.s(381)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                font.family: page.env.fontFamily
                font.pixelSize: page.env.fontSize - 1
                color: page.env.textDim
            }
        }

        // One status line: recording, a notice, or where new lines go.
        Row {
            y: 374
            width: parent.width
            height: 22
            spacing: 8
            visible: page.currentName !== "" || page.notice !== ""

            Rectangle {
                width: 10
                height: 10
                radius: 5
                anchors.verticalCenter: parent.verticalCenter
                visible: page.recording
                color: page.env.danger
                SequentialAnimation on opacity {
                    running: page.recording
                    loops: Animation.Infinite
                    NumberAnimation { to: 0.25; duration: 600 }
                    NumberAnimation { to: 1; duration: 600 }
                }
            }
            Text {
                objectName: "macroStatus"
                width: parent.width - 18
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                text: page.recording ? page.env.s(361)
                    : page.notice !== "" ? page.notice
                    : page.selectedLine >= 0 ? page.env.s(385).replace("%1", page.selectedLine + 1)
                    : page.env.s(386)
                font.family: page.env.fontFamily
                font.pixelSize: page.env.fontSize - 1
                color: page.recording || page.notice !== "" ? page.env.danger : page.env.textDim
            }
        }
    }

    // Recording and editing tools.
    Column {
        x: 600
        y: 12
        width: 168
        spacing: 8

        Caption {
            env: page.env
            width: parent.width
            text: page.env.s(357)
        }
        Button_2state {
            objectName: "macroRecord"
            width: parent.width
            env: page.env
            enabled: page.currentName !== ""
            opacity: 0.4 + 0.6 * enabled
            checked: page.recording
            text: (page.recording ? "\u25A0  " + page.env.s(359) : "\u25CF  " + page.env.s(358))
            onToggled: function (on) {
                if (on)
                    page.startRecording()
                else
                    page.stopRecording()
                checked = Qt.binding(() => page.recording)
            }
        }
        Checkbox {
            objectName: "macroRecordPauses"
            width: parent.width
            env: page.env
            checked: page.recordPauses
            text: page.env.s(360)
            onToggled: function (on) {
                page.recordPauses = on
                if (page.recorder)
                    page.recorder.withPauses = on
                checked = Qt.binding(() => page.recordPauses)
            }
        }

        Caption {
            env: page.env
            width: parent.width
            height: 24
            verticalAlignment: Text.AlignBottom
            text: page.env.s(362)
        }
        Column {
            width: parent.width
            spacing: 8
            enabled: page.editable
            opacity: 0.4 + 0.6 * enabled

            ValueInput {
                objectName: "macroDelayValue"
                inputObjectName: "macroDelayInput"
                width: parent.width
                env: page.env
                from: MacroLines.minDelay
                to: MacroLines.maxDelay
                value: page.delayValue
                suffix: page.env.s(387)
                onEdited: function (value) { page.delayValue = value }
            }
            Row {
                spacing: 8
                Button_Test {
                    objectName: "macroAddDelay"
                    width: 80
                    env: page.env
                    text: page.env.s(364)
                    onClicked: page.insertLines([MacroLines.delayLine(page.delayValue)])
                }
                Button_Test {
                    objectName: "macroSetDelay"
                    width: 80
                    env: page.env
                    enabled: page.selectedKind === "delay"
                    text: page.env.s(365)
                    onClicked: page.setDelay()
                }
            }
            DropdownList {
                objectName: "macroMouseButton"
                width: parent.width
                env: page.env
                model: [page.env.s(375), page.env.s(376), page.env.s(377), page.env.s(378),
                        page.env.s(379)]
                currentIndex: page.mouseButton
                onActivated: function (index) { page.mouseButton = index }
                // A new model (another language) resets the box's choice.
                onModelChanged: currentIndex = page.mouseButton
            }
            Button_Test {
                objectName: "macroAddMouse"
                width: parent.width
                env: page.env
                text: page.env.s(366)
                onClicked: page.insertLines(MacroLines.keyLines(
                                                page.env.keys ? page.env.keys.mousecodeTostr(
                                                                    0xF0 + page.mouseButton) : ""))
            }
        }

        Caption {
            env: page.env
            width: parent.width
            height: 24
            verticalAlignment: Text.AlignBottom
            text: page.env.s(367)
        }
        Column {
            width: parent.width
            spacing: 8
            enabled: page.editable
            opacity: 0.4 + 0.6 * enabled

            Row {
                spacing: 8
                Button_Test {
                    objectName: "macroLineUp"
                    width: 40
                    env: page.env
                    text: "\u25B2"
                    enabled: page.selectedLine > 0
                    onClicked: {
                        const r = MacroLines.move(page.lines, page.selectedLine, -1)
                        page.setLines(r.lines, r.selected)
                    }
                }
                Button_Test {
                    objectName: "macroLineDown"
                    width: 40
                    env: page.env
                    text: "\u25BC"
                    enabled: page.selectedLine >= 0 && page.selectedLine < page.lines.length - 1
                    onClicked: {
                        const r = MacroLines.move(page.lines, page.selectedLine, 1)
                        page.setLines(r.lines, r.selected)
                    }
                }
                Button_Test {
                    objectName: "macroLineDelete"
                    width: 72
                    env: page.env
                    text: page.env.s(368)
                    enabled: page.selectedLine >= 0
                    onClicked: {
                        const r = MacroLines.remove(page.lines, page.selectedLine)
                        page.setLines(r.lines, r.selected)
                    }
                }
            }
            Button_Test {
                objectName: "macroClear"
                width: parent.width
                env: page.env
                text: page.clearArmed ? page.env.s(388) : page.env.s(369)
                enabled: page.lines.length > 0
                onClicked: page.clearLines()
            }
        }
    }
}
