import QtQuick 2.15
import QtTest 1.2
import "../../../qml/ui/pages"
import "../../../qml/ui/components"

// The crop page hands zoomCrop the square the person framed, in the full-size
// photo's pixels, with the quarter turn; a photo that cannot be read says so.
TestCase {
    id: test
    name: "CropPage"
    width: 480
    height: 854
    visible: true
    when: windowShown

    QtObject {
        id: processor
        signal onResizeBeforeZoomCropCompleted(int width, int height)
        property var resized: []
        property var crops: []
        function resizeBeforeZoomCrop(path) { resized.push(path) }
        function zoomCrop(x, y, width, height, rotation) {
            crops.push([x, y, width, height, rotation])
            return { large: [{ x: 1, y: 2, width: 3, height: 4 }, { x: 0, y: 0, width: 0, height: 0 }],
                     preview: [] }
        }
    }

    Component {
        id: pageComponent
        CropPage { width: test.width; height: test.height }
    }

    SignalSpy { id: pushes; target: Navigator; signalName: "pushRequested" }

    function openPhoto(width, height) {
        processor.resized = []
        processor.crops = []
        pushes.clear()
        const page = createTemporaryObject(pageComponent, test, { photoPath: "/photos/a.jpg", processor: processor })
        compare(processor.resized, ["/photos/a.jpg"])
        processor.onResizeBeforeZoomCropCompleted(width, height)
        verify(page.ready)
        return page
    }

    function button(page, name) {
        const found = findChild(page, name)
        verify(found, name)
        return found
    }

    function dragBy(page, dx, dy) {
        const square = findChild(page, "cropSquare")
        mousePress(square, 240, 240)
        mouseMove(square, 240 + dx / 2, 240 + dy / 2)
        mouseMove(square, 240 + dx, 240 + dy)
        mouseRelease(square, 240 + dx, 240 + dy)
    }

    function test_cropSentToZoomCrop_data() {
        // The square is 480 screen pixels; expected squares worked out by hand.
        return [
            { tag: "landscape as opened: the centre square", w: 3264, h: 2448, actions: [],
              crop: [408, 0, 2448, 2448, 0] },
            { tag: "portrait fitted: bars left and right", w: 2448, h: 3264, actions: ["fit"],
              crop: [-408, 0, 3264, 3264, 0] },
            { tag: "portrait fitted and turned once", w: 2448, h: 3264, actions: ["fit", "turn"],
              crop: [-408, 0, 3264, 3264, 90] },
            { tag: "turned twice", w: 3264, h: 2448, actions: ["turn", "turn"], crop: [408, 0, 2448, 2448, 180] },
            { tag: "turned four times is unturned", w: 3264, h: 2448, actions: ["turn", "turn", "turn", "turn"],
              crop: [408, 0, 2448, 2448, 0] },
            { tag: "turned three times", w: 3264, h: 2448, actions: ["turn", "turn", "turn"],
              crop: [408, 0, 2448, 2448, -90] },
            { tag: "dragged left shows more of the right", w: 3264, h: 2448, actions: ["left50"],
              crop: [663, 0, 2448, 2448, 0] },
            { tag: "dragged past the left edge stops there", w: 3264, h: 2448, actions: ["right100"],
              crop: [0, 0, 2448, 2448, 0] },
            { tag: "turned, then dragged up shows more of the photo's right", w: 3264, h: 2448,
              actions: ["turn", "up50"], crop: [663, 0, 2448, 2448, 90] },
            { tag: "one wheel step in, about the middle", w: 3264, h: 2448, actions: ["wheelIn"],
              crop: [520, 112, 2225, 2225, 0] }
        ]
    }

    function test_cropSentToZoomCrop(data) {
        const page = openPhoto(data.w, data.h)
        for (const action of data.actions) {
            if (action === "fit")
                mouseClick(button(page, "fitButton"))
            else if (action === "turn")
                mouseClick(button(page, "turnButton"))
            else if (action === "left50")
                dragBy(page, -50, 0)
            else if (action === "right100")
                dragBy(page, 100, 0)
            else if (action === "up50")
                dragBy(page, 0, -50)
            else if (action === "wheelIn")
                mouseWheel(findChild(page, "cropSquare"), 240, 240, 0, 120)
        }
        mouseClick(button(page, "cropNextButton"))
        compare(processor.crops, [data.crop])
        compare(pushes.count, 1)
        compare(pushes.signalArguments[0][0], "FilterPage.qml")
        compare(pushes.signalArguments[0][1].darkAreas.large[0].width, 3)
    }

    function test_unreadablePhotoSaysSo() {
        processor.resized = []
        const page = createTemporaryObject(pageComponent, test, { photoPath: "/photos/broken.jpg",
                                                                  processor: processor })
        processor.onResizeBeforeZoomCropCompleted(0, 0)
        verify(!page.ready)
        verify(page.error.length > 0)
        verify(!button(page, "turnButton").enabled)
        page.startResize()
        compare(processor.resized, ["/photos/broken.jpg", "/photos/broken.jpg"])
        compare(page.error, "")
    }
}
