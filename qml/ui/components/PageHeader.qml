import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15

// The bar on top of a page: back arrow when there is somewhere to go back
// to, the title, and room for the page's own buttons on the right.
ToolBar {
    id: header
    property string title
    property bool canGoBack: true
    default property alias actions: actionRow.data

    width: parent ? parent.width : implicitWidth
    height: Theme.headerHeight
    Material.background: Theme.surface
    Material.foreground: Theme.text

    Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Theme.divider }

    ToolButton {
        id: backButton
        visible: header.canGoBack
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        text: "\u2190"
        font.pixelSize: Theme.fontTitle
        Accessible.name: qsTr("Back")
        onClicked: Navigator.back()
    }
    Label {
        anchors.left: backButton.visible ? backButton.right : parent.left
        anchors.leftMargin: backButton.visible ? 0 : Theme.spacingLarge
        anchors.right: actionRow.left
        anchors.verticalCenter: parent.verticalCenter
        text: header.title
        elide: Text.ElideRight
        font.pixelSize: Theme.fontTitle
        font.bold: true
        color: Theme.text
    }
    Row {
        id: actionRow
        anchors.right: parent.right
        anchors.rightMargin: Theme.spacingTiny
        anchors.verticalCenter: parent.verticalCenter
    }
}
