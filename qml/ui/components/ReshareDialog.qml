import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0

// Shares a photo again to the external networks the person has linked.
ActionDialog {
    id: dialog
    property int photoId
    property string caption
    signal shared()

    title: qsTr("Share to other networks")
    okText: qsTr("Share")
    okEnabled: twitter.checked || facebook.checked || tumblr.checked || vk.checked || weibo.checked
    // Read when opened: linking happens elsewhere while this page lives.
    property var linked: ({})
    onOpened: {
        account.loadLoggedInAccount()
        linked = { twitter: account.isTwitterAvailable(), facebook: account.isFacebookAvailable(),
                   tumblr: account.isTumblrAvailable(), vk: account.isVkAvailable(), weibo: account.isWeiboAvailable() }
        captionField.text = caption
        for (var i = 0; i < boxes.length; ++i)
            boxes[i].checked = false
    }
    readonly property var boxes: [twitter, facebook, tumblr, vk, weibo]
    onConfirmed: taviroServiceController.reshare(photoId, captionField.text, twitter.checked, facebook.checked,
                                                 tumblr.checked, vk.checked, weibo.checked, call)
    onSucceeded: shared()

    UserManager { id: account }

    TextField {
        id: captionField
        width: parent.width
        placeholderText: qsTr("Caption")
        Accessible.name: qsTr("Caption")
    }
    Label {
        width: parent.width
        wrapMode: Text.WordWrap
        visible: !dialog.linked.twitter && !dialog.linked.facebook && !dialog.linked.tumblr && !dialog.linked.vk
                 && !dialog.linked.weibo
        text: qsTr("No network is linked yet. Link one under Settings, Linked networks.")
        color: Theme.textSecondary
    }
    CheckBox { id: twitter; text: qsTr("Twitter"); visible: dialog.linked.twitter === true; Accessible.name: text }
    CheckBox { id: facebook; text: qsTr("Facebook"); visible: dialog.linked.facebook === true; Accessible.name: text }
    CheckBox { id: tumblr; text: qsTr("Tumblr"); visible: dialog.linked.tumblr === true; Accessible.name: text }
    CheckBox { id: vk; text: qsTr("VK"); visible: dialog.linked.vk === true; Accessible.name: text }
    CheckBox { id: weibo; text: qsTr("Sina Weibo"); visible: dialog.linked.weibo === true; Accessible.name: text }
}
