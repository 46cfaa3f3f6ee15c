import QtQuick 2.15
import QtTest 1.2
import "../../../qml/ui/pages"
import "../../../qml/ui/components"

// The details page: only linked networks can be switched on, and Post hands
// the upload queue the rendered photo with exactly the details entered.
TestCase {
    id: test
    name: "PostDetailsPage"
    width: 480
    height: 854
    visible: true
    when: windowShown

    // An account store with a chosen set of linked networks.
    QtObject {
        id: account
        property var linked: []
        property int reloads: 0
        function loadLoggedInAccount() { ++reloads }
        function isTwitterAvailable() { return linked.indexOf("Twitter") >= 0 }
        function isFacebookAvailable() { return linked.indexOf("Facebook") >= 0 }
        function isTumblrAvailable() { return linked.indexOf("Tumblr") >= 0 }
        function isFlickrAvailable() { return linked.indexOf("Flickr") >= 0 }
        function isWeiboAvailable() { return linked.indexOf("Weibo") >= 0 }
        function isVkAvailable() { return linked.indexOf("VK") >= 0 }
        function isDropBoxAvailable() { return linked.indexOf("DropBox") >= 0 }
        function isGDriveAvailable() { return linked.indexOf("GDrive") >= 0 }
        function isPicasaAvailable() { return linked.indexOf("Picasa") >= 0 }
    }

    QtObject {
        id: queue
        signal queueingFailed(string reason)
        property var appended: []
        property string failWith: ""
        function appendImageFileToQueue(filename, imageInfo) {
            appended.push([filename, imageInfo])
            if (failWith.length > 0)
                queueingFailed(failWith)
        }
    }

    QtObject {
        id: storage
        property int saves: 0
        function saveProcessedImageToGallery() { ++saves }
    }

    Component {
        id: pageComponent
        PostDetailsPage { width: test.width; height: test.height }
    }

    SignalSpy { id: pushes; target: Navigator; signalName: "pushRequested" }
    SignalSpy { id: tabs; target: Navigator; signalName: "tabRequested" }

    readonly property var allKeys: ["shareToTwitter", "shareToFacebook", "shareToTumblr", "shareToFlickr",
        "shareToWeibo", "shareToVk", "shareToDropBox", "shareToGDrive", "shareToPicasa"]

    function openPage(linked) {
        account.linked = linked
        queue.appended = []
        queue.failWith = ""
        storage.saves = 0
        pushes.clear()
        tabs.clear()
        const page = createTemporaryObject(pageComponent, test, {
            processedPath: ".TAVIRO/output/processed.jpg", filterId: 22, imageSource: 2,
            account: account, queue: queue, storage: storage })
        waitForItemPolished(findChild(page, "detailsColumn"))
        return page
    }

    // Scrolls the form until item is on screen, then taps it.
    function tap(page, item) {
        const form = findChild(page, "detailsForm")
        const y = item.mapToItem(form.contentItem, 0, 0).y
        form.contentY = Math.max(0, Math.min(form.contentHeight - form.height, y - form.height / 2))
        mouseClick(item)
    }

    function row(page, key) {
        const found = findChild(page, "share_" + key)
        verify(found, key)
        return found
    }

    function test_onlyLinkedNetworksSwitch_data() {
        return [
            { tag: "nothing linked", linked: [], on: [] },
            { tag: "Twitter and Dropbox", linked: ["Twitter", "DropBox"], on: ["shareToTwitter", "shareToDropBox"] },
            { tag: "all nine", linked: ["Twitter", "Facebook", "Tumblr", "Flickr", "Weibo", "VK", "DropBox",
                                        "GDrive", "Picasa"], on: allKeys }
        ]
    }

    function test_onlyLinkedNetworksSwitch(data) {
        const page = openPage(data.linked)
        for (const key of allKeys) {
            const r = row(page, key)
            const linked = data.on.indexOf(key) >= 0
            compare(findChild(r, "shareToggle").visible, linked, key)
            compare(findChild(r, "linkButton").visible, !linked, key)
            tap(page, r)
        }
        // Every row was tapped once: linked ones switch on, the others ask for linking.
        compare(pushes.count, allKeys.length - data.on.length)
        mouseClick(findChild(page, "postButton"))
        compare(queue.appended.length, 1)
        const info = queue.appended[0][1]
        for (const key of allKeys)
            compare(info[key], data.on.indexOf(key) >= 0, key)
    }

    function test_unlinkedNetworkLeadsToLinking() {
        const page = openPage([])
        tap(page, findChild(row(page, "shareToTumblr"), "linkButton"))
        compare(pushes.count, 1)
        compare(pushes.signalArguments[0][0], "LinkedNetworksPage.qml")
    }

    function test_detailsHandedToTheQueue_data() {
        return [
            { tag: "plain", title: "Harbour", caption: "Boats at dawn", level: 0, location: false, save: true,
              name: "Harbour", description: "Boats at dawn" },
            { tag: "lines joined, followers only, location on without a fix, no copy", title: "Two\nlines",
              caption: "first\n\nsecond ", level: 1, location: true, save: false,
              name: "Two lines", description: "first second" },
            { tag: "only me", title: "", caption: "", level: 2, location: false, save: true,
              name: "", description: "" }
        ]
    }

    function test_detailsHandedToTheQueue(data) {
        const page = openPage(["Facebook"])
        findChild(page, "titleField").text = data.title
        findChild(page, "captionField").text = data.caption
        findChild(page, "visibilityBox").currentIndex = data.level
        findChild(page, "locationSwitch").checked = data.location
        findChild(page, "saveSwitch").checked = data.save
        tap(page, row(page, "shareToFacebook"))
        mouseClick(findChild(page, "postButton"))

        compare(storage.saves, data.save ? 1 : 0)
        compare(queue.appended.length, 1)
        compare(queue.appended[0][0], ".TAVIRO/output/processed.jpg")
        compare(queue.appended[0][1], {
            imageName: data.name, imageDescription: data.description,
            geoLocationLat: 0, geoLocationLong: 0, effectFilterType: 22, imageSource: 2, accessLevel: data.level,
            shareToTwitter: false, shareToFacebook: true, shareToTumblr: false, shareToFlickr: false,
            shareToWeibo: false, shareToVk: false, shareToDropBox: false, shareToGDrive: false,
            shareToPicasa: false
        })
        // Posting leaves the flow for the home timeline.
        compare(tabs.count, 1)
        compare(tabs.signalArguments[0][0], 0)
    }

    function test_switchOffAgain() {
        const page = openPage(["Picasa"])
        const r = row(page, "shareToPicasa")
        tap(page, r)
        tap(page, findChild(r, "shareToggle"))
        mouseClick(findChild(page, "postButton"))
        compare(queue.appended[0][1].shareToPicasa, false)
    }

    function test_queueingFailureStaysWithTheReason() {
        const page = openPage([])
        queue.failWith = "the disk is full"
        mouseClick(findChild(page, "postButton"))
        verify(page.error.indexOf("the disk is full") >= 0)
        compare(storage.saves, 0)
        compare(tabs.count, 0)
    }

    function test_withoutQueueTheErrorIsShown() {
        const page = openPage([])
        page.queue = null
        mouseClick(findChild(page, "postButton"))
        verify(page.error.length > 0)
        compare(tabs.count, 0)
    }
}
