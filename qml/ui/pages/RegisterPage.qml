import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// A new account: user name, password, e-mail and the terms of use. The
// service signs the new member in at once.
FormPage {
    id: page
    title: qsTr("Create an account")

    UserManager { id: account }

    // The service's own rules, checked first so the person hears them early.
    function problem() {
        if (!/^[A-Za-z0-9_]{3,20}$/.test(username.text))
            return qsTr("A user name has 3 to 20 letters, digits or underscores.")
        if (password.text.length < 6)
            return qsTr("A password has at least 6 characters.")
        if (password.text !== repeat.text)
            return qsTr("The two passwords differ.")
        if (!/^[^@\s]+@[^@\s]+$/.test(email.text.trim()))
            return qsTr("Enter a valid e-mail address.")
        if (!terms.checked)
            return qsTr("Please accept the terms of use to create an account.")
        return ""
    }

    function submit() {
        if (call.busy)
            return
        var text = problem()
        if (text.length) {
            call.error = text
            return
        }
        call.begin()
        taviroServiceController.registerUser(username.text, password.text, email.text.trim(), call)
    }

    ServiceCall {
        id: call
        onAnswered: {
            account.setLoggedUserInformation(answer.user_id, answer.username, answer.oauth_token,
                                             answer.oauth_token_secret)
            // The store writes the file only; read it back before changing more.
            account.loadLoggedInAccount()
            account.setProfileDetails("", email.text.trim())
            Navigator.signedIn()
        }
    }

    TextField {
        id: username
        width: parent.width
        placeholderText: qsTr("User name")
        inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
        Accessible.name: qsTr("User name")
        onAccepted: password.forceActiveFocus()
    }
    TextField {
        id: password
        width: parent.width
        placeholderText: qsTr("Password (6 characters or more)")
        echoMode: TextInput.Password
        Accessible.name: qsTr("Password")
        onAccepted: repeat.forceActiveFocus()
    }
    TextField {
        id: repeat
        width: parent.width
        placeholderText: qsTr("Password again")
        echoMode: TextInput.Password
        Accessible.name: qsTr("Password again")
        onAccepted: email.forceActiveFocus()
    }
    TextField {
        id: email
        width: parent.width
        placeholderText: qsTr("E-mail address")
        inputMethodHints: Qt.ImhEmailCharactersOnly
        Accessible.name: qsTr("E-mail address")
        onAccepted: page.submit()
    }
    CheckBox {
        id: terms
        width: parent.width
        text: qsTr("I accept the terms of use")
        Accessible.name: text
    }
    Button {
        flat: true
        text: qsTr("Read the terms of use")
        Accessible.name: text
        onClicked: Navigator.push("TermsPage.qml")
    }
    Label {
        width: parent.width
        text: call.error
        visible: text.length > 0
        color: Theme.error
        wrapMode: Text.WordWrap
        font.pixelSize: Theme.fontSmall
        Accessible.role: Accessible.AlertMessage
        Accessible.name: text
    }
    Button {
        width: parent.width
        text: call.busy ? qsTr("Creating your account…") : qsTr("Create the account")
        enabled: !call.busy
        highlighted: true
        Accessible.name: qsTr("Create the account")
        onClicked: page.submit()
    }
}
