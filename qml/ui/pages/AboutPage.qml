import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// Version, and the licences of the demo photos and of the libraries.
FormPage {
    title: qsTr("About TAVIRO")

    Label {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        text: "TAVIRO"
        font.pixelSize: Theme.fontHuge
        font.bold: true
        color: Theme.accent
    }
    Label {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        text: qsTr("Version %1").arg(Qt.application.version.length ? Qt.application.version : "2.5.1")
        color: Theme.textSecondary
    }
    Label {
        width: parent.width
        wrapMode: Text.WordWrap
        text: qsTr("Take or pick a photo, make it yours with a filter and share it with the people who follow you.")
        font.pixelSize: Theme.fontBody
    }

    Label { text: qsTr("Demo photos"); font.bold: true; font.pixelSize: Theme.fontLarge }
    Repeater {
        model: [
            qsTr("Chelsea the cat, coffee cup: Stefan van der Walt, Rachel Michetti; CC0."),
            qsTr("Astronaut portrait, Hubble deep field: NASA; public domain."),
            qsTr("Rocket launch: SpaceX; public domain."),
            qsTr("Egret, snake: Jon Sullivan; public domain."),
            qsTr("Daisy, Marylou, Ohoopee: Jack Moore (Colorbox); MIT licence."),
            qsTr("Friends, sunset, Picos de Europa: Aitzol Berasategi; CC BY 4.0."),
            qsTr("Umang: Abhishek Mudgal; CC BY 4.0."),
            qsTr("Seeding: Clemens Engelhardt; CC0 1.0."),
            qsTr("A photo missing on the device is replaced by a drawn picture.")
        ]
        Label { width: parent.width; wrapMode: Text.WordWrap; text: modelData; font.pixelSize: Theme.fontSmall }
    }

    Label { text: qsTr("Libraries"); font.bold: true; font.pixelSize: Theme.fontLarge }
    Repeater {
        model: [
            qsTr("Qt 5.15: LGPL 3."),
            qsTr("zlib: zlib licence."),
            qsTr("OpenSSL: Apache licence 2.0."),
            qsTr("DejaVu fonts: free licence of the Bitstream Vera fonts.")
        ]
        Label { width: parent.width; wrapMode: Text.WordWrap; text: modelData; font.pixelSize: Theme.fontSmall }
    }
}
