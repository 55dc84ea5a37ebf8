pragma ComponentBehavior: Bound
import QtQuick
import "../common"
import "../basic"

// The ten profiles P01 … P10, each with import, export, reset and cancel on its context menu.
Item {
    id: menu

    property Environment env
    property alias currentIndex: group.currentIndex

    signal selected(int index)
    signal menuTriggered(int index, int entry)

    width: 780
    height: 36
    opacity: 0.2 + 0.8 * enabled

    ButtonGroupPro_8_Menu {
        id: group
        anchors.fill: parent
        env: menu.env
        spacing: 6
        namePrefix: "profile"
        menuPrefix: "profileMenu"
        currentIndex: 0
        model: ["P01", "P02", "P03", "P04", "P05", "P06", "P07", "P08", "P09", "P10"]
        menuModel: menu.env ? [menu.env.s(27), menu.env.s(28), menu.env.s(29), menu.env.s(30)] : []
        onSelected: function (index) { menu.selected(index) }
        onMenuTriggered: function (index, entry) { menu.menuTriggered(index, entry) }
    }
}
