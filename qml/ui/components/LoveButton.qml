import QtQuick 2.15
import QtQuick.Controls 2.15

// Heart with the number of loves; tapping loves or unloves the photo.
ToolButton {
    id: love
    property int photoId
    property int loveCount
    property bool doneLove
    property int commentCount
    property bool doneComment

    text: (doneLove ? "\u2665 " : "\u2661 ") + loveCount
    font.pixelSize: Theme.fontLarge
    palette.buttonText: doneLove ? Theme.love : Theme.text
    contentItem: Label {
        text: love.text
        font: love.font
        color: love.doneLove ? Theme.love : Theme.text
        verticalAlignment: Text.AlignVCenter
    }
    Accessible.name: doneLove ? qsTr("Unlove, %1 loves").arg(loveCount) : qsTr("Love, %1 loves").arg(loveCount)
    onClicked: Photos.toggleLove(photoId, loveCount, doneLove, commentCount, doneComment)
}
