import QtQuick 2.15
import QtQuick.Controls 2.15

// The top of a profile: picture, counters, name, privacy and bio.
Column {
    id: header
    property var profile: ({})
    signal photosClicked()
    signal followersClicked()
    signal followingClicked()

    width: parent ? parent.width : implicitWidth
    spacing: Theme.spacingSmall
    topPadding: Theme.spacing

    Row {
        x: Theme.spacing
        width: parent.width - Theme.spacing * 2
        spacing: Theme.spacing
        Avatar {
            id: avatar
            size: Theme.avatarLarge
            username: header.profile.username || ""
            pictureCode: header.profile.pictureCode || ""
            ringColor: Theme.background
        }
        Row {
            anchors.verticalCenter: avatar.verticalCenter
            width: parent.width - avatar.width - parent.spacing
            Counter {
                width: parent.width / 3
                value: header.profile.photos || 0
                label: qsTr("photos")
                onClicked: header.photosClicked()
            }
            Counter {
                objectName: "followersCounter"
                width: parent.width / 3
                value: header.profile.followers || 0
                label: qsTr("followers")
                onClicked: header.followersClicked()
            }
            Counter {
                width: parent.width / 3
                value: header.profile.following || 0
                label: qsTr("following")
                onClicked: header.followingClicked()
            }
        }
    }
    Label {
        x: Theme.spacing
        width: parent.width - Theme.spacing * 2
        text: (header.profile.username || "")
        elide: Text.ElideRight
        font.pixelSize: Theme.fontLarge
        font.bold: true
        color: Theme.text
    }
    Label {
        x: Theme.spacing
        width: parent.width - Theme.spacing * 2
        visible: header.profile.isProtected === true
        text: qsTr("Private account")
        font.pixelSize: Theme.fontSmall
        color: Theme.textSecondary
    }
    Label {
        x: Theme.spacing
        width: parent.width - Theme.spacing * 2
        text: header.profile.bio && header.profile.bio !== "-" ? header.profile.bio : ""
        visible: text.length > 0
        wrapMode: Text.Wrap
        font.pixelSize: Theme.fontBody
        color: Theme.text
    }
}
