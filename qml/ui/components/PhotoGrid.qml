import QtQuick 2.15

// Square thumbnails, three to a row, for any photo list model.
GridView {
    id: grid
    property int columns: 3
    signal endReached()

    cellWidth: Math.floor(width / columns)
    cellHeight: cellWidth
    clip: true
    onAtYEndChanged: if (atYEnd && count > 0) endReached()

    delegate: Item {
        width: grid.cellWidth
        height: grid.cellHeight
        RemoteImage {
            anchors.fill: parent
            anchors.margins: 1
            kind: "thumbnail"
            source: Photos.address(picture_info, grid.cellWidth > 160 ? "small" : "thumb")
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Photo by %1").arg(username)
            MouseArea { anchors.fill: parent; onClicked: Navigator.openPhoto(picture_info) }
        }
    }
}
