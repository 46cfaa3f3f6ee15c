import QtQuick 2.15
import QtQuick.Controls 2.15

// What an empty screen says, and what the person can do about it.
Column {
    id: empty
    property string title
    property string text
    property string actionText
    signal actionTriggered()

    spacing: Theme.spacing
    width: parent ? parent.width : implicitWidth
    padding: Theme.spacingLarge

    Label {
        width: parent.width - parent.padding * 2
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: empty.title
        visible: text.length > 0
        color: Theme.text
        font.pixelSize: Theme.fontLarge
        font.bold: true
    }
    Label {
        width: parent.width - parent.padding * 2
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: empty.text
        visible: text.length > 0
        color: Theme.textSecondary
        font.pixelSize: Theme.fontBody
    }
    Button {
        anchors.horizontalCenter: parent.horizontalCenter
        visible: empty.actionText.length > 0
        text: empty.actionText
        highlighted: true
        Accessible.name: text
        onClicked: empty.actionTriggered()
    }
}
