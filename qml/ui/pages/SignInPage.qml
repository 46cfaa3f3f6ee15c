import QtQuick 2.15
import TAVIROLib 1.0
import "Json.js" as Json

Item {
    id: page
    signal signedIn()

    property bool busy: false
    property string error: ""

    UserManager { id: account }

    function submit() {
        if (busy || username.text.length === 0 || password.text.length === 0)
            return
        busy = true
        error = ""
        taviroServiceController.loginUser(username.text, password.text, handler)
    }

    TaviroServiceHandler {
        id: handler
        function onTaviroServiceDataReceived(success, data) {
            page.busy = false
            var answer = Json.parse(data)
            if (!answer || !answer.success) {
                page.error = answer && answer.reason ? answer.reason : qsTr("Unexpected answer from the service")
                return
            }
            account.setLoggedUserInformation(answer.user_id, answer.username, answer.oauth_token,
                                             answer.oauth_token_secret)
            page.signedIn()
        }
        function onTaviroServiceError(statusCode, message) {
            page.busy = false
            page.error = statusCode === 0 ? qsTr("Cannot reach the service: %1").arg(message)
                                          : (message.length ? message : qsTr("Sign-in failed (%1)").arg(statusCode))
        }
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 80
        spacing: 16

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "TAVIRO"
            color: "white"
            font.pixelSize: 48
            font.bold: true
            font.letterSpacing: 6
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Sign in to see your friends' photos")
            color: "#c8cbe0"
            font.pixelSize: 18
        }
        Field { id: username; placeholder: qsTr("User name"); next: password }
        Field { id: password; placeholder: qsTr("Password"); secret: true; onAccepted: page.submit() }
        Button {
            width: parent.width
            text: page.busy ? qsTr("Signing in…") : qsTr("Sign in")
            enabled: !page.busy
            onClicked: page.submit()
        }
        Text {
            width: parent.width
            text: page.error
            visible: text.length > 0
            color: "#ff8a80"
            font.pixelSize: 16
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
    }
}
