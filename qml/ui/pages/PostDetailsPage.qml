import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"
import "../components/Posting.js" as Posting

// Title, caption, location, who may see the photo and where else it goes;
// Post hands it to the upload queue.
Page {
    id: page
    objectName: "postDetailsPage"

    // The rendered photo ("processed.jpg") and how it was made.
    property string processedPath
    property int filterId: 0
    property int imageSource: Posting.sourceCamera

    property QtObject account: UserManager {}
    property QtObject storage: StorageManager {}
    property var queue: uploaderQueueModel
    property var position: ({ available: false, latitude: 0, longitude: 0 })

    property var networks: Posting.linkedNetworks(account)
    property var shares: ({})
    property string error: ""

    function refreshNetworks() {
        account.loadLoggedInAccount()
        networks = Posting.linkedNetworks(account)
    }

    function setShare(key, on) {
        const next = Object.assign({}, shares)
        next[key] = on
        shares = next
    }

    function details() {
        return Posting.uploadDetails({
            title: titleField.text, caption: captionField.text,
            locationOn: locationSwitch.checked, hasPosition: position.available,
            latitude: position.latitude, longitude: position.longitude,
            filterId: filterId, imageSource: imageSource,
            accessLevel: visibility.currentIndex, shares: shares
        }, networks)
    }

    function post() {
        if (!queue) {
            error = qsTr("The upload queue is not available.")
            return
        }
        error = ""
        queue.appendImageFileToQueue(processedPath, details())
        if (error.length > 0)
            return
        if (saveSwitch.checked)
            storage.saveProcessedImageToGallery()
        // On to the home timeline; the post tab starts again from its camera.
        Navigator.showTab(0)
        if (StackView.view)
            StackView.view.pop(null)
    }

    Connections {
        target: page.queue
        ignoreUnknownSignals: true
        function onQueueingFailed(reason) { page.error = qsTr("The photo could not be queued: %1").arg(reason) }
    }

    // Coming back from linking a network.
    StackView.onActivated: refreshNetworks()

    background: Rectangle { color: Theme.background }

    header: PageHeader {
        title: qsTr("Details")
        ToolButton {
            objectName: "postButton"
            text: qsTr("Post")
            font.bold: true
            Accessible.name: qsTr("Post the photo")
            onClicked: page.post()
        }
    }

    Flickable {
        objectName: "detailsForm"
        anchors.fill: parent
        contentHeight: form.height + Theme.spacingLarge
        clip: true

        Column {
            id: form
            objectName: "detailsColumn"
            width: parent.width
            spacing: Theme.spacingSmall

            ErrorBanner { text: page.error }

            Row {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                spacing: Theme.spacing
                topPadding: Theme.spacing

                SimpleImage {
                    id: thumbnail
                    width: Theme.dp(96)
                    height: width
                    stretch: true
                    source: page.processedPath
                    Accessible.name: qsTr("The photo to post")
                }
                Column {
                    width: parent.width - thumbnail.width - parent.spacing
                    spacing: Theme.spacingSmall
                    TextField {
                        id: titleField
                        objectName: "titleField"
                        width: parent.width
                        placeholderText: qsTr("Title")
                        maximumLength: 100
                        Accessible.name: qsTr("Title")
                    }
                    TextArea {
                        id: captionField
                        objectName: "captionField"
                        width: parent.width
                        placeholderText: qsTr("Write a caption…")
                        wrapMode: TextEdit.Wrap
                        Accessible.name: qsTr("Caption")
                    }
                }
            }

            SectionLabel { text: qsTr("Who can see it") }
            ComboBox {
                id: visibility
                objectName: "visibilityBox"
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                model: [qsTr("Everyone"), qsTr("My followers"), qsTr("Only me")]
                currentIndex: Posting.accessEveryone
                Accessible.name: qsTr("Who can see the photo")
            }

            SwitchDelegate {
                id: locationSwitch
                objectName: "locationSwitch"
                width: parent.width
                text: qsTr("Add my location")
                font.pixelSize: Theme.fontBody
                checked: false
                Accessible.name: qsTr("Add my location")
            }
            Label {
                x: Theme.spacingLarge
                width: parent.width - Theme.spacingLarge * 2
                visible: locationSwitch.checked && !page.position.available
                text: qsTr("Your location is not known on this device; the photo is posted without it.")
                wrapMode: Text.WordWrap
                font.pixelSize: Theme.fontSmall
                color: Theme.textSecondary
            }

            SwitchDelegate {
                id: saveSwitch
                objectName: "saveSwitch"
                width: parent.width
                text: qsTr("Save a copy to my gallery")
                font.pixelSize: Theme.fontBody
                checked: true
                Accessible.name: qsTr("Save a copy to my gallery")
            }

            SectionLabel { text: qsTr("Also share to") }
            Repeater {
                model: page.networks
                delegate: ShareSwitch {
                    objectName: "share_" + modelData.key
                    width: form.width
                    network: modelData.name
                    linked: modelData.linked
                    shared: page.shares[modelData.key] === true
                    onSwitched: page.setShare(modelData.key, on)
                    onLinkRequested: Navigator.push("LinkedNetworksPage.qml", {})
                }
            }
        }
    }
}
