import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// Bio, e-mail address and whether the account is private.
FormPage {
    id: page
    objectName: "profileDetailsPage"
    title: qsTr("Profile details")

    UserManager { id: account }
    Toast { id: toast; parent: page }

    Component.onCompleted: {
        bio.text = account.getBio()
        email.text = account.getEmail()
        privateSwitch.checked = account.getProtected()
    }

    function save() {
        if (call.busy)
            return
        if (email.text.trim().length && !/^[^@\s]+@[^@\s]+$/.test(email.text.trim())) {
            call.error = qsTr("Enter a valid e-mail address.")
            return
        }
        call.begin()
        taviroServiceController.updateBasicProfile(email.text.trim(), bio.text, privateSwitch.checked,
                                                   privateSwitch.checked !== account.getProtected(), call)
    }

    ServiceCall {
        id: call
        onAnswered: {
            var wasProtected = account.getProtected()
            account.setProfileDetails(bio.text, email.text.trim())
            account.setProtected(privateSwitch.checked)
            globalServices.emitBioChanged(account.getUserId(), bio.text)
            if (wasProtected !== privateSwitch.checked)
                globalServices.emitUserProtectedChanged(account.getUserId(), privateSwitch.checked)
            toast.show(qsTr("Profile saved"))
        }
    }

    Label { text: qsTr("Bio"); font.pixelSize: Theme.fontSmall; color: Theme.textSecondary }
    TextArea {
        id: bio
        width: parent.width
        wrapMode: TextEdit.Wrap
        placeholderText: qsTr("A few words about you")
        Accessible.name: qsTr("Bio")
    }
    Label { text: qsTr("E-mail address"); font.pixelSize: Theme.fontSmall; color: Theme.textSecondary }
    TextField {
        id: email
        width: parent.width
        inputMethodHints: Qt.ImhEmailCharactersOnly
        Accessible.name: qsTr("E-mail address")
    }
    Switch {
        id: privateSwitch
        width: parent.width
        text: qsTr("Private account")
        Accessible.name: text
    }
    Label {
        width: parent.width
        wrapMode: Text.WordWrap
        text: qsTr("Only people you accept see the photos of a private account.")
        font.pixelSize: Theme.fontSmall
        color: Theme.textSecondary
    }
    Label {
        width: parent.width
        text: call.error
        visible: text.length > 0
        color: Theme.error
        wrapMode: Text.WordWrap
        Accessible.name: text
    }
    Button {
        width: parent.width
        text: call.busy ? qsTr("Saving…") : qsTr("Save")
        enabled: !call.busy
        highlighted: true
        Accessible.name: qsTr("Save the profile details")
        onClicked: page.save()
    }
}
