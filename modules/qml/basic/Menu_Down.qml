pragma ComponentBehavior: Bound
import QtQuick
import "../common"

// The bottom bar: the web logo, the firmware version and the two total buttons.
Item {
    id: menu

    property Environment env
    property string linkTarget: ""
    property string firmware: ""

    signal btnTotalApplyClicked()
    signal btnTotalResetClicked()

    height: 64
    opacity: 0.2 + 0.8 * enabled

    Image {
        asynchronous: true
        id: web
        objectName: "webLogo"
        x: 20
        anchors.verticalCenter: parent.verticalCenter
        width: 120
        height: 28
        sourceSize.width: 120
        sourceSize.height: 28
        source: menu.env ? menu.env.img("frame", "web_" + (webArea.pressed ? 2
                : webArea.containsMouse ? 1 : 0) + ".png") : ""

        MouseArea {
            id: webArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                ui_View.playMedia_Index(0x03)
                if (menu.linkTarget !== "")
                    Qt.openUrlExternally(menu.linkTarget)
            }
        }
    }

    Text {
        anchors.left: web.right
        anchors.leftMargin: 24
        anchors.verticalCenter: parent.verticalCenter
        visible: menu.firmware !== ""
        text: menu.env && menu.env.s(32) !== "" ? menu.env.s(32).arg(menu.firmware) : ""
        font.family: menu.env ? menu.env.fontFamily : ""
        font.pixelSize: menu.env ? menu.env.fontSize - 1 : 12
        color: menu.env ? menu.env.textDim : "white"
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        Button_Test {
            objectName: "btnTotalReset"
            env: menu.env
            width: 132
            text: menu.env ? menu.env.s(26) : ""
            onClicked: menu.btnTotalResetClicked()
        }
        Button_Test {
            objectName: "btnTotalApply"
            env: menu.env
            width: 132
            accented: true
            text: menu.env ? menu.env.s(25) : ""
            onClicked: menu.btnTotalApplyClicked()
        }
    }
}
