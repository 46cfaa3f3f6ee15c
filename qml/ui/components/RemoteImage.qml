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
    readonly property real progress: ready ? 1 : 0
    readonly property bool ready: current && image.status === Image.Ready
    readonly property bool failed: current && image.status === Image.Error
    // The loader keeps its last picture while a new source loads (a list
    // reuses its items): show a picture only for the source it belongs to.
    property url shownSource
    readonly property bool current: String(shownSource) === String(source) && String(source).length > 0

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
        onImageLoaded: {
            if (path.length === 0)
                return
            image.source = path.indexOf(":") < 0 ? "file://" + path : path
            remote.shownSource = loader.sourceImagePath
        }
    }

    Image {
        id: image
        anchors.fill: parent
        visible: remote.current
        fillMode: remote.fillMode
        asynchronous: true
        sourceSize.width: remote.kind === "large" ? 0 : Math.max(remote.width, 1)
        smooth: true
    }
}
