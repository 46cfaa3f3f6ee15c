import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// The person's settings: profile, password, linked networks, blocked
// people, the image cache, about, and signing out.
Page {
    id: page
    objectName: "settingsPage"
    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Settings") }

    CommonCPP { id: common }
    Toast { id: toast }

    ListView {
        anchors.fill: parent
        clip: true
        model: [
            { label: qsTr("Profile details"), page: "ProfileDetailsPage.qml" },
            { label: qsTr("Change password"), page: "ChangePasswordPage.qml" },
            { label: qsTr("Linked networks"), page: "LinkedNetworksPage.qml" },
            { label: qsTr("Blocked people"), people: "blocked" },
            { label: qsTr("Follow requests"), page: "FollowRequestsPage.qml" },
            { label: qsTr("Clear the image cache"), action: "clearCache" },
            { label: qsTr("About TAVIRO"), page: "AboutPage.qml" },
            { label: qsTr("Sign out"), action: "signOut" }
        ]
        delegate: ItemDelegate {
            width: ListView.view.width
            height: Theme.touchTarget + Theme.spacingSmall
            text: modelData.label
            font.pixelSize: Theme.fontBody
            Accessible.name: modelData.label
            onClicked: {
                if (modelData.page)
                    Navigator.push(modelData.page)
                else if (modelData.people)
                    Navigator.openPeople(modelData.people)
                else if (modelData.action === "clearCache")
                    clearDialog.open()
                else
                    signOutDialog.open()
            }
            Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Theme.divider }
        }
    }

    Dialog {
        id: clearDialog
        title: qsTr("Clear the image cache?")
        modal: true
        anchors.centerIn: Overlay.overlay
        width: Math.min(page.width - Theme.spacingLarge * 2, Theme.dp(460))
        standardButtons: Dialog.Cancel | Dialog.Ok
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("Saved pictures are removed from this phone; they are downloaded again when needed.")
        }
        onAccepted: {
            common.clearCache()
            toast.show(qsTr("The image cache is empty"))
        }
    }

    Dialog {
        id: signOutDialog
        title: qsTr("Sign out?")
        modal: true
        anchors.centerIn: Overlay.overlay
        width: Math.min(page.width - Theme.spacingLarge * 2, Theme.dp(460))
        standardButtons: Dialog.Cancel | Dialog.Ok
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("You will need your user name and password to sign in again.")
        }
        onAccepted: Navigator.signedOut()
    }
}
