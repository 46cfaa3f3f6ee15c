import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import TAVIROLib 1.0
import "../components"
import "../components/Posting.js" as Posting

// The filter strip over the square photo: a tap shows that filter's preview,
// the slider sets how strongly it applies, Next renders the photo at full
// size for posting.
Page {
    id: page
    objectName: "filterPage"

    // The bars of a zoomed-out crop, as zoomCrop reported them ({} for none).
    property var darkAreas: ({})
    property int imageSource: Posting.sourceCamera
    property QtObject filterManager: FilterManager {}

    property var filters: []
    property int current: 0
    readonly property var currentFilter: filters.length > current ? filters[current] : null
    property string error: ""
    property bool rendering: false
    readonly property bool previewBusy: preview.running

    // Milliseconds from the last tap to its preview on screen.
    property int lastPreviewMs: -1

    // Expensive previews run one at a time on a worker; a tap meanwhile only
    // remembers what to show next, so a late result never replaces a newer one.
    QtObject {
        id: preview
        property bool running: false
        property int pending: -1
        property real tappedAt: 0
        property bool awaitingFrame: false
    }

    function parameterFor(filter) {
        return filter.name === "Color Picker" ? colourPicker.selection() : undefined
    }

    function select(index) {
        current = index
        preview.tappedAt = Date.now()
        lastPreviewMs = -1
        error = ""
        if (preview.running) {
            preview.pending = index
            return
        }
        run(index)
    }

    function run(index) {
        const filter = filters[index]
        filterManager.strength = strength.value
        preview.pending = -1
        preview.running = filter.expensiveFilter
        filterManager.applyFilterByName(filter.name, darkAreas, true, parameterFor(filter))
    }

    function previewReady(path) {
        if (preview.running) {
            preview.running = false
            if (preview.pending >= 0) {
                run(preview.pending)
                return
            }
        }
        if (previewImage.source === path)
            previewImage.reload()
        else
            previewImage.source = path
        preview.awaitingFrame = true
    }

    function renderFinal() {
        rendering = true
        error = ""
        filterManager.strength = strength.value
        filterManager.applyFilterByName(currentFilter.name, darkAreas, false, parameterFor(currentFilter))
    }

    Component.onCompleted: {
        filters = filterManager.getFilters()
        previewImage.source = filterManager.getSourcePreviewPath()
        if (filters.length > 0)
            select(0)
    }

    Connections {
        target: page.filterManager
        function onFilterApplyPreviewCompleted(path) { page.previewReady(path) }
        function onFilterApplyCompleted(path) {
            if (!page.rendering)
                return
            page.rendering = false
            Navigator.push("PostDetailsPage.qml", { processedPath: path, filterId: page.currentFilter.filterId,
                                                    imageSource: page.imageSource })
        }
        function onFilterApplyError(reason) {
            preview.running = false
            page.rendering = false
            page.error = qsTr("The filter could not be applied: %1").arg(reason)
        }
    }

    Connections {
        target: page.Window.window
        enabled: preview.awaitingFrame
        function onFrameSwapped() {
            preview.awaitingFrame = false
            page.lastPreviewMs = Date.now() - preview.tappedAt
            console.info("Filter preview of", page.currentFilter.name, "on screen after", page.lastPreviewMs, "ms")
        }
    }

    background: Rectangle { color: Theme.background }

    header: PageHeader {
        title: qsTr("Filter")
        ToolButton {
            objectName: "filterNextButton"
            text: qsTr("Next")
            enabled: page.currentFilter !== null && !page.rendering
            font.bold: true
            Accessible.name: qsTr("Next: add the details")
            onClicked: page.renderFinal()
        }
    }

    Column {
        anchors.fill: parent
        spacing: Theme.spacingSmall

        ErrorBanner { id: banner; text: page.error }

        Rectangle {
            id: square
            // What the column leaves once the banner, the controls and the strip are in.
            readonly property real side: Math.min(parent.width, parent.height - banner.height - strip.height
                                                  - controls.height - Theme.spacingSmall * 3)
            width: side
            height: side
            anchors.horizontalCenter: parent.horizontalCenter
            color: "black"

            SimpleImage {
                id: previewImage
                objectName: "filterPreview"
                anchors.fill: parent
                stretch: true
            }
            BusyIndicator {
                anchors.centerIn: parent
                running: page.previewBusy || page.rendering
                visible: running
                Accessible.name: page.rendering ? qsTr("Preparing the photo") : qsTr("Rendering the preview")
            }
        }

        Column {
            id: controls
            width: parent.width
            spacing: Theme.spacingTiny

            Row {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                spacing: Theme.spacingSmall
                Label {
                    id: strengthLabel
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Strength %1 %").arg(Math.round(strength.value))
                    font.pixelSize: Theme.fontSmall
                    color: Theme.textSecondary
                    width: Theme.dp(110)
                }
                Slider {
                    id: strength
                    objectName: "strengthSlider"
                    width: parent.width - strengthLabel.width - parent.spacing
                    from: 0
                    to: 100
                    stepSize: 1
                    value: 100
                    enabled: page.currentFilter !== null && page.current > 0
                    Accessible.name: qsTr("Filter strength")
                    onPressedChanged: if (!pressed) page.select(page.current)
                    Keys.onReleased: page.select(page.current)
                }
            }

            ColourPicker {
                id: colourPicker
                visible: page.currentFilter !== null && page.currentFilter.name === "Color Picker"
                onPicked: page.select(page.current)
            }
        }

        ListView {
            id: strip
            objectName: "filterStrip"
            width: parent.width
            height: Theme.dp(120)
            orientation: ListView.Horizontal
            spacing: Theme.spacingSmall
            leftMargin: Theme.spacingSmall
            rightMargin: Theme.spacingSmall
            clip: true
            model: page.filters
            currentIndex: page.current

            delegate: ItemDelegate {
                objectName: "filter_" + modelData.name
                width: Theme.dp(84)
                height: strip.height
                highlighted: index === page.current
                padding: 0
                Accessible.name: qsTr("Filter %1").arg(modelData.name)
                onClicked: page.select(index)

                contentItem: Column {
                    spacing: Theme.spacingTiny
                    topPadding: Theme.spacingTiny
                    Rectangle {
                        width: Theme.dp(76)
                        height: width
                        anchors.horizontalCenter: parent.horizontalCenter
                        color: Theme.placeholder
                        border.width: index === page.current ? Theme.dp(3) : 0
                        border.color: Theme.accent
                        Image {
                            id: thumbnail
                            anchors.fill: parent
                            anchors.margins: parent.border.width
                            source: Posting.filterThumbnailUrl(modelData.thumbPath)
                            fillMode: Image.PreserveAspectCrop
                            asynchronous: true
                        }
                        Label {
                            anchors.centerIn: parent
                            visible: thumbnail.status !== Image.Ready
                            text: modelData.name.charAt(0)
                            font.pixelSize: Theme.fontTitle
                            color: Theme.textSecondary
                        }
                    }
                    Label {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: modelData.name
                        font.pixelSize: Theme.fontTiny
                        font.bold: index === page.current
                        color: index === page.current ? Theme.accent : Theme.text
                    }
                }
            }
        }
    }
}
