import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import TAVIROLib 1.0
import "../components"

// Photos the service picks: the popular ones and the front page, as grids.
Page {
    id: page
    objectName: "popularPage"
    property string error: ""

    background: Rectangle { color: Theme.background }
    header: Column {
        width: page.width
        PageHeader {
            title: qsTr("Discover")
            canGoBack: false
            ToolButton {
                objectName: "searchButton"
                text: qsTr("Search")
                Accessible.name: qsTr("Search for people")
                onClicked: Navigator.openPeople("search")
            }
        }
        TabBar {
            id: tabs
            width: parent.width
            TabButton { text: qsTr("Popular"); Accessible.name: qsTr("Popular photos") }
            TabButton { text: qsTr("Front page"); Accessible.name: qsTr("Front page photos") }
        }
    }

    FrontPageModel { id: frontPageModel }

    function refresh() {
        error = ""
        if (tabs.currentIndex === 0) {
            popularModel.isRefreshing = true
            popularCall.begin()
            taviroServiceController.getPopularTimeline(popularCall)
        } else {
            frontPageModel.isRefreshing = true
            frontCall.begin()
            taviroServiceController.getFrontPageTimeline(frontCall)
        }
    }

    ServiceCall {
        id: popularCall
        onAnswered: { popularModel.isRefreshing = false; popularModel.parseJSON(data) }
        onFailed: { popularModel.isRefreshing = false; page.error = message }
    }
    ServiceCall {
        id: frontCall
        onAnswered: { frontPageModel.isRefreshing = false; frontPageModel.parseJSON(data) }
        onFailed: { frontPageModel.isRefreshing = false; page.error = message }
    }

    Connections {
        target: globalServices
        function onSetLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment) {
            frontPageModel.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count,
                                                 done_comment !== 0)
        }
        function onPictureDeleted(picture_id) { page.refreshFrontPage = true }
    }
    property bool refreshFrontPage: false

    Connections {
        target: tabs
        function onCurrentIndexChanged() {
            if (tabs.currentIndex === 0 ? popularModel.getCount() === 0 : (frontPageModel.getCount() === 0
                                                                            || page.refreshFrontPage)) {
                page.refreshFrontPage = false
                page.refresh()
            }
        }
    }

    Component.onCompleted: refresh()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: page.refresh()
    }

    StackLayout {
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        currentIndex: tabs.currentIndex

        Repeater {
            model: [popularModel, frontPageModel]
            Item {
                readonly property bool busy: modelData.isRefreshing
                PhotoGrid {
                    id: grid
                    anchors.fill: parent
                    model: modelData
                    header: PullToRefresh {
                        view: grid
                        refreshing: busy && grid.count > 0
                        onRefreshRequested: page.refresh()
                    }
                }
                BusyState {
                    anchors.centerIn: parent
                    running: busy && grid.count === 0
                    text: qsTr("Loading photos…")
                }
                EmptyState {
                    anchors.centerIn: parent
                    visible: grid.count === 0 && !busy
                    title: qsTr("No photos here yet")
                    text: qsTr("Pull down or tap Refresh to look again.")
                    actionText: qsTr("Refresh")
                    onActionTriggered: page.refresh()
                }
            }
        }
    }
}
