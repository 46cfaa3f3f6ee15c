import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0

// The service's UTC time stamp in local time.
Label {
    property string timestamp
    DateTimeModel { id: dateTime }
    text: timestamp.length ? dateTime.setDateTime(timestamp, qsTr("d MMM yyyy, hh:mm")) : ""
    color: Theme.textSecondary
    font.pixelSize: Theme.fontSmall
}
