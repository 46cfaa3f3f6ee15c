import QtQuick 2.15
import QtQuick.Controls 2.15
import PhotoPicker 1.0
import "../components"
import "../components/Posting.js" as Posting

// The phone's photos, newest first; new ones appear while the page is open.
// A tap opens the photo for cropping.
Page {
    id: page
    objectName: "galleryPage"

    property var photos: photomodel

    function pick(url) {
        Navigator.push("CropPage.qml", { photoPath: Posting.localPath(url) })
    }

    background: Rectangle { color: Theme.background }

    header: PageHeader { title: qsTr("Gallery") }

    GridView {
        id: grid
        objectName: "galleryGrid"
        anchors.fill: parent
        readonly property int columns: Math.max(3, Math.floor(width / Theme.dp(160)))
        cellWidth: Math.floor(width / columns)
        cellHeight: cellWidth
        model: page.photos
        clip: true

        delegate: Item {
            objectName: "galleryPhoto_" + index
            width: grid.cellWidth
            height: grid.cellHeight
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Photo %1").arg(index + 1)
            Accessible.onPressAction: page.pick(model.url)

            PhotoItem {
                id: cell
                anchors.fill: parent
                anchors.margins: 1
                url: model.url
            }
            MouseArea {
                anchors.fill: parent
                onPressed: cell.pressed = true
                onReleased: cell.pressed = false
                onCanceled: cell.pressed = false
                onClicked: page.pick(model.url)
            }
        }

        ScrollIndicator.vertical: ScrollIndicator {}
    }

    EmptyState {
        anchors.centerIn: parent
        visible: grid.count === 0
        title: qsTr("No photos yet")
        text: qsTr("Photos in your Pictures folder show up here. Take one with the camera instead?")
        actionText: qsTr("Open the camera")
        onActionTriggered: Navigator.back()
    }
}
