import QtQuick 2.15
import QtQuick.Controls 2.15

// A number over its label (photos, followers, ...); tappable when it leads
// somewhere.
ItemDelegate {
    id: counter
    property int value
    property string label

    implicitHeight: Theme.touchTarget + Theme.spacingSmall
    padding: Theme.spacingTiny
    Accessible.name: qsTr("%1 %2").arg(value).arg(label)

    contentItem: Column {
        Label {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: counter.value
            font.pixelSize: Theme.fontLarge
            font.bold: true
            color: Theme.text
        }
        Label {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: counter.label
            elide: Text.ElideRight
            font.pixelSize: Theme.fontSmall
            color: Theme.textSecondary
        }
    }
}
