import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// The photos waiting to be posted: the running upload with its progress,
// failed ones with the reason and a retry, cancel one or all.
Page {
    id: page
    objectName: "uploadQueuePage"

    property var queue: uploaderQueueModel
    // The rows shown; the queue itself is the model.
    property var entries: queue

    background: Rectangle { color: Theme.background }

    header: PageHeader {
        title: qsTr("Upload queue")
        ToolButton {
            objectName: "cancelAllButton"
            text: qsTr("Cancel all")
            enabled: list.count > 0
            Accessible.name: qsTr("Cancel every upload")
            onClicked: confirmAll.open()
        }
    }

    ListView {
        id: list
        objectName: "queueList"
        anchors.fill: parent
        model: page.entries
        clip: true
        delegate: QueueEntry {
            width: list.width
            queue: page.queue
        }
    }

    EmptyState {
        anchors.centerIn: parent
        visible: list.count === 0
        title: qsTr("Nothing waiting")
        text: qsTr("Every photo you posted has been uploaded.")
        actionText: qsTr("Go to the timeline")
        onActionTriggered: Navigator.showTab(0)
    }

    Dialog {
        id: confirmAll
        objectName: "cancelAllDialog"
        anchors.centerIn: parent
        modal: true
        title: qsTr("Cancel every upload?")
        standardButtons: Dialog.Yes | Dialog.No
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("The photos that have not been uploaded yet are removed from the queue.")
        }
        onAccepted: page.queue.removeAllQueues()
    }
}
