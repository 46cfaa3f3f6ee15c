import QtQuick 2.15
import QtQuick.Controls 2.15

// A short confirmation at the bottom of the screen.
Rectangle {
    id: toast
    function show(message) {
        label.text = message
        opacity = 1
        hideTimer.restart()
    }

    anchors.horizontalCenter: parent.horizontalCenter
    anchors.bottom: parent.bottom
    anchors.bottomMargin: Theme.spacingLarge
    width: Math.min(parent.width - Theme.spacingLarge * 2, label.implicitWidth + Theme.spacingLarge * 2)
    height: label.implicitHeight + Theme.spacing * 2
    radius: Theme.radius
    color: "#323232"
    opacity: 0
    visible: opacity > 0
    z: 10
    Accessible.role: Accessible.AlertMessage
    Accessible.name: label.text
    Behavior on opacity { NumberAnimation { duration: 150 } }

    Label {
        id: label
        anchors.centerIn: parent
        width: parent.width - Theme.spacingLarge * 2
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: "white"
        font.pixelSize: Theme.fontSmall
    }
    Timer { id: hideTimer; interval: 2500; onTriggered: toast.opacity = 0 }
}
