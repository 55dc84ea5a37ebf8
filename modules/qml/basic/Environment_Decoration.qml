pragma ComponentBehavior: Bound
import QtQuick

// The window's frame artwork and, when chosen, the user's own picture behind the page area.
Item {
    id: decoration

    property Environment env
    property bool customShown: false
    property string customPath: ""

    Image {
        anchors.fill: parent
        source: decoration.env ? decoration.env.img("frame", "bg.png") : ""
        sourceSize.width: 1000
        sourceSize.height: 600
        asynchronous: true
        cache: true
    }

    Item {
        x: 185
        y: 56
        width: parent.width - 186
        height: 480
        clip: true
        visible: decoration.customShown && decoration.customPath !== "" && custom.status === Image.Ready

        Image {
            id: custom
            anchors.fill: parent
            fillMode: Image.PreserveAspectCrop
            asynchronous: true
            source: decoration.customShown && decoration.customPath !== ""
                    ? "file:" + decoration.customPath : ""
            sourceSize.width: 815
            sourceSize.height: 480
        }
        // Keeps the pages readable over any picture.
        Rectangle {
            anchors.fill: parent
            color: decoration.env ? decoration.env.bg : "black"
            opacity: 0.72
        }
    }
}
