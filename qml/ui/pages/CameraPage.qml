import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import TAVIROLib 1.0
import "../components"
import "../components/Posting.js" as Posting

// The viewfinder: tap to focus there, flash and focus modes, the shutter
// button or the capture keys take the photo, which goes on to the filters.
// Without a camera it says so and offers the gallery.
Page {
    id: page
    objectName: "cameraPage"

    property QtObject processor: ImageProcessor {}
    property string error: ""
    property bool capturing: false

    readonly property var flashModes: [
        { mode: TAVIROCamera.FlashAuto, name: qsTr("Auto") },
        { mode: TAVIROCamera.FlashOff, name: qsTr("Off") },
        { mode: TAVIROCamera.FlashOn, name: qsTr("On") }
    ]
    property int flashIndex: 0

    function capture() {
        if (!camera.available || capturing)
            return
        capturing = true
        error = ""
        camera.captureImage()
    }

    function focusAt(x, y) {
        if (!camera.available)
            return
        focusFrame.x = Math.max(0, Math.min(viewfinder.width - focusFrame.width, x - focusFrame.width / 2))
        focusFrame.y = Math.max(0, Math.min(viewfinder.height - focusFrame.height, y - focusFrame.height / 2))
        focusFrame.visible = true
        camera.searchAndLock()
    }

    function captured(path) {
        capturing = false
        // The centre square of the picture, as the frame on the viewfinder shows.
        processor.process(path, 0, false)
        Navigator.push("FilterPage.qml", { darkAreas: {}, imageSource: Posting.sourceCamera })
    }

    function openGallery() { Navigator.push("GalleryPage.qml", {}) }

    StackView.onActivated: {
        keys.forceActiveFocus()
        if (camera.available)
            camera.start()
    }
    StackView.onDeactivated: camera.stop()

    header: PageHeader {
        title: qsTr("New photo")
        canGoBack: false
        ToolButton {
            objectName: "flashButton"
            visible: camera.available
            text: qsTr("Flash: %1").arg(page.flashModes[page.flashIndex].name)
            Accessible.name: qsTr("Flash mode %1").arg(page.flashModes[page.flashIndex].name)
            onClicked: {
                page.flashIndex = (page.flashIndex + 1) % page.flashModes.length
                camera.flashMode = page.flashModes[page.flashIndex].mode
            }
        }
        ToolButton {
            objectName: "macroButton"
            visible: camera.available && camera.focusModeSupported()
            checkable: true
            checked: camera.focusMode === TAVIROCamera.MacroFocus
            text: qsTr("Close-up")
            Accessible.name: qsTr("Close-up focus")
            onToggled: camera.focusMode = checked ? TAVIROCamera.MacroFocus : TAVIROCamera.AutoFocus
        }
    }

    background: Rectangle { color: Theme.background }

    SymbianCameraCapturer {
        id: keys
        focus: true
        onKeyPressed: {
            if (key === Qt.Key_CameraFocus)
                page.focusAt(viewfinder.width / 2, viewfinder.height / 2)
            else if (key === Qt.Key_Camera || key === Qt.Key_Space || key === Qt.Key_Return
                     || key === Qt.Key_Enter || key === Qt.Key_VolumeUp)
                page.capture()
        }
        onKeyReleased: if (key === Qt.Key_CameraFocus) camera.unlock()
    }

    Item {
        id: viewfinder
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: shutterBar.top
        clip: true

        Rectangle { anchors.fill: parent; color: "black" }

        TAVIROCamera {
            id: camera
            objectName: "camera"
            anchors.fill: parent
            onImageSaved: page.captured(path)
            onCaptureFailed: {
                // Without a camera the page already says so.
                if (!page.capturing)
                    return
                page.capturing = false
                page.error = qsTr("The photo could not be taken: %1").arg(message)
            }
            onLockStatusChanged: if (lockStatus === TAVIROCamera.Unlocked) focusFrame.visible = false
        }

        // The square that will be posted.
        Rectangle {
            readonly property real side: Math.min(viewfinder.width, viewfinder.height)
            visible: camera.available
            anchors.centerIn: parent
            width: side
            height: side
            color: "transparent"
            border.width: 1
            border.color: "#99ffffff"
        }

        FocusZoneItem {
            id: focusFrame
            visible: false
            width: Theme.dp(120)
            height: width
            readonly property var colour: camera.lockStatus === TAVIROCamera.Locked ? [80, 220, 80]
                                          : camera.lockStatus === TAVIROCamera.Searching ? [255, 255, 255]
                                                                                         : [230, 70, 60]
            onColourChanged: setColor(colour[0], colour[1], colour[2])
            Component.onCompleted: setColor(colour[0], colour[1], colour[2])
        }

        MouseArea {
            anchors.fill: parent
            enabled: camera.available
            Accessible.name: qsTr("Tap to focus here")
            onClicked: page.focusAt(mouse.x, mouse.y)
        }

        Column {
            anchors.centerIn: parent
            width: parent.width - Theme.spacingLarge * 2
            spacing: Theme.spacing
            visible: !camera.available

            Label {
                objectName: "noCameraMessage"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: qsTr("No camera was found on this device.")
                color: "white"
                font.pixelSize: Theme.fontLarge
                font.bold: true
            }
            Label {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: qsTr("You can still post a photo from your gallery.")
                color: "#c8cbd6"
                font.pixelSize: Theme.fontBody
            }
            Button {
                anchors.horizontalCenter: parent.horizontalCenter
                highlighted: true
                text: qsTr("Choose from the gallery")
                Accessible.name: qsTr("Choose from the gallery")
                onClicked: page.openGallery()
            }
        }

        ErrorBanner {
            anchors.top: parent.top
            text: page.error
        }
    }

    Item {
        id: shutterBar
        anchors.bottom: parent.bottom
        width: parent.width
        height: Theme.dp(112)

        Rectangle { anchors.fill: parent; color: "black" }

        Button {
            objectName: "galleryButton"
            anchors.left: parent.left
            anchors.leftMargin: Theme.spacingLarge
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Gallery")
            flat: true
            Material.foreground: "white"
            font.pixelSize: Theme.fontBody
            Accessible.name: qsTr("Choose from the gallery")
            onClicked: page.openGallery()
        }

        RoundButton {
            objectName: "shutterButton"
            anchors.centerIn: parent
            width: Theme.dp(76)
            height: width
            enabled: camera.available && camera.readyForCapture && !page.capturing
            Accessible.name: qsTr("Take the photo")
            onClicked: page.capture()
            background: Rectangle {
                radius: width / 2
                color: parent.enabled ? (parent.pressed ? "#dddddd" : "white") : "#555555"
                border.width: Theme.dp(5)
                border.color: "#888888"
            }
        }

        BusyIndicator {
            anchors.right: parent.right
            anchors.rightMargin: Theme.spacingLarge
            anchors.verticalCenter: parent.verticalCenter
            running: page.capturing
            visible: running
            Accessible.name: qsTr("Taking the photo")
        }
    }
}
