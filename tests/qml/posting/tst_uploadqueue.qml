import QtQuick 2.15
import QtTest 1.2
import "../../../qml/ui/pages"
import "../../../qml/ui/components"

// The queue page: the running upload's progress, a failed photo with its
// reason and a retry, cancel one and (after asking) cancel all.
TestCase {
    id: test
    name: "UploadQueuePage"
    width: 480
    height: 854
    visible: true
    when: windowShown

    ListModel {
        id: rows
        ListElement { folder_code: "1765370000"; upload_state: "uploading"; failure_reason: ""; bytes_sent: 250; bytes_total: 1000 }
        ListElement { folder_code: "1765370100"; upload_state: "failed"; failure_reason: "The photo is too large"; bytes_sent: 0; bytes_total: 0 }
        ListElement { folder_code: "1765370200"; upload_state: "queued"; failure_reason: ""; bytes_sent: 0; bytes_total: 0 }
    }

    QtObject {
        id: queue
        property var calls: []
        function getQueueThumbImagePath(code) { return "" }
        function retryQueue(index) { calls.push("retry " + index) }
        function removeQueueFromFolderCode(code) { calls.push("remove " + code) }
        function removeAllQueues() { calls.push("remove all") }
    }

    Component {
        id: pageComponent
        UploadQueuePage { width: test.width; height: test.height }
    }

    function openPage() {
        queue.calls = []
        const page = createTemporaryObject(pageComponent, test, { queue: queue, entries: rows })
        waitForRendering(page)
        return page
    }

    function entry(page, index) {
        const list = findChild(page, "queueList")
        const item = list.itemAtIndex(index)
        verify(item, "entry " + index)
        return item
    }

    function test_entriesShowTheirState() {
        const page = openPage()
        const running = entry(page, 0)
        verify(findChild(running, "uploadProgress").visible)
        compare(findChild(running, "uploadProgress").value, 0.25)
        verify(!findChild(running, "retryButton").visible)

        const failed = entry(page, 1)
        verify(!findChild(failed, "uploadProgress").visible)
        verify(findChild(failed, "retryButton").visible)
        verify(findChild(failed, "stateLine").text.indexOf("The photo is too large") >= 0)

        verify(!findChild(entry(page, 2), "retryButton").visible)
    }

    function test_retryAndCancelOne() {
        const page = openPage()
        mouseClick(findChild(entry(page, 1), "retryButton"))
        mouseClick(findChild(entry(page, 2), "cancelButton"))
        compare(queue.calls, ["retry 1", "remove 1765370200"])
    }

    function test_cancelAllAsksFirst() {
        const page = openPage()
        mouseClick(findChild(page, "cancelAllButton"))
        compare(queue.calls, [])
        const dialog = findChild(page, "cancelAllDialog")
        tryVerify(function() { return dialog.opened })
        dialog.accept()
        compare(queue.calls, ["remove all"])
    }
}
