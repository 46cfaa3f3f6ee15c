import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// Sign in with a user name and password; the way to register and to the
// password reminder.
FormPage {
    id: page
    objectName: "signInPage"
    canGoBack: false
    title: qsTr("Sign in")

    UserManager { id: account }

    function submit() {
        if (call.busy)
            return
        if (username.text.trim().length === 0 || password.text.length === 0) {
            call.error = qsTr("Enter your user name and your password.")
            return
        }
        call.begin()
        taviroServiceController.loginUser(username.text.trim(), password.text, call)
    }

    ServiceCall {
        id: call
        onAnswered: {
            if (!answer.oauth_token) {
                fail(qsTr("The service did not send a sign-in key. Try again."), 0)
                return
            }
            account.setLoggedUserInformation(answer.user_id, answer.username, answer.oauth_token,
                                             answer.oauth_token_secret)
            // The store writes the file only; read it back before changing more.
            account.loadLoggedInAccount()
            account.setProtected(answer.protected === true)
            password.text = ""
            Navigator.signedIn()
        }
    }

    Label {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        text: "TAVIRO"
        font.pixelSize: Theme.fontHuge
        font.bold: true
        font.letterSpacing: Theme.dp(6)
        color: Theme.accent
    }
    Label {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: qsTr("Sign in to see your friends' photos")
        color: Theme.textSecondary
        font.pixelSize: Theme.fontBody
    }
    TextField {
        id: username
        objectName: "username"
        width: parent.width
        placeholderText: qsTr("User name")
        inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
        Accessible.name: qsTr("User name")
        onAccepted: password.forceActiveFocus()
    }
    TextField {
        id: password
        objectName: "password"
        width: parent.width
        placeholderText: qsTr("Password")
        echoMode: TextInput.Password
        Accessible.name: qsTr("Password")
        onAccepted: page.submit()
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
        objectName: "signIn"
        text: call.busy ? qsTr("Signing in…") : qsTr("Sign in")
        enabled: !call.busy
        highlighted: true
        Accessible.name: qsTr("Sign in")
        onClicked: page.submit()
    }
    Button {
        width: parent.width
        flat: true
        text: qsTr("Forgot your password?")
        Accessible.name: text
        onClicked: Navigator.push("ForgotPasswordPage.qml")
    }
    Button {
        width: parent.width
        text: qsTr("Create an account")
        Accessible.name: text
        onClicked: Navigator.push("RegisterPage.qml")
    }
}
