import QtQuick 2.15
import QtQuick.Controls 2.15

// One photo of the upload queue: its thumbnail and title, the progress of a
// running upload, the reason of a failed one with a retry, and cancel.
ItemDelegate {
    id: entry
    property var queue
    readonly property string folderCode: model.folder_code
    readonly property bool failed: model.upload_state === "failed"
    readonly property bool retrying: model.upload_state === "retrying"
    readonly property bool uploading: model.upload_state === "uploading"
    // Folder codes are the seconds of queueing.
    readonly property string queuedAt: Qt.formatDateTime(new Date(parseInt(folderCode) * 1000), "d MMM hh:mm")
    readonly property real sent: model.bytes_sent || 0
    readonly property real total: model.bytes_total || 0

    height: Theme.dp(96)
    Accessible.name: qsTr("Photo queued %1").arg(queuedAt)

    contentItem: Row {
        spacing: Theme.spacing
        Image {
            id: thumb
            width: Theme.dp(72)
            height: width
            anchors.verticalCenter: parent.verticalCenter
            source: entry.queue ? entry.queue.getQueueThumbImagePath(entry.folderCode) : ""
            fillMode: Image.PreserveAspectCrop
            cache: false
        }
        Column {
            width: entry.availableWidth - thumb.width - actions.width - parent.spacing * 2
            anchors.verticalCenter: parent.verticalCenter
            spacing: Theme.spacingTiny
            Label {
                width: parent.width
                text: qsTr("Queued %1").arg(entry.queuedAt)
                elide: Text.ElideRight
                font.pixelSize: Theme.fontBody
                font.bold: true
                color: Theme.text
            }
            Label {
                objectName: "stateLine"
                width: parent.width
                wrapMode: Text.WordWrap
                maximumLineCount: 2
                elide: Text.ElideRight
                font.pixelSize: Theme.fontSmall
                color: entry.failed ? Theme.error : Theme.textSecondary
                text: entry.failed ? qsTr("Not posted: %1").arg(model.failure_reason || qsTr("the service refused it"))
                      : entry.retrying ? qsTr("Trying again soon: %1").arg(model.failure_reason)
                      : entry.uploading ? qsTr("Uploading… %1 %").arg(Math.round(progress.value * 100))
                      : qsTr("Waiting for its turn")
            }
            ProgressBar {
                id: progress
                objectName: "uploadProgress"
                width: parent.width
                visible: entry.uploading
                value: entry.total > 0 ? entry.sent / entry.total : 0
                indeterminate: entry.uploading && entry.total <= 0
                Accessible.name: qsTr("Upload progress")
            }
        }
        Column {
            id: actions
            anchors.verticalCenter: parent.verticalCenter
            Button {
                objectName: "retryButton"
                visible: entry.failed
                flat: true
                text: qsTr("Retry")
                Accessible.name: qsTr("Retry this upload")
                onClicked: entry.queue.retryQueue(index)
            }
            Button {
                objectName: "cancelButton"
                flat: true
                text: qsTr("Cancel")
                Accessible.name: qsTr("Cancel this upload")
                onClicked: entry.queue.removeQueueFromFolderCode(entry.folderCode)
            }
        }
    }
}
