import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// The terms of use a new member accepts.
FormPage {
    title: qsTr("Terms of use")

    Repeater {
        model: [
            qsTr("You keep the rights to the photos you post. By posting you let TAVIRO show them to the people your privacy settings allow."),
            qsTr("Post only photos you took or may share, and nothing that is illegal, hateful or harms others."),
            qsTr("Be kind in comments. Photos and comments that break these terms may be removed, and accounts that keep doing so closed."),
            qsTr("You can make your account private, block people and delete your photos at any time."),
            qsTr("TAVIRO stores what you post and the people you follow to run the service; it does not sell them.")
        ]
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: modelData
            font.pixelSize: Theme.fontBody
            color: Theme.text
        }
    }
}
