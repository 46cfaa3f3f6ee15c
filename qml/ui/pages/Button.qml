import QtQuick 2.15

Rectangle {
    id: button
    property alias text: label.text
    signal clicked()

    height: 52
    radius: 8
    color: !enabled ? "#5a3a44" : area.pressed ? "#d95f3b" : "#ff774d"

    Text {
        id: label
        anchors.centerIn: parent
        color: "white"
        font.pixelSize: 20
        font.bold: true
    }
    MouseArea { id: area; anchors.fill: parent; onClicked: button.clicked() }
}
