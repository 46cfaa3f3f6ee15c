import QtQuick 2.15
import QtQuick.Controls 2.15

// One photo of a feed: owner, picture, loves, comments and caption.
Rectangle {
    id: card
    property var photo: ({})
    property int photoId
    property string username
    property string createTime
    property int loveCount
    property bool doneLove
    property int commentCount

    width: parent ? parent.width : implicitWidth
    height: column.height + Theme.spacingSmall
    color: Theme.surface

    Column {
        id: column
        width: parent.width
        spacing: Theme.spacingSmall

        Item {
            width: parent.width
            height: Theme.avatarSmall + Theme.spacing
            Avatar {
                id: avatar
                x: Theme.spacing
                anchors.verticalCenter: parent.verticalCenter
                username: card.username
                pictureCode: card.photo.profile_picture_code || ""
                onClicked: Navigator.openProfile(card.username)
            }
            Column {
                anchors.left: avatar.right
                anchors.leftMargin: Theme.spacingSmall
                anchors.right: parent.right
                anchors.rightMargin: Theme.spacing
                anchors.verticalCenter: parent.verticalCenter
                Label {
                    width: parent.width
                    text: card.username
                    elide: Text.ElideRight
                    font.bold: true
                    font.pixelSize: Theme.fontBody
                    color: Theme.text
                    Accessible.role: Accessible.Button
                    Accessible.name: qsTr("Profile of %1").arg(card.username)
                    MouseArea { anchors.fill: parent; onClicked: Navigator.openProfile(card.username) }
                }
                TimeLabel { timestamp: card.createTime }
            }
        }

        RemoteImage {
            id: picture
            objectName: "cardPicture"
            width: parent.width
            height: width
            kind: "large"
            source: Photos.address(card.photo, width > 480 ? "large" : "medium")
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Photo by %1").arg(card.username)
            MouseArea {
                anchors.fill: parent
                onClicked: Navigator.openPhoto(card.photo)
                onDoubleClicked: if (!card.doneLove)
                                     Photos.toggleLove(card.photoId, card.loveCount, false, card.commentCount,
                                                       card.photo.done_comment === true)
            }
        }

        Row {
            x: Theme.spacingTiny
            spacing: Theme.spacingTiny
            LoveButton {
                objectName: "loveButton"
                photoId: card.photoId
                loveCount: card.loveCount
                doneLove: card.doneLove
                commentCount: card.commentCount
                doneComment: card.photo.done_comment === true
            }
            ToolButton {
                objectName: "commentsButton"
                text: "\u270E " + card.commentCount
                font.pixelSize: Theme.fontLarge
                Accessible.name: qsTr("Comments, %1").arg(card.commentCount)
                onClicked: Navigator.openComments(card.photo)
            }
        }

        Label {
            x: Theme.spacing
            width: parent.width - Theme.spacing * 2
            text: card.photo.name || ""
            visible: text.length > 0
            wrapMode: Text.Wrap
            font.pixelSize: Theme.fontBody
            color: Theme.text
        }
    }
}
