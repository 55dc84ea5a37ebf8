pragma ComponentBehavior: Bound

import QtQuick
import "../basic"

// A scrollable list of names with one selected. A double-click or startRename() edits the
// selected name in place: Enter or leaving the field commits, Escape cancels.
Rectangle {
    id: control

    property Environment env
    property var model: []
    property int currentIndex: -1
    property string emptyText: ""
    property int editIndex: -1
    readonly property bool renaming: editIndex >= 0

    signal selected(int index)
    // Only for a changed, non-empty name (trimmed).
    signal renamed(int index, string name)
    signal renameStarted()

    function startRename() {
        if (currentIndex < 0 || currentIndex >= model.length)
            return
        view.positionViewAtIndex(currentIndex, ListView.Contain)
        editIndex = currentIndex
        renameStarted()
    }

    function finishRename(commit, text) {
        const index = editIndex
        if (index < 0)
            return
        editIndex = -1
        const name = String(text).trim()
        if (commit && name !== "" && name !== String(model[index]))
            renamed(index, name)
    }

    // Keeps the selected name in sight, also after the list was reloaded.
    function reveal() {
        if (currentIndex >= 0 && currentIndex < view.count)
            view.positionViewAtIndex(currentIndex, ListView.Contain)
    }

    onModelChanged: {
        editIndex = -1
        reveal()
    }
    onCurrentIndexChanged: reveal()

    implicitWidth: 220
    implicitHeight: 240
    radius: 6
    color: env ? env.panelAlt : "gray"
    border.color: env ? env.line : "white"

    ListView {
        id: view
        anchors.fill: parent
        anchors.margins: 4
        clip: true
        model: control.model
        boundsBehavior: Flickable.StopAtBounds

        delegate: Item {
            id: row
            required property int index
            required property var modelData
            readonly property bool current: index === control.currentIndex
            readonly property bool editing: index === control.editIndex
            width: view.width - (bar.visible ? 6 : 0)
            height: 28

            Rectangle {
                anchors.fill: parent
                radius: 4
                color: !control.env ? "transparent" : row.current
                       ? Qt.rgba(control.env.accent.r, control.env.accent.g, control.env.accent.b, 0.18)
                       : rowArea.containsMouse ? control.env.hover : "transparent"
            }
            Rectangle {
                width: 3
                height: parent.height - 10
                radius: 1.5
                anchors.left: parent.left
                anchors.leftMargin: 3
                anchors.verticalCenter: parent.verticalCenter
                visible: row.current
                color: control.env ? control.env.accent : "white"
            }

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 14
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                visible: !row.editing
                text: String(row.modelData)
                elide: Text.ElideRight
                font.family: control.env ? control.env.fontFamily : ""
                font.pixelSize: control.env ? control.env.fontSize : 13
                color: !control.env ? "white" : row.current ? control.env.accent : control.env.text
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                enabled: !row.editing
                onClicked: {
                    if (control.renaming)
                        return
                    if (row.index !== control.currentIndex)
                        control.selected(row.index)
                }
                onDoubleClicked: {
                    if (row.index !== control.currentIndex)
                        control.selected(row.index)
                    if (row.index === control.currentIndex)
                        control.startRename()
                }
            }

            Rectangle {
                anchors.fill: parent
                anchors.leftMargin: 8
                anchors.rightMargin: 2
                visible: row.editing
                radius: 4
                color: control.env ? control.env.bg : "black"
                border.color: control.env ? control.env.accent : "white"

                TextInput {
                    id: editor
                    objectName: row.editing ? "fileListEditor" : ""
                    anchors.fill: parent
                    anchors.leftMargin: 6
                    anchors.rightMargin: 6
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    enabled: row.editing
                    maximumLength: 64
                    // Characters no file name may hold.
                    validator: RegularExpressionValidator { regularExpression: /[^\/\\:*?"<>|]*/ }
                    selectByMouse: true
                    font.family: control.env ? control.env.fontFamily : ""
                    font.pixelSize: control.env ? control.env.fontSize : 13
                    color: control.env ? control.env.text : "white"
                    selectionColor: control.env ? control.env.accent : "white"
                    selectedTextColor: control.env ? control.env.accentText : "black"
                    onAccepted: control.finishRename(true, text)
                    Keys.onEscapePressed: control.finishRename(false, text)
                    onActiveFocusChanged: if (!activeFocus && row.editing) control.finishRename(true, text)
                }

                onVisibleChanged: {
                    if (!visible)
                        return
                    editor.text = String(row.modelData)
                    editor.selectAll()
                    editor.forceActiveFocus()
                }
            }
        }
    }

    // Where the view stands in a long list.
    Rectangle {
        id: bar
        visible: view.contentHeight > view.height
        anchors.right: parent.right
        anchors.rightMargin: 3
        y: view.y + view.visibleArea.yPosition * view.height
        width: 3
        height: Math.max(16, view.visibleArea.heightRatio * view.height)
        radius: 1.5
        color: control.env ? control.env.line : "white"
    }

    Text {
        anchors.fill: parent
        anchors.margins: 16
        visible: control.model.length === 0
        text: control.emptyText
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        font.family: control.env ? control.env.fontFamily : ""
        font.pixelSize: control.env ? control.env.fontSize - 1 : 12
        color: control.env ? control.env.textDim : "white"
    }
}
