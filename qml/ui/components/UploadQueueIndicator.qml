import QtQuick 2.15
import QtQuick.Controls 2.15

// A small badge in the frame while photos wait to be posted; a tap opens the
// queue.
ToolButton {
    id: indicator
    property var queue: uploaderQueueModel
    property int count: queue ? queue.getQueueCount() : 0

    visible: count > 0
    text: "\u2191 " + count
    font.pixelSize: Theme.fontSmall
    font.bold: true
    Accessible.name: qsTr("%n photo(s) waiting to be posted", "", count)
    onClicked: Navigator.push("UploadQueuePage.qml", {})

    Connections {
        target: globalServices
        function onUploadingQueueChanged() { indicator.count = indicator.queue ? indicator.queue.getQueueCount() : 0 }
    }

    background: Rectangle {
        implicitWidth: Theme.dp(48)
        implicitHeight: Theme.dp(32)
        radius: height / 2
        color: Theme.accent
    }
    contentItem: Label {
        text: indicator.text
        font: indicator.font
        color: Theme.textOnAccent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
