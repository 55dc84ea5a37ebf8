pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../common"
import "SensorCodes.js" as Codes

// Sensor: eight DPI stages with their indicator colours, the current stage, the polling rate
// and the desktop's pointer settings.
Item {
    id: page
    objectName: "pageSensor"
    width: 780
    height: 420

    property Environment env

    property int sensorType: 0
    property bool logoLed: false
    property int maxStages: 8
    property int rateIndex: Codes.defaultRateIndex
    property int cursorSpeed: 5
    property int scrollLines: 2
    property int doubleClick: 5
    property int currentStage: 0
    property var values: Codes.defaultDpi[0].slice()
    // Indicator colours: RGB per stage, or colour numbers when the logo LED drives them.
    property var colorIds: [0, 1, 2, 3, 4, 5, 6, 7]
    // The stage whose colour is being edited, -1 when none.
    property int colorStage: -1

    readonly property var offered: Codes.stageChoices(sensorType)
    readonly property int topDpi: Codes.dpiValues(sensorType).slice(-1)[0]

    Model_Color_V7 {
        id: stageColors
    }

    function step(v) {
        return Codes.clamp(v, 0, 10)
    }

    function takeValues(list) {
        const out = []
        for (let i = 0; i < 8; ++i) {
            const v = i < list.length ? Math.round(Number(list[i])) : 0
            out.push(isNaN(v) ? 0 : v)
        }
        return out
    }

    // Values the sensor cannot take would disable their stages, so a table made for another
    // sensor (or none at all) gives way to this sensor's factory table.
    function fitsSensor(list) {
        const ok = Codes.dpiValues(sensorType)
        let used = 0
        for (let i = 0; i < list.length; ++i) {
            if (list[i] === 0)
                continue
            if (ok.indexOf(list[i]) < 0)
                return false
            ++used
        }
        return used > 0
    }

    function stageColor(i) {
        return logoLed ? Codes.colorIds[(Number(colorIds[i]) & 0x0F) % Codes.colorIds.length]
                       : stageColors.colors[i]
    }

    function init() {
        sensorType = Codes.sensorType(ui_View.getSensorType())
        logoLed = ui_View.chkIsLogoLedWork() === true
        maxStages = Codes.clamp(ui_View.ui_91H_SyncDPI(), 1, 8)
        rateIndex = Codes.rateIndex(ui_View.ui_81H_GetReportRate())
        cursorSpeed = step(ui_View.getCursorSpeed())
        scrollLines = step(ui_View.getVerticalScrollLines())
        doubleClick = step(ui_View.getDoubleClickSpeed())
        currentStage = Codes.clamp(Number(ui_View.ui_8BH_GetCurrentDPIStage()) - 1, 0, 7)
        const stored = ui_View.ui_91H_GetDPISet() || []
        values = stored.length > 0 ? takeValues(stored) : Codes.defaultDpi[sensorType].slice()
        stageColors.acceptRgb(ui_View.ui_90H_GetLED8StageColor(1))
        const ids = ui_View.ui_90H_GetLED8StageColor(2) || []
        if (ids.length === 8)
            colorIds = takeValues(ids)
        colorStage = -1
    }

    function sendDpi() {
        ui_View.ui_11H_SetDPISet(maxStages, Codes.stageBytes(sensorType, values), values.slice())
    }

    function sendIndicator() {
        if (logoLed)
            ui_View.ui_10H_SetLED8StageColor(2, colorIds.slice())
        else
            ui_View.ui_10H_SetLED8StageColor(1, stageColors.toRgb())
    }

    function setValue(i, v) {
        const out = values.slice()
        out[i] = v
        values = out
        sendDpi()
    }

    function apply() {
        ui_View.ui_01H_SetReportRate(Codes.rateByte(rateIndex))
        ui_View.setCursorSpeed(cursorSpeed)
        ui_View.setVerticalScrollLines(scrollLines)
        ui_View.setDoubleClickSpeed(doubleClick)
        ui_View.ui_0BH_SetCurrentDPIStage(currentStage + 1)
    }

    function reset() {
        const d = ui_View.loadDefaultProfile(3) || []
        if (d.length > 0)
            rateIndex = Codes.rateIndex(d[0])
        if (d.length > 3) {
            cursorSpeed = step(d[1])
            scrollLines = step(d[2])
            doubleClick = step(d[3])
        }
        const table = d.length > 11 ? takeValues(d.slice(4, 12)) : []
        values = fitsSensor(table) ? table : Codes.defaultDpi[sensorType].slice()
        // Missing lists leave no gap: without any, the stage follows the four numbers.
        const stage = d.length === 5 ? d[4] : d.length > 12 ? d[12] : undefined
        if (stage !== undefined)
            currentStage = Codes.clamp(Number(stage) - 1, 0, 7)
        if (d.length > 36)
            stageColors.acceptRgb(d.slice(13, 37))
        if (d.length > 44)
            colorIds = takeValues(d.slice(37, 45))
        colorStage = -1
        sendDpi()
        sendIndicator()
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
        id: stageCard
        env: page.env
        x: 12
        y: 12
        width: 400
        height: 396

        Caption {
            env: page.env
            x: 16
            y: 14
            text: page.env ? page.env.s(104) : ""
        }
        Caption {
            env: page.env
            x: 56
            y: 14
            anchors.right: parent.right
            anchors.rightMargin: 16
            horizontalAlignment: Text.AlignRight
            text: page.env ? page.env.s(105) : ""
        }

        Column {
            x: 8
            y: 36
            width: parent.width - 16
            Repeater {
                model: 8
                delegate: Rectangle {
                    id: row
                    required property int index
                    readonly property bool current: index === page.currentStage
                    readonly property int shown: Codes.displayedDpi(
                        page.sensorType, Codes.stageByte(page.sensorType, page.values[index]))
                    readonly property color tint: page.stageColor(index)
                    width: parent.width
                    height: 43
                    radius: 6
                    color: current && page.env ? page.env.panelAlt : "transparent"
                    enabled: index < page.maxStages
                    opacity: enabled ? 1 : 0.35

                    Rectangle {
                        // The current stage's marker.
                        visible: row.current
                        x: 0
                        width: 3
                        height: parent.height - 12
                        anchors.verticalCenter: parent.verticalCenter
                        radius: 1.5
                        color: page.env ? page.env.accent : "white"
                    }

                    Rectangle {
                        id: badge
                        objectName: "sensorStage" + row.index
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        width: 26
                        height: 26
                        radius: 13
                        color: !page.env ? "gray" : row.current ? page.env.accent
                             : badgeArea.containsMouse ? page.env.hover : "transparent"
                        border.color: !page.env ? "white"
                                    : row.current ? page.env.accent : page.env.line
                        Text {
                            anchors.centerIn: parent
                            text: String(row.index + 1)
                            font.family: page.env ? page.env.fontFamily : ""
                            font.pixelSize: page.env ? page.env.fontSize : 13
                            font.bold: row.current
                            color: !page.env ? "white"
                                 : row.current ? page.env.accentText : page.env.text
                        }
                        MouseArea {
                            id: badgeArea
                            anchors.fill: parent
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: page.currentStage = row.index
                        }
                    }

                    ValueInput {
                        id: input
                        objectName: "sensorStageValue" + row.index
                        inputObjectName: "sensorStageInput" + row.index
                        env: page.env
                        x: 46
                        anchors.verticalCenter: parent.verticalCenter
                        width: 116
                        height: 28
                        values: page.offered
                        suffix: page.env ? page.env.s(119) : ""
                        onEdited: function (v) { page.setValue(row.index, v) }
                    }
                    Binding { target: input; property: "value"; value: page.values[row.index] }

                    Rectangle {
                        // How far this stage goes, in its indicator colour.
                        id: track
                        visible: row.shown > 0
                        x: 176
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - x - 54
                        height: 8
                        radius: 4
                        color: page.env ? page.env.line : "gray"
                        Rectangle {
                            width: row.shown > 0
                                   ? Math.max(8, parent.width * row.shown / page.topDpi) : 0
                            height: parent.height
                            radius: 4
                            color: row.tint
                            opacity: 0.9
                        }
                    }
                    Text {
                        anchors.left: track.left
                        anchors.verticalCenter: parent.verticalCenter
                        visible: row.shown === 0
                        text: page.env ? page.env.s(106) : ""
                        font.family: page.env ? page.env.fontFamily : ""
                        font.pixelSize: page.env ? page.env.fontSize - 1 : 12
                        color: page.env ? page.env.textDim : "gray"
                    }

                    Rectangle {
                        objectName: "sensorStageColor" + row.index
                        anchors.right: parent.right
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        width: 30
                        height: 22
                        radius: 5
                        color: row.tint
                        border.width: page.colorStage === row.index ? 2 : 1
                        border.color: !page.env ? "white"
                                    : page.colorStage === row.index ? page.env.accent
                                    : chipArea.containsMouse ? page.env.text : page.env.line
                        MouseArea {
                            id: chipArea
                            anchors.fill: parent
                            anchors.margins: -4
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: page.colorStage = page.colorStage === row.index ? -1
                                                                                       : row.index
                        }
                    }
                }
            }
        }
    }

    Card {
        id: settingsCard
        env: page.env
        x: 424
        y: 12
        width: 344
        height: 396

        Caption {
            env: page.env
            x: 16
            y: 14
            text: page.env ? page.env.s(100) : ""
        }
        ButtonGroup_4 {
            id: rates
            env: page.env
            x: 16
            y: 36
            width: parent.width - 32
            height: 32
            spacing: 2
            namePrefix: "sensorRate"
            model: page.env ? [page.env.s(108), page.env.s(109), page.env.s(110), page.env.s(111)]
                            : ["", "", "", ""]
            onSelected: function (index) { page.rateIndex = index }
        }
        Binding { target: rates; property: "currentIndex"; value: page.rateIndex }

        Caption {
            env: page.env
            x: 16
            y: 92
            text: page.env ? page.env.s(116) : ""
        }
        Column {
            x: 16
            y: 114
            width: parent.width - 32
            spacing: 8
            Slider_11 {
                id: cursor
                env: page.env
                width: parent.width
                steps: 11
                text: page.env ? page.env.s(101) : ""
                sliderObjectName: "sensorCursor"
                onMoved: function (v) { page.cursorSpeed = v }
            }
            Slider_11 {
                id: scroll
                env: page.env
                width: parent.width
                steps: 11
                text: page.env ? page.env.s(102) : ""
                sliderObjectName: "sensorScroll"
                labels: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11]
                onMoved: function (v) { page.scrollLines = v }
            }
            Slider_11 {
                id: doubleClickSlider
                env: page.env
                width: parent.width
                steps: 11
                text: page.env ? page.env.s(103) : ""
                sliderObjectName: "sensorDoubleClick"
                labels: ["900 ms", "830 ms", "760 ms", "690 ms", "620 ms", "550 ms", "480 ms",
                         "410 ms", "340 ms", "270 ms", "200 ms"]
                onMoved: function (v) { page.doubleClick = v }
            }
        }
        Binding { target: cursor; property: "value"; value: page.cursorSpeed }
        Binding { target: scroll; property: "value"; value: page.scrollLines }
        Binding { target: doubleClickSlider; property: "value"; value: page.doubleClick }
    }

    // The indicator colour of one stage, over the settings while it is open.
    Card {
        id: colorPopup
        objectName: "sensorColorPopup"
        env: page.env
        x: settingsCard.x
        y: settingsCard.y
        width: settingsCard.width
        height: settingsCard.height
        visible: page.colorStage >= 0
        border.color: page.env ? page.env.accent : "white"

        MouseArea {
            // Nothing under the popup takes clicks meanwhile.
            anchors.fill: parent
        }
        Caption {
            env: page.env
            x: 16
            y: 14
            text: page.env ? page.env.s(117).replace("%1", String(page.colorStage + 1)) : ""
        }
        ColorPicker {
            id: stagePicker
            visible: !page.logoLed
            env: page.env
            prefix: "sensorPicker"
            x: 16
            y: 40
            width: parent.width - 32
            height: 240
            swatches: stageColors.defaultColors
            onEdited: function (c) {
                stageColors.setColor(page.colorStage, c)
                page.sendIndicator()
            }
        }
        Binding {
            target: stagePicker
            property: "color"
            value: stageColors.colors[Math.max(0, page.colorStage)]
            when: page.colorStage >= 0
        }
        Grid {
            // With the logo LED the indicator takes one of eight colour numbers.
            visible: page.logoLed
            x: 16
            y: 44
            columns: 4
            spacing: 12
            Repeater {
                model: Codes.colorIds
                delegate: Rectangle {
                    id: tile
                    required property int index
                    required property var modelData
                    readonly property bool chosen:
                        page.colorStage >= 0 && Number(page.colorIds[page.colorStage]) === index
                    objectName: "sensorColorId" + index
                    width: 59
                    height: 59
                    radius: 10
                    color: "transparent"
                    border.width: 2
                    border.color: !page.env ? "white" : chosen ? page.env.accent
                                : tileArea.containsMouse ? page.env.line : "transparent"
                    Rectangle {
                        anchors.fill: parent
                        anchors.margins: 5
                        radius: 6
                        color: tile.modelData
                        border.width: 1
                        border.color: Qt.rgba(0, 0, 0, 0.35)
                        Text {
                            anchors.centerIn: parent
                            text: String(tile.index + 1)
                            font.family: page.env ? page.env.fontFamily : ""
                            font.pixelSize: page.env ? page.env.fontSize : 13
                            font.bold: true
                            color: Qt.rgba(0, 0, 0, 0.55)
                        }
                    }
                    MouseArea {
                        id: tileArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: {
                            const out = page.colorIds.slice()
                            out[page.colorStage] = tile.index
                            page.colorIds = out
                            page.sendIndicator()
                        }
                    }
                }
            }
        }
        Button_Test {
            objectName: "sensorColorDone"
            env: page.env
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 16
            text: page.env ? page.env.s(115) : ""
            onClicked: page.colorStage = -1
        }
    }

    Row {
        anchors.right: settingsCard.right
        anchors.rightMargin: 16
        anchors.bottom: settingsCard.bottom
        anchors.bottomMargin: 16
        spacing: 12
        visible: page.colorStage < 0
        Button_Test {
            objectName: "sensorReset"
            env: page.env
            text: page.env ? page.env.s(112) : ""
            onClicked: page.reset()
        }
        Button_Test {
            objectName: "sensorApply"
            env: page.env
            accented: true
            text: page.env ? page.env.s(113) : ""
            onClicked: page.apply()
        }
    }
}
