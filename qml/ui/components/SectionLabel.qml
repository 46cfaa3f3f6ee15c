import QtQuick 2.15
import QtQuick.Controls 2.15

// The small heading above a group of settings.
Label {
    x: Theme.spacing
    width: parent ? parent.width - Theme.spacing * 2 : implicitWidth
    topPadding: Theme.spacing
    font.pixelSize: Theme.fontSmall
    font.bold: true
    color: Theme.textSecondary
}
