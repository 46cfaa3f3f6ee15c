import QtQuick 2.15
import QtQuick.Controls 2.15

// A modal question whose OK button sends one service request: it stays
// open, busy, until the answer comes, and shows a refusal in words.
Dialog {
    id: dialog
    property alias call: call
    property string okText: qsTr("OK")
    property bool okEnabled: true
    default property alias content: column.data
    signal confirmed()
    signal succeeded(var answer)

    modal: true
    anchors.centerIn: Overlay.overlay
    width: Math.min(parent ? parent.width - Theme.spacingLarge * 2 : Theme.dp(400), Theme.dp(460))
    closePolicy: call.busy ? Popup.NoAutoClose : Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onOpened: call.error = ""

    ServiceCall {
        id: call
        onAnswered: { dialog.succeeded(answer); dialog.close() }
    }

    contentItem: Column {
        id: column
        spacing: Theme.spacing
    }

    footer: Column {
        width: dialog.width
        Label {
            x: Theme.spacingLarge
            width: parent.width - Theme.spacingLarge * 2
            text: call.error
            visible: text.length > 0
            wrapMode: Text.WordWrap
            color: Theme.error
            font.pixelSize: Theme.fontSmall
        }
        DialogButtonBox {
            width: parent.width
            Button {
                text: qsTr("Cancel")
                flat: true
                enabled: !call.busy
                Accessible.name: qsTr("Cancel")
                DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
            }
            Button {
                text: call.busy ? qsTr("Please wait…") : dialog.okText
                flat: true
                enabled: !call.busy && dialog.okEnabled
                Accessible.name: dialog.okText
                onClicked: { call.begin(); dialog.confirmed() }
            }
            onRejected: dialog.close()
        }
    }
}
