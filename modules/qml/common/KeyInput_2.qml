import QtQuick
import "../basic"

// A key combination: one modifier (0 none, 1..8 L Ctrl, L Shift, L Alt, L Win, R Ctrl, R Shift,
// R Alt, R Win) and up to two keys. edited() reports every user change with all three values;
// the owner sets the properties, so bindings on them stay intact.
Column {
    id: control

    property Environment env
    property int modifier: 0
    property int key1: 0
    property int key2: 0
    // Inner controls are named namePrefix + "Modifier", "Key1" and "Key2" for scripts and tests.
    property string namePrefix: ""
    property string placeholder1: ""
    property string placeholder2: ""

    signal edited(int modifier, int key1, int key2)

    width: 232
    spacing: 8

    DropdownList {
        id: modifierList
        objectName: control.namePrefix ? control.namePrefix + "Modifier" : ""
        env: control.env
        width: control.width
        model: {
            const names = [control.env ? control.env.s(297) : ""]
            for (let m = 0; m < 8; ++m)
                names.push(control.env && control.env.keys ? control.env.keys.keycodeTostr(0xE0 + m)
                                                           : "")
            return names
        }
        // Set again after the names are rebuilt (a new language resets the list).
        function sync() { currentIndex = control.modifier }
        Component.onCompleted: sync()
        onModelChanged: sync()
        Connections {
            target: control
            function onModifierChanged() { modifierList.sync() }
        }
        onActivated: function (index) {
            control.edited(index, control.key1, control.key2)
        }
    }

    Row {
        spacing: 6

        KeyInput {
            objectName: control.namePrefix ? control.namePrefix + "Key1" : ""
            env: control.env
            width: (control.width - plus.width - 12) / 2
            code: control.key1
            placeholder: control.placeholder1 || (control.env ? control.env.s(295) : "")
            onKeyCaptured: function (code) {
                control.edited(control.modifier, code, control.key2)
            }
        }

        Text {
            id: plus
            anchors.verticalCenter: parent.verticalCenter
            text: "+"
            font.family: control.env ? control.env.fontFamily : ""
            font.pixelSize: control.env ? control.env.fontSize + 2 : 15
            color: control.env ? control.env.textDim : "white"
        }

        KeyInput {
            objectName: control.namePrefix ? control.namePrefix + "Key2" : ""
            env: control.env
            width: (control.width - plus.width - 12) / 2
            code: control.key2
            placeholder: control.placeholder2 || (control.env ? control.env.s(295) : "")
            onKeyCaptured: function (code) {
                control.edited(control.modifier, control.key1, code)
            }
        }
    }
}
