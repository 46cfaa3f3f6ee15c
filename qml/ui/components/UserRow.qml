import QtQuick 2.15
import QtQuick.Controls 2.15

// A person in a list: picture, name, a line about them and an optional
// button on the right (follow, unblock, ...).
ItemDelegate {
    id: row
    property string username
    property string pictureCode
    property string detail
    property string actionText
    property bool actionHighlighted: false
    property bool actionEnabled: true
    signal actionTriggered()

    width: parent ? parent.width : implicitWidth
    height: Theme.avatarSmall + Theme.spacing * 2
    Accessible.name: qsTr("Profile of %1").arg(username)
    onClicked: Navigator.openProfile(username)

    contentItem: Item {
        Avatar {
            id: avatar
            anchors.verticalCenter: parent.verticalCenter
            username: row.username
            pictureCode: row.pictureCode
            ringColor: Theme.background
            onClicked: row.clicked()
        }
        Column {
            anchors.left: avatar.right
            anchors.leftMargin: Theme.spacing
            anchors.right: action.visible ? action.left : parent.right
            anchors.rightMargin: Theme.spacingSmall
            anchors.verticalCenter: parent.verticalCenter
            Label {
                width: parent.width
                text: row.username
                elide: Text.ElideRight
                font.bold: true
                font.pixelSize: Theme.fontBody
                color: Theme.text
            }
            Label {
                width: parent.width
                text: row.detail
                visible: text.length > 0
                elide: Text.ElideRight
                font.pixelSize: Theme.fontSmall
                color: Theme.textSecondary
            }
        }
        Button {
            id: action
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: row.actionText.length > 0
            text: row.actionText
            highlighted: row.actionHighlighted
            enabled: row.actionEnabled
            Accessible.name: qsTr("%1 %2").arg(row.actionText).arg(row.username)
            onClicked: row.actionTriggered()
        }
    }
}
