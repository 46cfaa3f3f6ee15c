import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// All photos of one member, as a grid that loads older ones at the end.
Page {
    id: page
    objectName: "userPhotosPage"
    property string username
    property string error: ""
    property int pageSize: 30
    property bool hasMore: true

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Photos of %1").arg(page.username) }

    UserTimelineModel { id: photos }

    function loadMore() {
        if (call.busy || !hasMore)
            return
        error = ""
        call.begin()
        taviroServiceController.getUserTimelineByUsername(username, 1, pageSize, 0, photos.getOldestPictureId(), call)
    }

    ServiceCall {
        id: call
        onAnswered: {
            photos.parseJSON(data)
            page.hasMore = photos.getLastParsedRowCount() >= page.pageSize
        }
        onFailed: { page.error = message; page.hasMore = errorCode === 0 }
    }

    Connections {
        target: globalServices
        function onPictureDeleted(picture_id) { photos.removePictureById(picture_id) }
        function onSetLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment) {
            photos.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count, done_comment !== 0)
        }
        function onImageCaptionChanged(picture_id, caption) { photos.setPhotoName(picture_id, caption) }
        function onAccessLevelSaltChanged(picture_id, access_level, salt) {
            photos.setAccessLevelSalt(picture_id, access_level, salt)
        }
    }

    Component.onCompleted: loadMore()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: page.hasMore
        onRetry: page.loadMore()
    }

    PhotoGrid {
        id: grid
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        model: photos
        onEndReached: page.loadMore()
        footer: Item {
            width: grid.width
            height: Theme.dp(56)
            BusyIndicator {
                anchors.centerIn: parent
                running: call.busy && grid.count > 0
                visible: running
                Accessible.name: qsTr("Loading older photos")
            }
        }
    }

    BusyState {
        anchors.centerIn: parent
        running: call.busy && grid.count === 0
        text: qsTr("Loading photos…")
    }
    EmptyState {
        anchors.centerIn: parent
        visible: grid.count === 0 && !call.busy && page.error.length === 0
        title: qsTr("No photos yet")
    }
}
