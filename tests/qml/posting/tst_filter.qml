import QtQuick 2.15
import QtTest 1.2
import "../../../qml/ui/pages"
import "../../../qml/ui/components"

// The filter page: every tap previews with the crop's bars and the chosen
// strength; an expensive preview shows the busy indicator and a late result
// never replaces a newer one; Next renders at full size and goes on.
TestCase {
    id: test
    name: "FilterPage"
    width: 480
    height: 854
    visible: true
    when: windowShown

    // Cheap previews answer during the call, as the real manager does;
    // expensive ones and final renders answer when the test says so.
    QtObject {
        id: manager
        signal filterApplyPreviewCompleted(string path)
        signal filterApplyCompleted(string path)
        signal filterApplyError(string reason)
        property int strength: 100
        property var calls: []
        property var list: [
            { filterId: 0, name: "Original", thumbPath: "qml/ui/filterRes/Normal/thumbnail.png", imagesToUnlock: 0,
              expensiveFilter: false },
            { filterId: 22, name: "Vivid", thumbPath: "qml/ui/filterRes/Vivid/thumbnail.png", imagesToUnlock: 0,
              expensiveFilter: false },
            { filterId: 23, name: "Parlo", thumbPath: "qml/ui/filterRes/Parlo/thumbnail.png", imagesToUnlock: 0,
              expensiveFilter: true },
            { filterId: 26, name: "Color Picker", thumbPath: "qml/ui/filterRes/ColorPicker/thumbnail.png",
              imagesToUnlock: 0, expensiveFilter: false }
        ]
        function getFilters() { return list }
        function getSourcePreviewPath() { return ".TAVIRO/output/source_preview.jpg" }
        function applyFilterByName(name, darkAreas, preview, param) {
            calls.push({ name: name, darkAreas: darkAreas, preview: preview, param: param, strength: strength })
            const cheap = list.filter(function(f) { return f.name === name })[0].expensiveFilter === false
            if (preview && cheap)
                filterApplyPreviewCompleted(".TAVIRO/output/processed_preview_.jpg")
        }
        function names() { return calls.map(function(c) { return c.name }) }
    }

    readonly property var bars: ({ preview: [{ x: 0, y: 0, width: 60, height: 480 },
                                             { x: 420, y: 0, width: 60, height: 480 }],
                                   large: [{ x: 0, y: 0, width: 100, height: 800 },
                                           { x: 700, y: 0, width: 100, height: 800 }] })

    Component {
        id: pageComponent
        FilterPage { width: test.width; height: test.height }
    }

    SignalSpy { id: pushes; target: Navigator; signalName: "pushRequested" }

    function openPage() {
        manager.calls = []
        pushes.clear()
        const page = createTemporaryObject(pageComponent, test, { darkAreas: bars, imageSource: 2,
                                                                  filterManager: manager })
        waitForRendering(page)
        return page
    }

    function tapFilter(page, index) {
        const strip = findChild(page, "filterStrip")
        strip.positionViewAtIndex(index, ListView.Contain)
        const cell = strip.itemAtIndex(index)
        verify(cell, "filter " + index)
        mouseClick(cell)
    }

    function test_tapPreviewsWithBarsAndStrength() {
        const page = openPage()
        compare(manager.names(), ["Original"])
        findChild(page, "strengthSlider").value = 60
        tapFilter(page, 1)
        compare(manager.names(), ["Original", "Vivid"])
        const call = manager.calls[1]
        compare(call.preview, true)
        compare(call.darkAreas.preview[1].x, 420)
        compare(call.strength, 60)
        compare(page.previewBusy, false)
        compare(page.current, 1)
    }

    function test_expensivePreviewIsBusyAndNeverOverwritesANewerOne() {
        const page = openPage()
        tapFilter(page, 2)
        compare(page.previewBusy, true)
        // Two taps while it renders: only the last is run, after it.
        tapFilter(page, 1)
        tapFilter(page, 3)
        compare(manager.names(), ["Original", "Parlo"])
        manager.filterApplyPreviewCompleted(".TAVIRO/output/processed_preview_.jpg")
        compare(manager.names(), ["Original", "Parlo", "Color Picker"])
        compare(page.previewBusy, false)
        compare(page.current, 3)
    }

    function test_colourPickerGetsTheChosenColours() {
        const page = openPage()
        tapFilter(page, 3)
        // Red is kept by default.
        compare(manager.calls[1].param, [false, false, false, false, false, false, true, false])
        tapFilter(page, 1)
        compare(manager.calls[2].param, undefined)
    }

    function test_nextRendersFullSizeThenGoesOn() {
        const page = openPage()
        tapFilter(page, 1)
        findChild(page, "strengthSlider").value = 60
        mouseClick(findChild(page, "filterNextButton"))
        const last = manager.calls[manager.calls.length - 1]
        compare(last.preview, false)
        compare(last.name, "Vivid")
        compare(last.strength, 60)
        compare(last.darkAreas.large[1].x, 700)
        compare(pushes.count, 0)
        verify(!findChild(page, "filterNextButton").enabled)
        manager.filterApplyCompleted(".TAVIRO/output/processed.jpg")
        compare(pushes.count, 1)
        compare(pushes.signalArguments[0][0], "PostDetailsPage.qml")
        compare(pushes.signalArguments[0][1], { processedPath: ".TAVIRO/output/processed.jpg", filterId: 22,
                                                imageSource: 2 })
    }

    function test_stripStaysOnScreenWithErrorAndColours() {
        const page = openPage()
        page.height = 640
        tapFilter(page, 3)
        manager.filterApplyError("Filter Color Picker is not available")
        waitForRendering(page)
        const strip = findChild(page, "filterStrip")
        const bottom = strip.mapToItem(page, 0, strip.height).y
        verify(bottom <= page.height, "strip ends at " + bottom)
    }

    function test_failureInWords() {
        const page = openPage()
        tapFilter(page, 2)
        manager.filterApplyError("No filter named Parlo")
        compare(page.previewBusy, false)
        verify(page.error.indexOf("No filter named Parlo") >= 0)
    }
}
