import QtQuick 2.15
import QtQuick.Controls 2.15

// Shown above a list while it is pulled down; releasing far enough asks for
// a refresh. Put it in the list's header.
Item {
    id: pull
    property Flickable view
    property bool refreshing: false
    property int threshold: Theme.dp(80)
    signal refreshRequested()

    readonly property bool armed: view && view.contentY < view.originY - threshold
    width: view ? view.width : 0
    height: refreshing ? Theme.dp(48) : 0

    Connections {
        target: pull.view
        function onDraggingChanged() {
            if (!pull.view.dragging && pull.armed && !pull.refreshing)
                pull.refreshRequested()
        }
    }

    Label {
        anchors.horizontalCenter: parent.horizontalCenter
        y: -height - Theme.spacing
        visible: pull.view && pull.view.contentY < pull.view.originY && !pull.refreshing
        text: pull.armed ? qsTr("Release to refresh") : qsTr("Pull to refresh")
        color: Theme.textSecondary
        font.pixelSize: Theme.fontSmall
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: pull.refreshing
        visible: running
        height: Theme.dp(36)
        width: height
        Accessible.name: qsTr("Refreshing")
    }
}
