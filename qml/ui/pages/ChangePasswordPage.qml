import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// A new password, after the current one.
FormPage {
    id: page
    title: qsTr("Change password")
    property string done: ""

    function save() {
        if (call.busy)
            return
        done = ""
        if (current.text.length === 0) {
            call.error = qsTr("Enter your current password.")
            return
        }
        if (fresh.text.length < 6) {
            call.error = qsTr("A password has at least 6 characters.")
            return
        }
        if (fresh.text !== repeat.text) {
            call.error = qsTr("The two new passwords differ.")
            return
        }
        call.begin()
        taviroServiceController.changePassword(current.text, fresh.text, call)
    }

    ServiceCall {
        id: call
        onAnswered: {
            current.text = ""
            fresh.text = ""
            repeat.text = ""
            page.done = qsTr("Your password is changed.")
        }
    }

    TextField {
        id: current
        width: parent.width
        echoMode: TextInput.Password
        placeholderText: qsTr("Current password")
        Accessible.name: qsTr("Current password")
    }
    TextField {
        id: fresh
        width: parent.width
        echoMode: TextInput.Password
        placeholderText: qsTr("New password")
        Accessible.name: qsTr("New password")
    }
    TextField {
        id: repeat
        width: parent.width
        echoMode: TextInput.Password
        placeholderText: qsTr("New password again")
        Accessible.name: qsTr("New password again")
        onAccepted: page.save()
    }
    Label {
        width: parent.width
        text: call.error.length ? call.error : page.done
        visible: text.length > 0
        color: call.error.length ? Theme.error : Theme.success
        wrapMode: Text.WordWrap
        Accessible.name: text
    }
    Button {
        width: parent.width
        text: call.busy ? qsTr("Saving…") : qsTr("Change password")
        enabled: !call.busy
        highlighted: true
        Accessible.name: qsTr("Change password")
        onClicked: page.save()
    }
}
