import QtQuick 2.15
import QtQuick.Controls 2.15

// A service error in words, with a way to try again or put it away.
Rectangle {
    id: banner
    property string text
    property bool canRetry: false
    signal retry()

    // Dismissing hides this message only; the next one shows again.
    property string dismissedText
    onTextChanged: dismissedText = ""

    visible: text.length > 0 && text !== dismissedText
    width: parent ? parent.width : implicitWidth
    height: visible ? row.implicitHeight + Theme.spacing * 2 : 0
    color: Theme.errorBackground
    Accessible.role: Accessible.AlertMessage
    Accessible.name: text

    Row {
        id: row
        anchors.verticalCenter: parent.verticalCenter
        x: Theme.spacing
        width: parent.width - Theme.spacing * 2
        spacing: Theme.spacingSmall

        Label {
            id: message
            width: parent.width - (retryButton.visible ? retryButton.width + parent.spacing : 0)
                   - closeButton.width - parent.spacing
            anchors.verticalCenter: parent.verticalCenter
            text: banner.text
            wrapMode: Text.WordWrap
            color: Theme.error
            font.pixelSize: Theme.fontSmall
        }
        Button {
            id: retryButton
            visible: banner.canRetry
            flat: true
            text: qsTr("Retry")
            Accessible.name: qsTr("Retry")
            anchors.verticalCenter: parent.verticalCenter
            onClicked: { banner.dismissedText = banner.text; banner.retry() }
        }
        ToolButton {
            id: closeButton
            text: "\u2715"
            Accessible.name: qsTr("Dismiss the error")
            anchors.verticalCenter: parent.verticalCenter
            onClicked: banner.dismissedText = banner.text
        }
    }
}
