import QtQuick 2.15
import TAVIROLib 1.0

Item {
    id: page
    signal signedOut()

    property string error: ""

    UserManager { id: account }
    DateTimeModel { id: dateTime }

    function refresh() {
        if (timelineModel.isRefreshing)
            return
        timelineModel.isRefreshing = true
        page.error = ""
        taviroServiceController.getHomeTimeline(account.getUserId(), 1, 20, timelineModel.getNewestId(), 0,
                                                refreshHandler)
    }

    function loadMore() {
        if (timelineModel.isLoadingMore || timelineModel.isRefreshing || timelineModel.getCount() === 0)
            return
        timelineModel.isLoadingMore = true
        taviroServiceController.getHomeTimeline(account.getUserId(), 1, 20, 0, timelineModel.getOldestId(),
                                                loadMoreHandler)
    }

    function toggleLove(pictureId, loveCount, doneLove) {
        if (doneLove)
            taviroServiceController.unlovePicture(pictureId)
        else
            taviroServiceController.lovePicture(pictureId)
        timelineModel.setLovedData(pictureId, loveCount + (doneLove ? -1 : 1), !doneLove)
    }

    function failed(statusCode, message) {
        page.error = statusCode === 0 ? qsTr("Cannot reach the service: %1").arg(message)
                                      : qsTr("The service answered %1: %2").arg(statusCode).arg(message)
    }

    TaviroServiceHandler {
        id: refreshHandler
        function onTaviroServiceDataReceived(success, data) {
            timelineModel.isRefreshing = false
            timelineModel.parseJSON(data, false)
        }
        function onTaviroServiceError(statusCode, message) {
            timelineModel.isRefreshing = false
            page.failed(statusCode, message)
        }
    }

    TaviroServiceHandler {
        id: loadMoreHandler
        function onTaviroServiceDataReceived(success, data) {
            timelineModel.isLoadingMore = false
            timelineModel.parseJSON(data, true)
        }
        function onTaviroServiceError(statusCode, message) {
            timelineModel.isLoadingMore = false
            page.failed(statusCode, message)
        }
    }

    Component.onCompleted: refresh()

    Rectangle {
        id: header
        width: parent.width
        height: 64
        color: "#1d2b53"
        z: 1

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            text: "TAVIRO"
            color: "white"
            font.pixelSize: 28
            font.bold: true
            font.letterSpacing: 3
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8
            Button {
                width: 110; height: 40
                text: timelineModel.isRefreshing ? qsTr("…") : qsTr("Refresh")
                onClicked: page.refresh()
            }
            Button {
                width: 110; height: 40
                text: qsTr("Sign out")
                onClicked: page.signedOut()
            }
        }
    }

    Text {
        id: errorLine
        anchors.top: header.bottom
        width: parent.width
        padding: 10
        text: page.error
        visible: text.length > 0
        color: "#ff8a80"
        font.pixelSize: 15
        wrapMode: Text.WordWrap
    }

    ListView {
        id: list
        anchors.top: errorLine.visible ? errorLine.bottom : header.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: timelineModel
        spacing: 18
        onAtYEndChanged: if (atYEnd) page.loadMore()

        delegate: Column {
            width: list.width
            spacing: 8

            Row {
                x: 16
                spacing: 10
                Rectangle {
                    width: 40; height: 40; radius: 20
                    color: "#7e2553"
                    Text {
                        anchors.centerIn: parent
                        text: username.length ? username.charAt(0).toUpperCase() : "?"
                        color: "white"
                        font.pixelSize: 20
                        font.bold: true
                        visible: avatar.status !== Image.Ready
                    }
                    Image {
                        id: avatar
                        anchors.fill: parent
                        fillMode: Image.PreserveAspectCrop
                        sourceSize: Qt.size(40, 40)
                        Accessible.name: qsTr("Picture of %1").arg(username)
                    }
                    // Profile pictures live beside the photos: same host, their own code.
                    CacheableImageLoader {
                        cacheMode: ImageCacheMode.CacheProfileImage
                        sourceImagePath: picture_info.profile_picture_code && picture_info.image_url_thumb
                                         ? picture_info.image_url_thumb.split("/photos/")[0] + "/photos/"
                                           + picture_info.profile_picture_code + "/thumb"
                                         : ""
                        onImageLoaded: avatar.source = path
                    }
                }
                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    Text { text: username; color: "white"; font.pixelSize: 18; font.bold: true }
                    Text {
                        text: dateTime.setDateTime(create_time, "d MMM yyyy hh:mm")
                        color: "#8a91ad"
                        font.pixelSize: 14
                    }
                }
            }

            Image {
                id: photo
                width: list.width
                height: width
                fillMode: Image.PreserveAspectCrop
                // The cache hands over decoded pictures: taken here, a cached one
                // shows in the frame its row appears (the reader thread adds frames).
                asynchronous: false
                Accessible.name: picture_info.name || qsTr("Photo")
                // The thumbnail cache keeps as many pictures as the saved
                // timeline keeps rows, so a start without the service shows them.
                CacheableImageLoader {
                    cacheMode: ImageCacheMode.CacheThumbnail
                    sourceImagePath: picture_info.image_url_medium || ""
                    onImageLoaded: photo.source = path
                }
                Rectangle {
                    anchors.fill: parent
                    color: "#1d2335"
                    visible: parent.status !== Image.Ready
                }
            }

            Row {
                x: 16
                spacing: 24
                Text {
                    text: (done_love ? "\u2665 " : "\u2661 ") + love_count
                    color: done_love ? "#ff774d" : "#c8cbe0"
                    font.pixelSize: 20
                    MouseArea {
                        anchors.fill: parent
                        anchors.margins: -10
                        onClicked: page.toggleLove(picture_id, love_count, done_love)
                    }
                }
                Text { text: "\u270e " + comment_count; color: "#c8cbe0"; font.pixelSize: 20 }
            }

            Text {
                x: 16
                width: list.width - 32
                text: picture_info.name || ""
                visible: text.length > 0
                color: "#e4e6f0"
                font.pixelSize: 17
                wrapMode: Text.WordWrap
            }
        }

        footer: Item {
            width: list.width
            height: 60
            Text {
                anchors.centerIn: parent
                text: timelineModel.isLoadingMore ? qsTr("Loading…")
                                                  : (list.count === 0 && !timelineModel.isRefreshing
                                                     ? qsTr("No photos yet: follow someone!") : "")
                color: "#8a91ad"
                font.pixelSize: 16
            }
        }
    }
}
