import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// A member's profile; without a user name, the person's own.
Page {
    id: page
    objectName: "profilePage"
    property string username: ""
    readonly property bool own: username.length === 0 || username === account.getUsername()
    readonly property string shownName: username.length ? username : account.getUsername()
    property var profile: ({})
    property bool loaded: false
    property string error: ""
    property int errorCode: 0
    // Follow state as last known: "none", "requested" or "following".
    property string followState: "none"

    background: Rectangle { color: Theme.background }
    header: PageHeader {
        title: page.shownName
        canGoBack: !page.own || page.StackView.index > 0
        ToolButton {
            objectName: "settingsButton"
            visible: page.own
            text: "\u2699"
            font.pixelSize: Theme.fontTitle
            Accessible.name: qsTr("Settings")
            onClicked: Navigator.push("SettingsPage.qml")
        }
        ToolButton {
            visible: !page.own && page.loaded
            text: "\u22EE"
            font.pixelSize: Theme.fontTitle
            Accessible.name: qsTr("More actions")
            onClicked: menu.open()
            Menu {
                id: menu
                MenuItem {
                    text: page.profile.blocked ? qsTr("Unblock") : qsTr("Block")
                    Accessible.name: text
                    onTriggered: page.profile.blocked ? page.setBlocked(false) : blockDialog.open()
                }
            }
        }
    }

    UserManager { id: account }
    ProfileViewManager { id: manager }

    function load() {
        error = ""
        profileCall.begin()
        taviroServiceController.getUserProfilesByUsername(shownName, profileCall)
    }

    function snapshot() {
        profile = {
            userId: manager.getUserId(), username: manager.getUsername(), photos: manager.getNumOfPhoto(),
            followers: manager.getNumOfFollower(), following: manager.getNumOfFollowing(), bio: manager.getBio(),
            pictureCode: manager.getProfilePictureCode(), followed: manager.getFollowed(),
            requested: manager.getFollowRequested(), blocked: manager.getBlocked(),
            isProtected: manager.getProtected(), email: manager.getEmail()
        }
        followState = profile.followed ? "following" : (profile.requested ? "requested" : "none")
        loaded = true
        if (own) {
            account.setProfileDetails(profile.bio === "-" ? "" : profile.bio, profile.email)
            account.setProtected(profile.isProtected)
            account.setPhotoCount(profile.photos)
        }
    }

    readonly property bool canSeePhotos: own || !profile.isProtected || followState === "following"

    function toggleFollow() {
        if (followState === "none") {
            taviroServiceController.followUser(shownName)
            followState = profile.isProtected ? "requested" : "following"
            globalServices.emitSetFollowStatus(shownName, true)
        } else {
            taviroServiceController.unfollowUser(shownName)
            followState = "none"
            globalServices.emitSetFollowStatus(shownName, false)
        }
    }

    function setBlocked(blocked) {
        blockCall.blocked = blocked
        blockCall.begin()
        if (blocked)
            taviroServiceController.blockUser(profile.userId, blockCall)
        else
            taviroServiceController.unblockUser(profile.userId, blockCall)
    }

    ServiceCall {
        id: profileCall
        onAnswered: {
            manager.parseJSON(data)
            page.errorCode = 0
            page.snapshot()
        }
        onFailed: {
            page.errorCode = errorCode
            page.error = message
        }
    }
    ServiceCall {
        id: blockCall
        property bool blocked
        onAnswered: {
            globalServices.emitBlockedStatusChanged(page.profile.userId, blocked)
            page.load()
        }
        onFailed: page.error = message
    }

    Connections {
        target: globalServices
        function onProfileRefreshRequested() { if (page.own) page.load() }
        function onBioChanged(user_id, bio) { if (page.own) page.load() }
        function onUserProtectedChanged(user_id, is_protected) { if (page.own) page.load() }
        function onSetLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment) {
            manager.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count, done_comment !== 0)
        }
        function onImageCaptionChanged(picture_id, caption) { manager.setPhotoName(picture_id, caption) }
        function onAccessLevelSaltChanged(picture_id, access_level, salt) {
            manager.setAccessLevelSalt(picture_id, access_level, salt)
        }
        function onPictureDeleted(picture_id) { if (page.own) page.load() }
    }

    Component.onCompleted: load()

    ErrorBanner {
        id: banner
        z: 1
        text: page.errorCode === 7 ? "" : page.error
        canRetry: true
        onRetry: page.load()
    }

    Flickable {
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        contentHeight: content.height + Theme.spacingLarge
        clip: true
        visible: page.loaded
        ScrollIndicator.vertical: ScrollIndicator { }

        Column {
            id: content
            width: parent.width
            spacing: Theme.spacing

            ProfileHeader {
                profile: page.profile
                onPhotosClicked: if (page.canSeePhotos)
                                     Navigator.push("UserPhotosPage.qml", { username: page.shownName })
                onFollowersClicked: if (page.canSeePhotos) Navigator.openPeople("followers", page.shownName)
                onFollowingClicked: if (page.canSeePhotos) Navigator.openPeople("following", page.shownName)
            }

            Button {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                objectName: "followButton"
                visible: !page.own && !page.profile.blocked
                highlighted: page.followState === "none"
                text: page.followState === "following" ? qsTr("Following")
                    : page.followState === "requested" ? qsTr("Requested")
                    : (page.profile.isProtected ? qsTr("Ask to follow") : qsTr("Follow"))
                Accessible.name: page.followState === "following" ? qsTr("Unfollow %1").arg(page.shownName)
                               : page.followState === "requested" ? qsTr("Cancel the request to follow %1").arg(page.shownName)
                               : qsTr("Follow %1").arg(page.shownName)
                onClicked: page.toggleFollow()
            }
            Button {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                visible: page.own
                text: qsTr("Edit profile")
                Accessible.name: text
                onClicked: Navigator.push("ProfileDetailsPage.qml")
            }
            Row {
                x: Theme.spacing
                visible: page.own
                spacing: Theme.spacingSmall
                Button {
                    text: qsTr("Find people")
                    flat: true
                    Accessible.name: qsTr("Find people to follow")
                    onClicked: Navigator.openPeople("suggestions")
                }
                Button {
                    text: qsTr("Follow requests")
                    flat: true
                    visible: page.profile.isProtected === true
                    Accessible.name: text
                    onClicked: Navigator.push("FollowRequestsPage.qml")
                }
            }
            Label {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                visible: page.profile.blocked === true
                wrapMode: Text.WordWrap
                text: qsTr("You have blocked %1. They cannot see your photos or follow you.").arg(page.shownName)
                color: Theme.textSecondary
            }

            BadgeStrip {
                width: parent.width
                model: manager.badgeModel
            }

            EmptyState {
                visible: !page.canSeePhotos
                title: qsTr("This account is private")
                text: page.followState === "requested" ? qsTr("Your request is waiting for %1's answer.").arg(page.shownName)
                                                       : qsTr("Follow %1 to see their photos.").arg(page.shownName)
            }
            EmptyState {
                visible: page.canSeePhotos && recent.count === 0
                title: page.own ? qsTr("No photos yet") : qsTr("%1 has no photos yet").arg(page.shownName)
                text: page.own ? qsTr("Tap Post below to share your first photo.") : ""
            }

            Grid {
                id: recentGrid
                visible: page.canSeePhotos
                columns: 3
                width: parent.width
                Repeater {
                    id: recent
                    model: manager.recentImagesModel
                    RemoteImage {
                        width: Math.floor(recentGrid.width / 3)
                        height: width
                        kind: "thumbnail"
                        source: Photos.address(picture_info, width > 160 ? "small" : "thumb")
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Photo by %1").arg(username)
                        MouseArea { anchors.fill: parent; onClicked: Navigator.openPhoto(picture_info) }
                    }
                }
            }
            Button {
                anchors.horizontalCenter: parent.horizontalCenter
                visible: page.canSeePhotos && page.profile.photos > recent.count
                flat: true
                text: qsTr("See all %1 photos").arg(page.profile.photos)
                Accessible.name: text
                onClicked: Navigator.push("UserPhotosPage.qml", { username: page.shownName })
            }
        }
    }

    BusyState {
        anchors.centerIn: parent
        running: profileCall.busy && !page.loaded
        text: qsTr("Loading the profile…")
    }
    EmptyState {
        anchors.centerIn: parent
        visible: !page.loaded && !profileCall.busy && page.error.length > 0
        title: qsTr("The profile could not be loaded")
        text: page.error
        actionText: qsTr("Try again")
        onActionTriggered: page.load()
    }

    ActionDialog {
        id: blockDialog
        title: qsTr("Block %1?").arg(page.shownName)
        okText: qsTr("Block")
        onConfirmed: taviroServiceController.blockUser(page.profile.userId, call)
        onSucceeded: {
            globalServices.emitBlockedStatusChanged(page.profile.userId, true)
            page.load()
        }
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("They will no longer see your photos or be able to follow you. You can unblock them later.")
        }
    }
}
