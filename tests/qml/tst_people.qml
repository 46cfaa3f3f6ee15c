import QtQuick 2.15
import QtTest 1.15
import TAVIROLib 1.0
import "../../qml/ui/components"
import "Find.js" as Find

// Profiles, people lists and linking an external network.
TestCase {
    id: test
    name: "People"
    when: windowShown
    width: 480
    height: 854

    UserManager { id: account }
    SignalSpy { id: follows; target: globalServices; signalName: "setFollowStatus" }
    SignalSpy { id: twitterLinks; target: globalServices; signalName: "twitterLoggedInStatusChanged" }

    readonly property Component profilePage: Qt.createComponent("../../qml/ui/pages/ProfilePage.qml")
    readonly property Component peoplePage: Qt.createComponent("../../qml/ui/pages/PeoplePage.qml")
    readonly property Component linker: Qt.createComponent("../../qml/ui/components/NetworkLinker.qml")

    function profile(fields) {
        var answer = { success: true, user_id: 9, username: "lena", photo_cnt: 1, follower_cnt: 1,
                       following_cnt: 0, description: "", profile_picture_code: null, followed: false,
                       follow_requested: false, blocked: false, protected: true, recent_photos: [], badge: [] }
        for (var key in fields)
            answer[key] = fields[key]
        return answer
    }

    function init() {
        taviroServiceController.reset()
        account.setLoggedUserInformation(5, "demo", "tok", "sec")
        account.loadLoggedInAccount()
        follows.clear()
        twitterLinks.clear()
    }

    function cleanup() {
        compare(taviroServiceController.unexpected, [])
    }

    function test_followPrivateUserAsks() {
        taviroServiceController.expect("getUserProfilesByUsername", profile({}))
        var page = createTemporaryObject(profilePage, test, { username: "lena" })
        compare(taviroServiceController.lastCall("getUserProfilesByUsername"), ["lena"])
        tryCompare(page, "loaded", true)
        verify(!page.canSeePhotos)
        var button = Find.all(page, function(item) { return item.objectName === "followButton" })[0]
        compare(button.text, "Ask to follow")
        taviroServiceController.expectSilent("followUser")
        button.clicked()
        compare(taviroServiceController.lastCall("followUser"), ["lena"])
        compare(page.followState, "requested")
        compare(button.text, "Requested")
        compare(Array.prototype.slice.call(follows.signalArguments[0]), ["lena", true])
        // A request is still no permission to see the photos.
        verify(!page.canSeePhotos)
    }

    function test_unfollowOpenUser() {
        taviroServiceController.expect("getUserProfilesByUsername", profile({ username: "anna_k", protected: false,
                                                                               followed: true }))
        var page = createTemporaryObject(profilePage, test, { username: "anna_k" })
        tryCompare(page, "loaded", true)
        verify(page.canSeePhotos)
        taviroServiceController.expectSilent("unfollowUser")
        page.toggleFollow()
        compare(taviroServiceController.lastCall("unfollowUser"), ["anna_k"])
        compare(page.followState, "none")
    }

    function test_refusedProfileSaysWhy_data() {
        return [
            { tag: "no such user", answer: { success: false, error_code: 5, reason: "No such user" },
              error: "No such user" },
            { tag: "blocked", answer: { success: false, error_code: 8, reason: "Blocked" },
              error: "You cannot see this: one of you has blocked the other." }
        ]
    }

    function test_refusedProfileSaysWhy(data) {
        taviroServiceController.expect("getUserProfilesByUsername", data.answer)
        var page = createTemporaryObject(profilePage, test, { username: "ghost" })
        tryCompare(page, "error", data.error)
        verify(!page.loaded)
    }

    function test_ownProfileKeepsTheAccountCurrent() {
        taviroServiceController.expect("getUserProfilesByUsername", profile({ username: "demo", user_id: 5,
                                                                               description: "Coffee", email: "d@x.org",
                                                                               photo_cnt: 3 }))
        var page = createTemporaryObject(profilePage, test, {})
        compare(taviroServiceController.lastCall("getUserProfilesByUsername"), ["demo"])
        tryCompare(page, "loaded", true)
        verify(page.own)
        account.loadLoggedInAccount()
        compare(account.getBio(), "Coffee")
        compare(account.getEmail(), "d@x.org")
        compare(account.getPhotoCount(), 3)
        compare(account.getToken(), "tok")
    }

    function people(names) {
        var rows = []
        for (var i = 0; i < names.length; ++i)
            rows.push({ id: 100 + i, user_id: 20 + i, username: names[i], follow: false, follow_requested: false,
                        protected: 0, blocked: false, photo_cnt: 1, follower_cnt: 0 })
        return { success: true, data: rows }
    }

    function test_listsPageWithTheOldestId_data() {
        return [
            { tag: "followers", kind: "followers", method: "getFollowers", first: ["anna_k", 30, 0, 0],
              more: ["anna_k", 30, 0, 129] },
            { tag: "following", kind: "following", method: "getFollowing", first: ["anna_k", 30, 0, 0],
              more: ["anna_k", 30, 0, 129] },
            { tag: "blocked", kind: "blocked", method: "getBlockedUser", first: [30, 0, 0], more: [30, 0, 129] }
        ]
    }

    function test_listsPageWithTheOldestId(data) {
        var names = []
        for (var i = 0; i < 30; ++i)
            names.push("member" + i)
        taviroServiceController.expect(data.method, people(names))
        var page = createTemporaryObject(peoplePage, test, { kind: data.kind, username: "anna_k" })
        compare(taviroServiceController.lastCall(data.method), data.first)
        tryCompare(taviroServiceController, "pending", [])
        taviroServiceController.expect(data.method, people(["last"]))
        page.loadMore()
        compare(taviroServiceController.lastCall(data.method), data.more)
        tryCompare(page, "hasMore", false)
        page.loadMore()
        compare(taviroServiceController.callCount(data.method), 2)
    }

    function test_searchSendsTheTypedName() {
        var page = createTemporaryObject(peoplePage, test, { kind: "search" })
        compare(taviroServiceController.calls, [])
        var field = Find.byPlaceholder(page, "User name")[0]
        taviroServiceController.expect("getSearchUser", people(["anna_k"]))
        field.text = " ann "
        page.search()
        compare(taviroServiceController.lastCall("getSearchUser"), ["ann", 30])
        tryCompare(taviroServiceController, "pending", [])
    }

    function test_linkTwitter() {
        var link = createTemporaryObject(linker, test, { network: "twitter" })
        taviroServiceController.expect("getTwitterToken", "oauth_token=req%2B1&oauth_token_secret=rs&oauth_callback_confirmed=true")
        link.start()
        tryCompare(link, "step", "authorizing")
        compare(link.requestToken, "req+1")
        tryVerify(function() { return urlRecorder.last.indexOf("/ext/twitter/oauth/authorize?oauth_token=req%2B1") > 0 })

        link.finish("http://127.0.0.1:8480/auth/twitter/?command=cb&oauth_token=other&oauth_verifier=v")
        verify(link.error.length > 0)
        compare(taviroServiceController.callCount("getTwitterAccessToken"), 0)

        taviroServiceController.expect("getTwitterAccessToken", "oauth_token=acc&oauth_token_secret=as&user_id=7&screen_name=twitter_a1")
        taviroServiceController.expect("updateTwitterProfile", { success: true, use_twitter: true })
        link.finish("http://127.0.0.1:8480/auth/twitter/?command=cb&oauth_token=req%2B1&oauth_verifier=v9")
        compare(link.error, "")
        compare(taviroServiceController.lastCall("getTwitterAccessToken"), ["req+1", "v9"])
        tryCompare(twitterLinks, "count", 1)
        compare(taviroServiceController.lastCall("updateTwitterProfile"), ["twitter_a1", "acc", "as", false])
        compare(link.step, "idle")
        account.loadLoggedInAccount()
        verify(account.isTwitterAvailable())
        compare(account.getToken(), "tok")
    }

    function test_accessTokenSignedWithTheRequestSecret_data() {
        return [
            { tag: "tumblr", network: "tumblr", method: "getTumblrAccessToken", args: ["rq", "v", "rq", "rsec"] },
            { tag: "flickr", network: "flickr", method: "getFlickrAccessToken", args: ["rq", "v", "rq", "rsec"] },
            { tag: "dropbox", network: "dropbox", method: "getDropBoxAccessToken", args: ["rq", "rq", "rsec"] }
        ]
    }

    function test_accessTokenSignedWithTheRequestSecret(data) {
        var link = createTemporaryObject(linker, test, { network: data.network, step: "authorizing",
                                                         requestToken: "rq", requestSecret: "rsec" })
        taviroServiceController.expectError(data.method, 401, "Expired")
        link.finish("http://host/auth/" + data.network + "/?command=cb&oauth_token=rq&oauth_verifier=v&uid=3")
        compare(taviroServiceController.lastCall(data.method), data.args)
        tryCompare(link, "error", "Expired")
        compare(link.step, "authorizing")
    }

    function test_unlink() {
        account.setTwitterAvailibility(true)
        var link = createTemporaryObject(linker, test, { network: "twitter" })
        taviroServiceController.expect("updateTwitterProfile", { success: true, use_twitter: false })
        link.unlink()
        compare(taviroServiceController.lastCall("updateTwitterProfile"), ["", "", "", false])
        tryCompare(twitterLinks, "count", 1)
        compare(twitterLinks.signalArguments[0][0], false)
        account.loadLoggedInAccount()
        verify(!account.isTwitterAvailable())
    }
}
