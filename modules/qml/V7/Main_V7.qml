pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// The mouse's main page: the function menu, the profile menu and the five device pages.
// The pages are created after the window first shows, so the start does not wait for them.
Item {
    id: main

    property Environment env
    property string firmware: ""
    readonly property alias currentIndex: funcMenu.currentIndex
    readonly property var pageFiles: ["Page_Keydefine.qml", "Page_Macro.qml", "Page_Color.qml",
                                      "Page_Sensor.qml", "Page_pressGun.qml"]
    readonly property int macroPage: 1
    // Pages created so far (or failed to be); all five once the start has settled.
    property int pagesDone: 0

    signal totalApplyDone()

    // The page items by index, null until created.
    property var pages: [null, null, null, null, null]

    function page(index) {
        return pages[index]
    }

    function init() {
        firmware = String(ui_View.ui_80H_GetFWVersion())
        for (let i = 0; i < 5; ++i) {
            const p = page(i)
            if (p)
                p.init()
        }
    }

    function powerOff() {
        powerOnAnimation.stop()
        funcMenu.opacity = 0
        profMenu.opacity = 0
        pageArea.opacity = 0
    }

    function powerOn() {
        for (let i = 0; i < 5; ++i)
            slots.itemAt(i).create()
        powerOnAnimation.restart()
    }

    function showPage(index) {
        if (switchAnimation.running)
            switchAnimation.complete()
        if (index === funcMenu.currentIndex || index < 0 || index > 4)
            return
        ui_View.playMedia_Index(0x02)
        const from = funcMenu.currentIndex < 0 ? welcome : slots.itemAt(funcMenu.currentIndex)
        const to = slots.itemAt(index)
        funcMenu.currentIndex = index
        switchAnimation.outgoing = from
        switchAnimation.incoming = to
        to.visible = true
        switchAnimation.start()
    }

    function selectProfile(index) {
        ui_View.ui_02H_SetCurrentProfile(index)
        const buttons = page(0)
        if (buttons)
            buttons.init()
        const lighting = page(2)
        if (lighting)
            lighting.refresh()
        const sensor = page(3)
        if (sensor)
            sensor.init()
    }

    function profileAction(index, entry) {
        if (entry === 0)
            ui_View.loadProfile(index)
        else if (entry === 1)
            ui_View.saveProfile(index)
        else if (entry === 2)
            ui_View.resetProfile(index)
        if ((entry === 0 || entry === 2) && index === profMenu.currentIndex)
            selectProfile(index)
    }

    function totalApply() {
        for (let i = 0; i < 5; ++i) {
            const p = page(i)
            if (p)
                p.apply()
        }
        totalApplyDone()
    }

    function totalReset() {
        for (let i = 0; i < 5; ++i) {
            const p = page(i)
            if (p)
                p.reset()
        }
    }

    ParallelAnimation {
        id: powerOnAnimation
        NumberAnimation {
            target: funcMenu
            property: "opacity"
            to: 0.2 + 0.8 * funcMenu.enabled
            duration: main.env.animationTime
        }
        SequentialAnimation {
            PauseAnimation { duration: main.env.animationTime / 4 }
            NumberAnimation {
                target: profMenu
                property: "opacity"
                to: 0.2 + 0.8 * profMenu.enabled
                duration: main.env.animationTime / 2
            }
        }
        SequentialAnimation {
            PauseAnimation { duration: main.env.animationTime / 2 }
            NumberAnimation {
                target: pageArea
                property: "opacity"
                to: 0.2 + 0.8 * pageArea.enabled
                duration: main.env.animationTime / 2
            }
        }
        // Afterwards the opacity follows the enabled state again.
        onRunningChanged: {
            if (running)
                return
            funcMenu.opacity = Qt.binding(() => 0.2 + 0.8 * funcMenu.enabled)
            profMenu.opacity = Qt.binding(() => 0.2 + 0.8 * profMenu.enabled)
            pageArea.opacity = Qt.binding(() => 0.2 + 0.8 * pageArea.enabled)
        }
    }

    ParallelAnimation {
        id: switchAnimation
        property Item outgoing: null
        property Item incoming: null

        NumberAnimation {
            target: switchAnimation.outgoing
            property: "x"
            to: -40
            duration: main.env.animationTime / 2
            easing.type: Easing.InCubic
        }
        NumberAnimation {
            target: switchAnimation.outgoing
            property: "opacity"
            to: 0
            duration: main.env.animationTime / 2
        }
        NumberAnimation {
            target: switchAnimation.incoming
            property: "x"
            from: 40
            to: 0
            duration: main.env.animationTime / 2
            easing.type: Easing.OutCubic
        }
        NumberAnimation {
            target: switchAnimation.incoming
            property: "opacity"
            from: 0
            to: 1
            duration: main.env.animationTime / 2
        }
        onRunningChanged: {
            if (running || !outgoing)
                return
            outgoing.visible = false
            outgoing.x = 0
            outgoing.opacity = 1
        }
    }

    Menu_Func {
        id: funcMenu
        y: 56
        env: main.env
        opacity: 0
        onSelected: function (index) { main.showPage(index) }
    }

    Menu_Prof {
        id: profMenu
        x: 200
        y: 64
        env: main.env
        opacity: 0
        enabled: funcMenu.currentIndex !== main.macroPage
        onSelected: function (index) { main.selectProfile(index) }
        onMenuTriggered: function (index, entry) { main.profileAction(index, entry) }
    }

    Item {
        id: pageArea
        x: 200
        y: 108
        width: 780
        height: 420
        opacity: 0

        Welcome {
            id: welcome
            objectName: "welcome"
            anchors.fill: parent
            env: main.env
        }

        Repeater {
            id: slots
            model: 5
            delegate: Loader {
                required property int index
                width: 780
                height: 420
                visible: false
                asynchronous: true

                property bool created: false

                function create() {
                    if (!created) {
                        created = true
                        setSource(Qt.resolvedUrl(main.pageFiles[index]), { "env": main.env })
                    }
                }

                onStatusChanged: {
                    if (status === Loader.Ready || status === Loader.Error)
                        ++main.pagesDone
                }

                onLoaded: {
                    const loaded = main.pages.slice()
                    loaded[index] = item
                    main.pages = loaded
                    loaded[index].init()
                    if (index === 4)
                        loaded[index].selectionSaved.connect(function () {
                            const buttons = main.page(0)
                            if (buttons)
                                buttons.reapply()
                        })
                }
            }
        }
    }
}
