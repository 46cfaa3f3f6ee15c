import QtQuick 2.15
import TAVIROLib 1.0

// Every picture from the network is shown through this item, so the way
// pictures are fetched and cached is decided in one place. `kind` says what
// the picture is for: "thumbnail", "profile", "badge" or "large". Large
// pictures come through the service, which reports their progress on the
// signal hub; the others are fetched directly.
Item {
    id: remote

    property url source
    property string kind: "thumbnail"
    property int fillMode: Image.PreserveAspectCrop
    readonly property real progress: image.status === Image.Ready ? 1 : 0
    readonly property bool ready: image.status === Image.Ready
    readonly property bool failed: image.status === Image.Error

    clip: true

    Rectangle {
        anchors.fill: parent
        color: Theme.placeholder
        visible: !remote.ready
    }

    CacheableImageLoader {
        id: loader
        cacheMode: remote.kind === "large" ? ImageCacheMode.CacheLargeImage
                 : remote.kind === "profile" ? ImageCacheMode.CacheProfileImage
                 : remote.kind === "badge" ? ImageCacheMode.CacheBadge
                 : ImageCacheMode.CacheThumbnail
        needOAuth: remote.kind === "large"
        sourceImagePath: remote.source
        onImageLoaded: image.source = path.length && path.indexOf(":") < 0 ? "file://" + path : path
    }

    Image {
        id: image
        anchors.fill: parent
        fillMode: remote.fillMode
        // The cache hands out pictures it holds in memory: no reader thread.
        asynchronous: false
        sourceSize.width: remote.kind === "large" ? 0 : Math.max(remote.width, 1)
        smooth: true
    }
}
