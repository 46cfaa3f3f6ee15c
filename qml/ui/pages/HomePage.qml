import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// The home timeline: photos of the people the person follows, newest first.
Page {
    id: page
    objectName: "homePage"
    property string error: ""
    property int pageSize: 20

    background: Rectangle { color: Theme.background }
    header: PageHeader {
        title: "TAVIRO"
        canGoBack: false
        ToolButton {
            text: "\u21BB"
            font.pixelSize: Theme.fontTitle
            enabled: !timelineModel.isRefreshing
            Accessible.name: qsTr("Refresh")
            onClicked: page.refresh()
        }
    }

    UserManager { id: account }

    function refresh() {
        if (timelineModel.isRefreshing)
            return
        error = ""
        timelineModel.isRefreshing = true
        refreshCall.begin()
        taviroServiceController.getHomeTimeline(account.getUserId(), 1, pageSize, timelineModel.getNewestId(), 0,
                                                refreshCall)
    }

    function loadMore() {
        if (timelineModel.isLoadingMore || timelineModel.isRefreshing || timelineModel.getCount() === 0
                || !hasMore)
            return
        timelineModel.isLoadingMore = true
        moreCall.begin()
        taviroServiceController.getHomeTimeline(account.getUserId(), 1, pageSize, 0, timelineModel.getOldestId(),
                                                moreCall)
    }

    // Counters and privacy of the photos already shown may have changed.
    function refreshSummaries() {
        var codes = timelineModel.getPictureIds()
        if (codes.length) {
            summaryCall.begin()
            taviroServiceController.getPhotoSummary(codes, summaryCall)
        }
    }

    property bool hasMore: true

    ServiceCall {
        id: refreshCall
        onAnswered: {
            var hadRows = timelineModel.getCount() > 0
            timelineModel.isRefreshing = false
            timelineModel.parseJSON(data, false)
            if (hadRows)
                page.refreshSummaries()
        }
        onFailed: {
            timelineModel.isRefreshing = false
            page.error = message
        }
    }
    ServiceCall {
        id: moreCall
        onAnswered: {
            timelineModel.isLoadingMore = false
            timelineModel.parseJSON(data, true)
            page.hasMore = timelineModel.getLastParsedRowCount() > 0
        }
        onFailed: {
            timelineModel.isLoadingMore = false
            page.error = message
        }
    }
    ServiceCall {
        id: summaryCall
        onAnswered: timelineModel.parsePhotoSummaryJSON(data)
        onFailed: page.error = message
    }

    Connections {
        target: globalServices
        function onTimelineRefreshRequested() { page.refresh() }
        function onClearTimelineRequested() { timelineModel.clear() }
    }

    Component.onCompleted: refresh()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: page.refresh()
    }

    ListView {
        id: list
        objectName: "timeline"
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        model: timelineModel
        spacing: Theme.spacingSmall
        reuseItems: true
        ScrollIndicator.vertical: ScrollIndicator { }
        onAtYEndChanged: if (atYEnd && count > 0) page.loadMore()

        header: PullToRefresh {
            view: list
            refreshing: timelineModel.isRefreshing && list.count > 0
            onRefreshRequested: page.refresh()
        }

        delegate: PhotoCard {
            width: list.width
            photo: picture_info
            photoId: picture_id
            username: model.username
            createTime: create_time
            loveCount: love_count
            doneLove: done_love
            commentCount: comment_count
        }

        footer: Item {
            width: list.width
            height: Theme.dp(64)
            BusyIndicator {
                anchors.centerIn: parent
                running: timelineModel.isLoadingMore
                visible: running
                Accessible.name: qsTr("Loading older photos")
            }
        }
    }

    BusyState {
        anchors.centerIn: parent
        running: timelineModel.isRefreshing && list.count === 0
        text: qsTr("Loading your timeline…")
    }

    EmptyState {
        anchors.centerIn: parent
        visible: list.count === 0 && !timelineModel.isRefreshing
        title: qsTr("Your timeline is empty")
        text: qsTr("Follow people to see their photos here. Popular photos are a good place to find them.")
        actionText: qsTr("See popular photos")
        onActionTriggered: Navigator.showTab(1)
    }
}
