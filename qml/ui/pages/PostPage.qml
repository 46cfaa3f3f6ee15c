import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// The post tab: what is waiting in the upload queue.
Page {
    id: page
    objectName: "postPage"
    readonly property var queue: typeof uploaderQueueModel !== "undefined" ? uploaderQueueModel : null

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Post"); canGoBack: false }

    ListView {
        id: list
        anchors.fill: parent
        clip: true
        model: page.queue
        delegate: ItemDelegate {
            width: list.width
            height: Theme.dp(72)
            Accessible.name: qsTr("Photo waiting to be posted")
            Image {
                id: thumb
                x: Theme.spacing
                anchors.verticalCenter: parent.verticalCenter
                width: Theme.dp(56)
                height: width
                fillMode: Image.PreserveAspectCrop
                source: typeof mini !== "undefined" ? mini : ""
            }
            Label {
                anchors.left: thumb.right
                anchors.leftMargin: Theme.spacing
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: typeof title !== "undefined" && title.length ? title : qsTr("Waiting to be posted")
                elide: Text.ElideRight
            }
        }
    }

    EmptyState {
        anchors.centerIn: parent
        visible: list.count === 0
        title: qsTr("Nothing waiting to be posted")
        text: qsTr("Photos you post wait here until they reach the service, even when you are offline.")
    }
}
