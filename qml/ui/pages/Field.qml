import QtQuick 2.15

Rectangle {
    id: field
    property alias text: input.text
    property string placeholder
    property bool secret: false
    property Item next: null
    signal accepted()

    function takeFocus() { input.forceActiveFocus() }

    width: parent.width
    height: 52
    radius: 8
    color: "#1d2335"
    border.color: input.activeFocus ? "#ff774d" : "#2f3752"

    TextInput {
        id: input
        anchors.fill: parent
        anchors.margins: 14
        color: "white"
        font.pixelSize: 20
        echoMode: field.secret ? TextInput.Password : TextInput.Normal
        verticalAlignment: TextInput.AlignVCenter
        onAccepted: field.next ? field.next.takeFocus() : field.accepted()
        Keys.onTabPressed: if (field.next) field.next.takeFocus()
        Text {
            anchors.fill: parent
            verticalAlignment: Text.AlignVCenter
            text: field.placeholder
            color: "#6b7391"
            font.pixelSize: 20
            visible: input.text.length === 0 && !input.activeFocus
        }
    }
    MouseArea { anchors.fill: parent; onClicked: input.forceActiveFocus() }
}
