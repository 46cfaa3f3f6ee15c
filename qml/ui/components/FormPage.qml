import QtQuick 2.15
import QtQuick.Controls 2.15

// A scrolling column of fields under a header, for the account and
// settings forms; the content stays readable on a wide screen.
Page {
    id: form
    property bool canGoBack: true
    default property alias content: column.data
    property alias column: column

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: form.title; canGoBack: form.canGoBack }

    Flickable {
        anchors.fill: parent
        contentHeight: column.height + Theme.spacingLarge * 2
        clip: true
        ScrollIndicator.vertical: ScrollIndicator { }

        Column {
            id: column
            y: Theme.spacingLarge
            x: (parent.width - width) / 2
            width: Math.min(parent.width - Theme.spacingLarge * 2, Theme.dp(560))
            spacing: Theme.spacing
        }
    }
}
