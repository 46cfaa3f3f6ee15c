import QtQuick 2.15
import QtQuick.Controls 2.15

// The badges a member has earned, in a row that scrolls sideways.
ListView {
    id: strip
    orientation: ListView.Horizontal
    height: count > 0 ? Theme.dp(112) : 0
    visible: count > 0
    spacing: Theme.spacing
    leftMargin: Theme.spacing
    rightMargin: Theme.spacing
    clip: true

    delegate: Column {
        width: Theme.dp(72)
        spacing: Theme.spacingTiny
        RemoteImage {
            anchors.horizontalCenter: parent.horizontalCenter
            width: Theme.dp(56)
            height: width
            kind: "badge"
            fillMode: Image.PreserveAspectFit
            source: _badgeSource
            Accessible.name: qsTr("Badge %1: %2").arg(_badgeName).arg(_description)
        }
        Label {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: _badgeName
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
            font.pixelSize: Theme.fontTiny
            color: Theme.textSecondary
        }
    }
}
