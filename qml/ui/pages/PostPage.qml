import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// The post tab: the photos waiting in the upload queue and how each is
// doing; a failed one can be tried again or removed.
Page {
    id: page
    objectName: "postPage"

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Post"); canGoBack: false }

    function stateText(state, reason) {
        switch (state) {
        case "uploading": return qsTr("Posting…")
        case "retrying": return qsTr("Waiting to try again: %1").arg(reason)
        case "failed": return qsTr("Not posted: %1").arg(reason)
        }
        return qsTr("Waiting to be posted")
    }

    ListView {
        id: list
        objectName: "uploadQueue"
        anchors.fill: parent
        clip: true
        model: uploaderQueueModel
        delegate: Item {
            width: list.width
            height: Theme.dp(88)
            Accessible.name: page.stateText(upload_state, failure_reason)

            Image {
                id: thumb
                x: Theme.spacing
                anchors.verticalCenter: parent.verticalCenter
                width: Theme.dp(64)
                height: width
                fillMode: Image.PreserveAspectCrop
                source: "image://imageprovider/" + uploaderQueueModel.getQueueMiniImagePath(folder_code)
            }
            Column {
                anchors.left: thumb.right
                anchors.leftMargin: Theme.spacing
                anchors.right: actions.left
                anchors.rightMargin: Theme.spacingSmall
                anchors.verticalCenter: parent.verticalCenter
                spacing: Theme.spacingTiny
                Label {
                    width: parent.width
                    text: page.stateText(upload_state, failure_reason)
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                    font.pixelSize: Theme.fontBody
                    color: upload_state === "failed" ? Theme.error : Theme.text
                }
                ProgressBar {
                    width: parent.width
                    visible: upload_state === "uploading"
                    value: bytes_total > 0 ? bytes_sent / bytes_total : 0
                    indeterminate: bytes_total <= 0
                    Accessible.name: qsTr("Posting progress")
                }
            }
            Row {
                id: actions
                anchors.right: parent.right
                anchors.rightMargin: Theme.spacingSmall
                anchors.verticalCenter: parent.verticalCenter
                ToolButton {
                    visible: upload_state === "failed"
                    text: "\u21BB"
                    font.pixelSize: Theme.fontTitle
                    Accessible.name: qsTr("Try posting again")
                    onClicked: uploaderQueueModel.retryQueue(index)
                }
                ToolButton {
                    visible: upload_state !== "uploading"
                    text: "\u2715"
                    font.pixelSize: Theme.fontLarge
                    Accessible.name: qsTr("Remove from the queue")
                    onClicked: uploaderQueueModel.removeQueue(index)
                }
            }
            Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Theme.divider }
        }
    }

    EmptyState {
        anchors.centerIn: parent
        visible: list.count === 0
        title: qsTr("Nothing waiting to be posted")
        text: qsTr("Photos you post wait here until they reach the service, even when you are offline.")
    }
}
