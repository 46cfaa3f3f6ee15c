import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// Asks the service to send a password reminder to an e-mail address.
FormPage {
    id: page
    title: qsTr("Password reminder")
    property string sentMessage: ""

    function submit() {
        if (call.busy)
            return
        if (email.text.indexOf("@") < 1) {
            call.error = qsTr("Enter the e-mail address of your account.")
            return
        }
        sentMessage = ""
        call.begin()
        taviroServiceController.forgotPassword(email.text.trim(), call)
    }

    ServiceCall {
        id: call
        onAnswered: page.sentMessage = answer.message || qsTr("If an account uses that address, a reminder is on its way.")
    }

    Label {
        width: parent.width
        wrapMode: Text.WordWrap
        text: qsTr("Enter the e-mail address you registered with and we will send you a reminder.")
        font.pixelSize: Theme.fontBody
        color: Theme.text
    }
    TextField {
        id: email
        width: parent.width
        placeholderText: qsTr("E-mail address")
        inputMethodHints: Qt.ImhEmailCharactersOnly
        Accessible.name: qsTr("E-mail address")
        onAccepted: page.submit()
    }
    Label {
        width: parent.width
        text: call.error.length ? call.error : page.sentMessage
        visible: text.length > 0
        color: call.error.length ? Theme.error : Theme.success
        wrapMode: Text.WordWrap
        font.pixelSize: Theme.fontSmall
        Accessible.name: text
    }
    Button {
        width: parent.width
        text: call.busy ? qsTr("Sending…") : qsTr("Send the reminder")
        enabled: !call.busy
        highlighted: true
        Accessible.name: qsTr("Send the reminder")
        onClicked: page.submit()
    }
}
