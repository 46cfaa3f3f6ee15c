import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"
import "../components/Posting.js" as Posting

// Zoom, move and turn a picked photo inside the square it will be posted in.
// Where the photo does not fill the square it shows (and posts) black bars.
Page {
    id: page
    objectName: "cropPage"

    // Local path of the picked photo.
    property string photoPath
    property QtObject processor: ImageProcessor {}
    property QtObject filterManager: FilterManager {}

    // Photo pixel size and display state (see Posting.js); null until the
    // screen-size copy is ready.
    property var crop: null
    property string error: ""
    readonly property bool ready: crop !== null
    // The content below the header holds the square and the tools under it.
    readonly property real viewport: Math.min(contentItem.width, contentItem.height - tools.height - Theme.spacing * 3)

    function startResize() {
        crop = null
        error = ""
        processor.resizeBeforeZoomCrop(photoPath)
    }

    function resized(width, height) {
        if (width <= 0 || height <= 0) {
            error = qsTr("This photo could not be read. Choose another one.")
            return
        }
        crop = Posting.initialState(width, height, viewport)
        photo.source = ""
        photo.source = filterManager.getSourceInitPath()
    }

    function update(next) { crop = next }

    function zoomTo(scale) {
        update(Posting.zoomed(crop, scale / crop.scale, viewport / 2, viewport / 2, viewport))
    }

    function turn() { update(Posting.turnedClockwise(crop, viewport)) }

    function accept() {
        const r = Posting.cropRect(crop, viewport)
        const darkAreas = processor.zoomCrop(r.x, r.y, r.width, r.height, r.rotation)
        Navigator.push("FilterPage.qml", { darkAreas: darkAreas, imageSource: Posting.sourceGallery })
    }

    onViewportChanged: if (ready) update(Posting.clamped(crop, viewport))
    Component.onCompleted: startResize()

    Connections {
        target: page.processor
        function onOnResizeBeforeZoomCropCompleted(width, height) { page.resized(width, height) }
    }

    background: Rectangle { color: Theme.background }

    header: PageHeader {
        title: qsTr("Crop")
        ToolButton {
            objectName: "cropNextButton"
            text: qsTr("Next")
            enabled: page.ready
            font.bold: true
            Accessible.name: qsTr("Next: choose a filter")
            onClicked: page.accept()
        }
    }

    Rectangle {
        id: square
        objectName: "cropSquare"
        width: page.viewport
        height: page.viewport
        anchors.horizontalCenter: parent.horizontalCenter
        y: Theme.spacing
        color: "black"
        clip: true

        SimpleImage {
            id: photo
            readonly property var geometry: page.ready ? Posting.photoGeometry(page.crop, page.viewport) : null
            visible: page.ready
            stretch: true
            x: geometry ? geometry.x : 0
            y: geometry ? geometry.y : 0
            width: geometry ? geometry.width : 0
            height: geometry ? geometry.height : 0
            rotation: geometry ? geometry.rotation : 0
        }

        // Thirds, to help framing.
        Repeater {
            model: page.ready ? 4 : 0
            Rectangle {
                readonly property bool vertical: index < 2
                readonly property real at: (index % 2 + 1) * square.width / 3
                x: vertical ? at : 0
                y: vertical ? 0 : at
                width: vertical ? 1 : square.width
                height: vertical ? square.height : 1
                color: "#66ffffff"
            }
        }

        PinchArea {
            id: pinch
            anchors.fill: parent
            enabled: page.ready
            property var startCrop
            onPinchStarted: startCrop = page.crop
            onPinchUpdated: {
                const z = Posting.zoomed(startCrop, pinch.scale, pinch.startCenter.x, pinch.startCenter.y,
                                         page.viewport)
                page.update(Posting.dragged(z, pinch.center.x - pinch.startCenter.x,
                                            pinch.center.y - pinch.startCenter.y, page.viewport))
            }

            MouseArea {
                id: dragArea
                anchors.fill: parent
                enabled: page.ready
                property point last
                Accessible.name: qsTr("Drag to move the photo, pinch to zoom")
                onPressed: last = Qt.point(mouse.x, mouse.y)
                onPositionChanged: {
                    page.update(Posting.dragged(page.crop, mouse.x - last.x, mouse.y - last.y, page.viewport))
                    last = Qt.point(mouse.x, mouse.y)
                }
                onWheel: page.update(Posting.zoomed(page.crop, wheel.angleDelta.y > 0 ? 1.1 : 1 / 1.1,
                                                    wheel.x, wheel.y, page.viewport))
            }
        }

        BusyState {
            anchors.centerIn: parent
            running: !page.ready && page.error.length === 0
            text: qsTr("Opening the photo…")
        }
    }

    ErrorBanner {
        anchors.top: square.bottom
        text: page.error
        canRetry: true
        onRetry: page.startResize()
    }

    Column {
        id: tools
        anchors.top: square.bottom
        anchors.topMargin: Theme.spacing
        width: parent.width
        spacing: Theme.spacingSmall
        visible: page.ready

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: Theme.spacingSmall
            height: Theme.touchTarget

            Label {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Zoom")
                color: Theme.textSecondary
                font.pixelSize: Theme.fontSmall
            }
            Slider {
                id: zoomSlider
                objectName: "zoomSlider"
                anchors.verticalCenter: parent.verticalCenter
                width: page.width * 0.6
                from: page.ready ? Posting.minScale(page.crop, page.viewport) : 0
                to: page.ready ? Posting.maxScale(page.crop, page.viewport) : 1
                value: page.ready ? page.crop.scale : 0
                Accessible.name: qsTr("Zoom")
                onMoved: page.zoomTo(value)
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: Theme.spacingLarge
            Button {
                objectName: "fitButton"
                text: qsTr("Fit")
                enabled: page.ready
                Accessible.name: qsTr("Show the whole photo")
                onClicked: page.zoomTo(Posting.minScale(page.crop, page.viewport))
            }
            Button {
                objectName: "turnButton"
                text: qsTr("\u21bb Turn")
                enabled: page.ready
                Accessible.name: qsTr("Turn a quarter clockwise")
                onClicked: page.turn()
            }
        }
    }
}
