import QtQuick 2.15
import QtQuick.Controls 2.15

// The colours the colour-picker filter keeps: one switch per hue range, in
// the order of the filter's parameter list.
Flow {
    id: picker
    signal picked()

    property var ranges: [
        { colour: "#b03ad0", name: qsTr("Purple"), on: false },
        { colour: "#2ec4c4", name: qsTr("Cyan"), on: false },
        { colour: "#2f6de0", name: qsTr("Blue"), on: false },
        { colour: "#3cb043", name: qsTr("Green"), on: false },
        { colour: "#e8d020", name: qsTr("Yellow"), on: false },
        { colour: "#f08a24", name: qsTr("Orange"), on: false },
        { colour: "#e02424", name: qsTr("Red"), on: true },
        { colour: "#202020", name: qsTr("Dark"), on: false }
    ]

    function selection() {
        return ranges.map(function(range) { return range.on })
    }

    x: Theme.spacing
    width: parent ? parent.width - Theme.spacing * 2 : implicitWidth
    spacing: Theme.spacingSmall

    Repeater {
        model: picker.ranges.length
        delegate: AbstractButton {
            readonly property var range: picker.ranges[index]
            width: Theme.dp(34)
            height: width
            checkable: true
            checked: range.on
            Accessible.name: qsTr("Keep %1").arg(range.name)
            onToggled: {
                const next = picker.ranges.slice()
                next[index] = { colour: range.colour, name: range.name, on: checked }
                picker.ranges = next
                picker.picked()
            }
            background: Rectangle {
                radius: width / 2
                color: range.colour
                border.width: parent.checked ? Theme.dp(3) : 1
                border.color: parent.checked ? Theme.accent : Theme.divider
            }
        }
    }
}
