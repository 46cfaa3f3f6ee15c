import QtQuick 2.15
import QtTest 1.15
import TAVIROLib 1.0
import "../../qml/ui/components"
import "Find.js" as Find

// One photo: its addresses, its comments, and the owner's changes, which
// must reach every screen through the hub.
TestCase {
    id: test
    name: "Photo"
    when: windowShown
    width: 480
    height: 854

    UserManager { id: account }
    SignalSpy { id: counters; target: globalServices; signalName: "setLovedCommentedData" }
    SignalSpy { id: salts; target: globalServices; signalName: "accessLevelSaltChanged" }
    SignalSpy { id: deletions; target: globalServices; signalName: "pictureDeleted" }
    SignalSpy { id: back; target: Navigator; signalName: "backRequested" }

    readonly property Component commentsPage: Qt.createComponent("../../qml/ui/pages/CommentsPage.qml")
    readonly property Component photoPage: Qt.createComponent("../../qml/ui/pages/PhotoPage.qml")

    readonly property var record: ({ picture_id: 12, picture_code: "Rw9", user_id: 5, username: "demo",
                                     name: "Morning", love_count: 4, done_love: false, comment_count: 2,
                                     done_comment: false, access_level: "0", salt: "aa" })

    function init() {
        taviroServiceController.reset()
        account.setLoggedUserInformation(5, "demo", "tok", "sec")
        counters.clear()
        salts.clear()
        deletions.clear()
        back.clear()
    }

    function cleanup() {
        compare(taviroServiceController.unexpected, [])
    }

    function test_address_data() {
        var base = "http://h/photos/Rw9/"
        return [
            { tag: "public", photo: { image_url_medium: base + "medium", access_level: "0", salt: "aa" },
              size: "medium", address: base + "medium" },
            { tag: "falls back to a smaller size", photo: { image_url_small: base + "small" }, size: "large",
              address: base + "small" },
            { tag: "private account keeps its salt", photo: { image_url_large: base + "large?salt=aa",
                                                              access_level: "0", salt: "aa" },
              size: "large", address: base + "large?salt=aa" },
            { tag: "new salt after a privacy change", photo: { image_url_large: base + "large?salt=aa",
                                                               access_level: "1", salt: "bb" },
              size: "large", address: base + "large?salt=bb" },
            { tag: "made private: salt added", photo: { image_url_large: base + "large", access_level: "2",
                                                        salt: "cc" },
              size: "large", address: base + "large?salt=cc" },
            { tag: "nothing to show", photo: {}, size: "large", address: "" }
        ]
    }

    function test_address(data) {
        compare(Photos.address(data.photo, data.size), data.address)
    }

    function comments(ids, count) {
        var rows = []
        for (var i = 0; i < ids.length; ++i)
            rows.push({ comment_id: ids[i], user_id: ids[i] === 40 ? 5 : 3, comment_user_id: 3,
                        username: ids[i] === 40 ? "demo" : "anna_k", text: "note " + ids[i],
                        create_time: "2026-12-9 14:05:00" })
        return { success: true, data: rows, has_more: false,
                 stats: { love_count: 4, comment_count: count, done_love: true } }
    }

    function test_postAReply() {
        taviroServiceController.expect("getCommentList", comments([41, 40], 2))
        var page = createTemporaryObject(commentsPage, test, { photo: record })
        compare(taviroServiceController.lastCall("getCommentList"), [12, 1, 20, 0, 0])
        tryCompare(counters, "count", 1)
        compare(Array.prototype.slice.call(counters.signalArguments[0]), [12, 4, 1, 2, 0])

        page.reply(41, "anna_k")
        var composer = Find.byPlaceholder(page, "Add a comment…")[0]
        composer.text = composer.text + "thank you"
        taviroServiceController.expect("postComment", { success: true, comment_id: 42, picture_id: 12 })
        taviroServiceController.expect("getCommentList", comments([42, 41, 40], 3))
        page.send()
        compare(taviroServiceController.lastCall("postComment"), ["@anna_k thank you", 12, 41])
        tryCompare(counters, "count", 2)
        compare(Array.prototype.slice.call(counters.signalArguments[1]), [12, 4, 1, 3, 1])
        compare(composer.text, "")
        compare(page.replyToId, 0)
    }

    function test_blankCommentIsNotSent() {
        taviroServiceController.expect("getCommentList", comments([], 0))
        var page = createTemporaryObject(commentsPage, test, { photo: record })
        tryCompare(taviroServiceController, "pending", [])
        Find.byPlaceholder(page, "Add a comment…")[0].text = "   "
        page.send()
        compare(taviroServiceController.callCount("postComment"), 0)
    }

    function test_privacyChangeTravels() {
        var page = createTemporaryObject(photoPage, test, { photo: record })
        verify(page.mine)
        var dialog = Find.all(page, function(item) { return item.title === "Who can see this photo" })[0]
        dialog.open()
        dialog.chosen = "1"
        taviroServiceController.expect("changePhotoAccessLevel", { success: true, picture_id: 12, access_level: "1",
                                                                    salt: "bb" })
        dialog.call.begin()
        dialog.confirmed()
        compare(taviroServiceController.lastCall("changePhotoAccessLevel"), [12, 1])
        tryCompare(salts, "count", 1)
        compare(Array.prototype.slice.call(salts.signalArguments[0]), [12, "1", "bb"])
        compare(page.accessLevel, "1")
        compare(page.salt, "bb")
    }

    function test_deleteLeavesThePage() {
        var page = createTemporaryObject(photoPage, test, { photo: record })
        var dialog = Find.all(page, function(item) { return item.title === "Delete this photo?" })[0]
        taviroServiceController.expect("deletePicture", { success: true })
        dialog.call.begin()
        dialog.confirmed()
        compare(taviroServiceController.lastCall("deletePicture"), [12])
        tryCompare(deletions, "count", 1)
        compare(back.count, 1)
    }

    function test_refusedDeleteStaysAndSays() {
        var page = createTemporaryObject(photoPage, test, { photo: record })
        var dialog = Find.all(page, function(item) { return item.title === "Delete this photo?" })[0]
        taviroServiceController.expect("deletePicture", { success: false, error_code: 6, reason: "Not your photo" })
        dialog.call.begin()
        dialog.confirmed()
        tryCompare(dialog.call, "error", "Not your photo")
        compare(deletions.count, 0)
        compare(back.count, 0)
    }
}
