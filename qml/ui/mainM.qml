import QtQuick 2.15
import TAVIROLib 1.0

Rectangle {
    id: root
    width: 480
    height: 854
    color: "#10141f"

    DateTimeModel { id: dateTime }
    UserManager { id: account }

    Column {
        anchors.centerIn: parent
        spacing: 18

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
            text: account.isLoggedIn() ? qsTr("Signed in as %1").arg(account.getUsername())
                                       : qsTr("Not signed in")
            color: "#c8cbe0"
            font.pixelSize: 20
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: isThai ? qsTr("Thai network") : ""
            color: "#c8cbe0"
            font.pixelSize: 16
        }
    }
}
