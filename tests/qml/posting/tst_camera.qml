import QtQuick 2.15
import QtTest 1.2
import "../../../qml/ui/pages"
import "../../../qml/ui/components"

// Without a camera the page says so in words and leads to the gallery.
TestCase {
    id: test
    name: "CameraPage"
    width: 480
    height: 854
    visible: true
    when: windowShown

    Component {
        id: pageComponent
        CameraPage { width: test.width; height: test.height }
    }

    SignalSpy { id: pushes; target: Navigator; signalName: "pushRequested" }

    function test_noCameraLeadsToTheGallery() {
        const page = createTemporaryObject(pageComponent, test)
        verify(!findChild(page, "camera").available)
        verify(findChild(page, "noCameraMessage").visible)
        verify(!findChild(page, "shutterButton").enabled)
        verify(!findChild(page, "flashButton").visible)
        mouseClick(findChild(page, "galleryButton"))
        compare(pushes.count, 1)
        compare(pushes.signalArguments[0][0], "GalleryPage.qml")
    }
}
