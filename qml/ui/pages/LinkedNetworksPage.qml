import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// The external networks photos can be shared to: link and unlink them.
Page {
    id: page
    objectName: "linkedNetworksPage"
    property var linked: ({})
    property string error: ""

    readonly property var networks: [
        { id: "twitter", name: qsTr("Twitter"), key: "use_twitter", dance: true },
        { id: "tumblr", name: qsTr("Tumblr"), key: "use_tumblr", dance: true },
        { id: "flickr", name: qsTr("Flickr"), key: "use_flickr", dance: true },
        { id: "weibo", name: qsTr("Sina Weibo"), key: "use_weibo", dance: true },
        { id: "dropbox", name: qsTr("Dropbox"), key: "use_dropbox", dance: true },
        { id: "facebook", name: qsTr("Facebook"), key: "use_facebook", dance: false },
        { id: "vk", name: qsTr("VK"), key: "use_vk", dance: false },
        { id: "gdrive", name: qsTr("Google Drive"), key: "use_gdrive", dance: false },
        { id: "picasa", name: qsTr("Picasa"), key: "use_picasa", dance: false }
    ]

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Linked networks") }

    UserManager { id: account }

    function load() {
        error = ""
        profileCall.begin()
        taviroServiceController.getUserProfilesByUsername(account.getUsername(), profileCall)
    }

    ServiceCall {
        id: profileCall
        onAnswered: {
            var state = {}
            for (var i = 0; i < page.networks.length; ++i)
                state[page.networks[i].id] = answer[page.networks[i].key] === true
            page.linked = state
        }
        onFailed: page.error = message
    }

    Component.onCompleted: load()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: page.load()
    }

    ListView {
        id: list
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: page.networks
        header: Label {
            width: list.width
            padding: Theme.spacing
            wrapMode: Text.WordWrap
            text: qsTr("Linking opens the network's page in your browser. Allow TAVIRO there, then copy the address of the page you are sent back to and paste it here.")
            font.pixelSize: Theme.fontSmall
            color: Theme.textSecondary
        }

        delegate: Column {
            id: entry
            width: list.width
            readonly property bool isLinked: page.linked[modelData.id] === true
            // Networks without a token dance here can only be unlinked.
            visible: modelData.dance || isLinked
            height: visible ? implicitHeight : 0

            NetworkLinker {
                id: linker
                network: modelData.id
                onLinkedChanged: page.load()
            }

            Item {
                width: parent.width
                height: Theme.touchTarget + Theme.spacing
                Column {
                    x: Theme.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - action.width - Theme.spacing * 3
                    Label { text: modelData.name; font.pixelSize: Theme.fontBody; font.bold: true; color: Theme.text }
                    Label {
                        text: entry.isLinked ? qsTr("Linked") : qsTr("Not linked")
                        font.pixelSize: Theme.fontSmall
                        color: entry.isLinked ? Theme.success : Theme.textSecondary
                    }
                }
                Button {
                    id: action
                    anchors.right: parent.right
                    anchors.rightMargin: Theme.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    text: linker.busy ? qsTr("Please wait…") : entry.isLinked ? qsTr("Unlink") : qsTr("Link")
                    enabled: !linker.busy && linker.step === "idle"
                    highlighted: !entry.isLinked
                    Accessible.name: entry.isLinked ? qsTr("Unlink %1").arg(modelData.name) : qsTr("Link %1").arg(modelData.name)
                    onClicked: entry.isLinked ? linker.unlink() : linker.start()
                }
            }
            Column {
                visible: linker.step === "authorizing"
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                spacing: Theme.spacingSmall
                TextField {
                    id: returned
                    width: parent.width
                    placeholderText: qsTr("Paste the address here")
                    inputMethodHints: Qt.ImhUrlCharactersOnly
                    Accessible.name: qsTr("Address the browser was sent back to")
                    onAccepted: linker.finish(text)
                }
                Row {
                    spacing: Theme.spacingSmall
                    Button {
                        text: qsTr("Finish linking")
                        highlighted: true
                        enabled: returned.text.length > 0 && !linker.busy
                        Accessible.name: qsTr("Finish linking %1").arg(modelData.name)
                        onClicked: linker.finish(returned.text)
                    }
                    Button {
                        text: qsTr("Cancel")
                        flat: true
                        Accessible.name: qsTr("Cancel linking %1").arg(modelData.name)
                        onClicked: { returned.text = ""; linker.cancel() }
                    }
                }
            }
            Label {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                visible: linker.error.length > 0
                text: linker.error
                wrapMode: Text.WordWrap
                color: Theme.error
                font.pixelSize: Theme.fontSmall
            }
            Rectangle { width: parent.width; height: 1; color: Theme.divider }
        }
    }

    BusyState {
        anchors.centerIn: parent
        running: profileCall.busy && Object.keys(page.linked).length === 0
        text: qsTr("Loading…")
    }
}
