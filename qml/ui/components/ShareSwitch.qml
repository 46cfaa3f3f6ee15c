import QtQuick 2.15
import QtQuick.Controls 2.15

// Re-sharing to one external network: a switch when the account has linked
// it, otherwise a way to link it.
ItemDelegate {
    id: row
    property string network
    property bool linked: false
    property bool shared: false
    signal switched(bool on)
    signal linkRequested()

    height: Theme.touchTarget + Theme.spacingSmall
    text: network
    Accessible.name: linked ? qsTr("Share to %1").arg(network) : qsTr("Link %1").arg(network)
    onClicked: linked ? switched(!shared) : linkRequested()

    contentItem: Label {
        text: row.network
        leftPadding: Theme.spacingSmall
        verticalAlignment: Text.AlignVCenter
        font.pixelSize: Theme.fontBody
        color: row.linked ? Theme.text : Theme.textSecondary
    }

    Switch {
        id: toggle
        objectName: "shareToggle"
        visible: row.linked
        anchors.right: parent.right
        anchors.rightMargin: Theme.spacing
        anchors.verticalCenter: parent.verticalCenter
        checked: row.shared
        Accessible.name: qsTr("Share to %1").arg(row.network)
        onToggled: {
            row.switched(checked)
            checked = Qt.binding(function() { return row.shared })
        }
    }
    Button {
        objectName: "linkButton"
        visible: !row.linked
        anchors.right: parent.right
        anchors.rightMargin: Theme.spacing
        anchors.verticalCenter: parent.verticalCenter
        flat: true
        text: qsTr("Link")
        font.pixelSize: Theme.fontSmall
        Accessible.name: qsTr("Link %1").arg(row.network)
        onClicked: row.linkRequested()
    }
}
