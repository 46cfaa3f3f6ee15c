import QtQuick 2.15
import QtQuick.Controls 2.15

// A spinner with a line saying what is being waited for.
Column {
    id: busy
    property string text: qsTr("Loading…")
    property bool running: true

    visible: running
    spacing: Theme.spacingSmall
    width: parent ? parent.width : implicitWidth

    BusyIndicator {
        anchors.horizontalCenter: parent.horizontalCenter
        running: busy.running
        width: Theme.dp(44)
        height: width
        Accessible.name: busy.text
    }
    Label {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: busy.text
        color: Theme.textSecondary
        font.pixelSize: Theme.fontSmall
    }
}
