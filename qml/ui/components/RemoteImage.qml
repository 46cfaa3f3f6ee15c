import QtQuick 2.15

// Every picture from the network is shown through this item, so the way
// pictures are fetched and cached is decided in one place. `kind` says what
// the picture is for: "thumbnail", "profile", "badge" or "large".
Item {
    id: remote

    property url source
    property string kind: "thumbnail"
    property int fillMode: Image.PreserveAspectCrop
    readonly property real progress: image.progress
    readonly property bool ready: image.status === Image.Ready
    readonly property bool failed: image.status === Image.Error

    clip: true

    Rectangle {
        anchors.fill: parent
        color: Theme.placeholder
        visible: !remote.ready
    }

    Image {
        id: image
        anchors.fill: parent
        source: remote.source
        fillMode: remote.fillMode
        asynchronous: true
        sourceSize.width: remote.kind === "large" ? 0 : Math.max(remote.width, 1)
        smooth: true
    }
}
