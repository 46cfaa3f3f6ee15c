import QtQuick 2.15
import QtQuick.Controls 2.15

// The bottom navigation bar: home, popular, post, notifications (with the
// number of unread ones) and the person's own profile.
Rectangle {
    id: bar
    property int currentIndex: 0
    property int unreadCount: 0
    signal tabClicked(int index)

    height: Theme.navBarHeight
    color: Theme.surface
    Rectangle { width: parent.width; height: 1; color: Theme.divider }

    Row {
        anchors.fill: parent
        Repeater {
            model: [
                { icon: "\u2302", label: qsTr("Home") },
                { icon: "\u2605", label: qsTr("Popular") },
                { icon: "\u271A", label: qsTr("Post") },
                { icon: "\u2665", label: qsTr("Activity") },
                { icon: "\u263A", label: qsTr("Profile") }
            ]
            delegate: AbstractButton {
                id: tab
                width: bar.width / 5
                height: bar.height
                objectName: "tab" + index
                checked: bar.currentIndex === index
                Accessible.role: Accessible.PageTab
                Accessible.name: index === 3 && bar.unreadCount > 0
                                 ? qsTr("%1, %2 unread").arg(modelData.label).arg(bar.unreadCount)
                                 : modelData.label
                onClicked: bar.tabClicked(index)

                contentItem: Column {
                    anchors.centerIn: parent
                    Label {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: modelData.icon
                        font.pixelSize: Theme.fontTitle
                        color: tab.checked ? Theme.accent : Theme.textSecondary
                    }
                    Label {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: modelData.label
                        font.pixelSize: Theme.fontTiny
                        color: tab.checked ? Theme.accent : Theme.textSecondary
                    }
                }
                Rectangle {
                    visible: index === 3 && bar.unreadCount > 0
                    x: parent.width / 2 + Theme.dp(6)
                    y: Theme.dp(4)
                    height: Theme.dp(18)
                    width: Math.max(height, unread.implicitWidth + Theme.dp(8))
                    radius: height / 2
                    color: Theme.badge
                    Label {
                        id: unread
                        anchors.centerIn: parent
                        text: bar.unreadCount > 99 ? "99+" : bar.unreadCount
                        color: "white"
                        font.pixelSize: Theme.fontTiny
                        font.bold: true
                    }
                }
            }
        }
    }
}
