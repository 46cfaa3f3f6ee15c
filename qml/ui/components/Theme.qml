pragma Singleton
import QtQuick 2.15

// Colours, type sizes and spacing of the whole interface. Sizes scale with
// the window width so a 360 px phone and a 1080 px one keep the same layout.
QtObject {
    id: theme

    // Set once by the frame from the window width (480 is the reference).
    property real scale: 1.0
    function dp(value) { return Math.round(value * scale) }

    readonly property color background: "#fafafa"
    readonly property color surface: "#ffffff"
    readonly property color surfaceAlt: "#f0f1f4"
    readonly property color divider: "#e2e4ea"
    readonly property color text: "#1b1d24"
    readonly property color textSecondary: "#5f6577"
    readonly property color textOnAccent: "#ffffff"
    readonly property color accent: "#e4572e"
    readonly property color accentDark: "#b8401c"
    readonly property color love: "#e0245e"
    readonly property color link: "#2a5db0"
    readonly property color error: "#b00020"
    readonly property color errorBackground: "#fde7ea"
    readonly property color success: "#2e7d32"
    readonly property color placeholder: "#dfe2e8"
    readonly property color badge: "#e0245e"

    readonly property int fontTiny: dp(12)
    readonly property int fontSmall: dp(14)
    readonly property int fontBody: dp(16)
    readonly property int fontLarge: dp(19)
    readonly property int fontTitle: dp(22)
    readonly property int fontHuge: dp(40)

    readonly property int spacingTiny: dp(4)
    readonly property int spacingSmall: dp(8)
    readonly property int spacing: dp(12)
    readonly property int spacingLarge: dp(20)

    readonly property int touchTarget: dp(48)
    readonly property int headerHeight: dp(56)
    readonly property int navBarHeight: dp(58)
    readonly property int avatarSmall: dp(36)
    readonly property int avatarLarge: dp(84)
    readonly property int radius: dp(8)
}
