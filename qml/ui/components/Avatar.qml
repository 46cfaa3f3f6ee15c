import QtQuick 2.15
import TAVIROLib 1.0

// A person's round profile picture; their initial while it loads or when
// they have none.
Item {
    id: avatar

    property string username
    property string pictureCode
    property int size: Theme.avatarSmall
    property color ringColor: Theme.surface
    signal clicked()

    width: size
    height: size
    Accessible.role: Accessible.Button
    Accessible.name: qsTr("Profile of %1").arg(username)

    CommonCPP { id: common }

    Rectangle {
        id: disc
        anchors.fill: parent
        radius: width / 2
        color: Qt.hsla((avatar.username.length * 37 % 360) / 360, 0.45, 0.55, 1)
        Text {
            anchors.centerIn: parent
            text: avatar.username.length ? avatar.username.charAt(0).toUpperCase() : "?"
            color: "white"
            font.pixelSize: avatar.size * 0.45
            font.bold: true
        }
    }

    RemoteImage {
        id: picture
        anchors.fill: parent
        kind: "profile"
        visible: ready
        source: avatar.pictureCode.length && avatar.pictureCode !== "null"
                ? common.getPhotoAddress(avatar.pictureCode, "thumb") : ""
    }

    // Rounds the square picture without a shader (the software renderer has
    // none): a ring of the background colour covers its corners.
    Rectangle {
        anchors.centerIn: parent
        width: avatar.size * Math.SQRT2
        height: width
        radius: width / 2
        color: "transparent"
        border.color: avatar.ringColor
        border.width: (width - avatar.size) / 2
        visible: picture.visible
    }

    MouseArea { anchors.fill: parent; onClicked: avatar.clicked() }
}
