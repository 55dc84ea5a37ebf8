pragma ComponentBehavior: Bound
import QtQuick
import "../common"

// The controls of the global settings page, one row per entry of the settings list.
Item {
    id: controls

    required property Page_Globalsetting page
    readonly property Environment env: page.env

    component Caption: Text {
        required property Environment env
        width: 150
        height: 32
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.family: env ? env.fontFamily : ""
        font.pixelSize: env ? env.fontSize : 13
        color: env ? env.textDim : "white"
    }

    Grid {
        id: grid
        x: 28
        y: 24
        columns: 2
        columnSpacing: 16
        rowSpacing: 10
        verticalItemAlignment: Grid.AlignVCenter

        Caption { env: controls.env; text: controls.env.s(2); visible: controls.page.skinShown }
        ButtonGroup_4 {
            visible: controls.page.skinShown
            width: 260
            env: controls.env
            namePrefix: "globalSkin"
            model: controls.env ? [controls.env.s(18), controls.env.s(19)] : []
            currentIndex: controls.page.skin - 1
            onSelected: function (index) { controls.page.skin = index + 1 }
        }

        Caption { env: controls.env; text: controls.env.s(3) }
        ButtonGroup_4 {
            width: 260
            env: controls.env
            namePrefix: "globalSound"
            model: controls.env ? [controls.env.s(11), controls.env.s(12)] : []
            currentIndex: controls.page.sound
            onSelected: function (index) { controls.page.setSound(index, true) }
        }

        Caption { env: controls.env; text: controls.env.s(4) }
        ButtonGroup_4 {
            width: 260
            env: controls.env
            namePrefix: "globalAnimation"
            model: controls.env ? [controls.env.s(11), controls.env.s(12)] : []
            currentIndex: controls.page.animation
            onSelected: function (index) { controls.page.animation = index }
        }

        Caption { env: controls.env; text: controls.env.s(5) }
        DropdownList {
            objectName: "globalLanguage"
            width: 260
            env: controls.env
            model: controls.page.languageNames
            currentIndex: controls.page.language
            onActivated: function (index) { controls.page.selectLanguage(index) }
        }

        Caption { env: controls.env; text: controls.env.s(7) }
        ButtonGroup_4 {
            width: 260
            env: controls.env
            namePrefix: "globalTextSize"
            model: controls.env ? [controls.env.s(13), controls.env.s(14)] : []
            currentIndex: controls.page.textSize
            onSelected: function (index) { controls.page.textSize = index }
        }

        Caption { env: controls.env; text: controls.env.s(8) }
        Row {
            spacing: 8
            Repeater {
                model: 7
                delegate: Rectangle {
                    required property int index
                    readonly property var rgb: controls.page.textColors[index]
                    objectName: "globalColor" + index
                    width: 28
                    height: 28
                    radius: 14
                    color: Qt.rgba(rgb[0] / 255, rgb[1] / 255, rgb[2] / 255, 1)
                    border.width: index === controls.page.textColor ? 3 : 1
                    border.color: index === controls.page.textColor ? "white"
                                                           : (controls.env ? controls.env.line : "gray")
                    MouseArea {
                        anchors.fill: parent
                        onClicked: controls.page.textColor = parent.index
                    }
                }
            }
            Rectangle {
                width: 92
                height: 28
                radius: 6
                color: controls.env ? controls.env.panelAlt : "gray"
                border.color: hexInput.activeFocus && controls.env ? controls.env.accent
                              : (controls.env ? controls.env.line : "gray")
                TextInput {
                    id: hexInput
                    objectName: "globalColorHex"
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    verticalAlignment: TextInput.AlignVCenter
                    text: controls.page.hex(controls.page.textColors[controls.page.textColor])
                    maximumLength: 7
                    selectByMouse: true
                    font.family: "monospace"
                    font.pixelSize: controls.env ? controls.env.fontSize : 13
                    color: controls.env ? controls.env.text : "white"
                    onEditingFinished: {
                        if (!controls.page.setColorHex(text))
                            text = controls.page.hex(controls.page.textColors[controls.page.textColor])
                    }
                }
            }
        }

        Caption { env: controls.env; text: controls.env.s(9) }
        Slider_11 {
            width: 320
            env: controls.env
            steps: 8
            value: controls.page.brightness
            sliderObjectName: "globalBrightness"
            onMoved: function (value) { controls.page.brightness = value }
        }

        Caption { env: controls.env; text: controls.env.s(6) }
        Row {
            spacing: 12
            Checkbox {
                objectName: "globalCustomShown"
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                env: controls.env
                text: controls.env ? controls.env.s(35) : ""
                checked: controls.page.customBackgroundShown
                onToggled: function (checked) { controls.page.customBackgroundShown = checked }
            }
            Button_Test {
                objectName: "globalCustomChoose"
                env: controls.env
                text: controls.env ? controls.env.s(15) : ""
                onClicked: {
                    const path = ui_View.getCustomFilePath()
                    if (path !== "") {
                        controls.page.customBackgroundPath = path
                        controls.page.customBackgroundShown = true
                    }
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: 200
                elide: Text.ElideMiddle
                text: controls.page.customBackgroundPath !== "" ? controls.page.customBackgroundPath
                                                       : (controls.env ? controls.env.s(34) : "")
                font.family: controls.env ? controls.env.fontFamily : ""
                font.pixelSize: controls.env ? controls.env.fontSize - 1 : 12
                color: controls.env ? controls.env.textDim : "white"
            }
        }

        Caption { env: controls.env; text: controls.env.s(10) }
        Rectangle {
            width: 420
            height: 32
            radius: 6
            color: controls.env ? controls.env.panelAlt : "gray"
            border.color: linkInput.activeFocus && controls.env ? controls.env.accent
                          : (controls.env ? controls.env.line : "gray")
            TextInput {
                id: linkInput
                objectName: "globalLink"
                anchors.fill: parent
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                verticalAlignment: TextInput.AlignVCenter
                clip: true
                selectByMouse: true
                text: controls.page.linkTarget
                font.family: controls.env ? controls.env.fontFamily : ""
                font.pixelSize: controls.env ? controls.env.fontSize : 13
                color: controls.env ? controls.env.text : "white"
                onEditingFinished: controls.page.linkTarget = text.trim()
            }
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 20
        spacing: 10
        Button_Test {
            objectName: "globalReset"
            env: controls.env
            width: 120
            text: controls.env ? controls.env.s(17) : ""
            onClicked: controls.page.reset()
        }
        Button_Test {
            objectName: "globalApply"
            env: controls.env
            width: 120
            accented: true
            text: controls.env ? controls.env.s(16) : ""
            onClicked: controls.page.apply()
        }
    }
}
