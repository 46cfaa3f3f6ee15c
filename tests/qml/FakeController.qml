import QtQuick 2.15

// Stands in for the service controller: a test says which calls it expects
// and what each answers; any other call is recorded as unexpected. Answers
// reach the handler later, as the real controller's do.
Item {
    id: fake

    property var expectations: []
    property var calls: []
    property var unexpected: []
    property var pending: []
    property int transaction: 0

    function reset() {
        expectations = []
        calls = []
        unexpected = []
        pending = []
    }

    // `answer`: an object (sent as JSON) or a string (sent as it is).
    function expect(method, answer) {
        expectations.push({ method: method, answer: answer })
    }
    function expectError(method, status, message) {
        expectations.push({ method: method, status: status, message: message })
    }
    // A call without a handler that answers nothing (love, follow).
    function expectSilent(method) {
        expectations.push({ method: method, silent: true })
    }

    function lastCall(method) {
        for (var i = calls.length - 1; i >= 0; --i)
            if (calls[i].method === method)
                return calls[i].args
        return null
    }
    function callCount(method) {
        var n = 0
        for (var i = 0; i < calls.length; ++i)
            if (calls[i].method === method)
                ++n
        return n
    }
    function unanswered() {
        var names = []
        for (var i = 0; i < expectations.length; ++i)
            names.push(expectations[i].method)
        return names
    }

    function bytes(text) {
        var encoded = encodeURIComponent(text)
        var values = []
        for (var i = 0; i < encoded.length; ++i) {
            if (encoded[i] === "%") {
                values.push(parseInt(encoded.substr(i + 1, 2), 16))
                i += 2
            } else {
                values.push(encoded.charCodeAt(i))
            }
        }
        var buffer = new ArrayBuffer(values.length)
        var view = new Uint8Array(buffer)
        for (var j = 0; j < values.length; ++j)
            view[j] = values[j]
        return buffer
    }

    function call(method, argumentList) {
        var args = Array.prototype.slice.call(argumentList)
        var handler = args.length && args[args.length - 1] && typeof args[args.length - 1] === "object"
                && args[args.length - 1].onTaviroServiceDataReceived !== undefined ? args.pop() : null
        calls.push({ method: method, args: args })
        var index = -1
        for (var i = 0; i < expectations.length; ++i) {
            if (expectations[i].method === method) {
                index = i
                break
            }
        }
        if (index < 0) {
            unexpected.push(method)
            return ++transaction
        }
        var expectation = expectations.splice(index, 1)[0]
        if (!expectation.silent && handler)
            pending.push({ handler: handler, expectation: expectation })
        delivery.start()
        return ++transaction
    }

    Timer {
        id: delivery
        interval: 1
        repeat: true
        onTriggered: {
            if (fake.pending.length === 0) {
                stop()
                return
            }
            var next = fake.pending.shift()
            var e = next.expectation
            if (e.status !== undefined)
                next.handler.onTaviroServiceError(e.status, e.message)
            else
                next.handler.onTaviroServiceDataReceived(true, fake.bytes(typeof e.answer === "string"
                                                                              ? e.answer : JSON.stringify(e.answer)))
        }
    }

    function getLargePicture() { return call("getLargePicture", arguments) }
    function getHomeTimeline() { return call("getHomeTimeline", arguments) }
    function getPopularTimeline() { return call("getPopularTimeline", arguments) }
    function getFrontPageTimeline() { return call("getFrontPageTimeline", arguments) }
    function getNotifications() { return call("getNotifications", arguments) }
    function followUser() { return call("followUser", arguments) }
    function unfollowUser() { return call("unfollowUser", arguments) }
    function lovePicture() { return call("lovePicture", arguments) }
    function unlovePicture() { return call("unlovePicture", arguments) }
    function getUserProfilesByUserId() { return call("getUserProfilesByUserId", arguments) }
    function getUserProfilesByUsername() { return call("getUserProfilesByUsername", arguments) }
    function getUserTimelineByUserId() { return call("getUserTimelineByUserId", arguments) }
    function getUserTimelineByUsername() { return call("getUserTimelineByUsername", arguments) }
    function getSuggestFriend() { return call("getSuggestFriend", arguments) }
    function getFollowers() { return call("getFollowers", arguments) }
    function getFollowing() { return call("getFollowing", arguments) }
    function getBlockedUser() { return call("getBlockedUser", arguments) }
    function getSearchUser() { return call("getSearchUser", arguments) }
    function getFriendRequest() { return call("getFriendRequest", arguments) }
    function getCommentList() { return call("getCommentList", arguments) }
    function deleteComment() { return call("deleteComment", arguments) }
    function postComment() { return call("postComment", arguments) }
    function flagPicture() { return call("flagPicture", arguments) }
    function deletePicture() { return call("deletePicture", arguments) }
    function updateBasicProfile() { return call("updateBasicProfile", arguments) }
    function makeProfilePicture() { return call("makeProfilePicture", arguments) }
    function editCaption() { return call("editCaption", arguments) }
    function reshare() { return call("reshare", arguments) }
    function getPhotoSummary() { return call("getPhotoSummary", arguments) }
    function updateFacebookProfile() { return call("updateFacebookProfile", arguments) }
    function updateTwitterProfile() { return call("updateTwitterProfile", arguments) }
    function updateTumblrProfile() { return call("updateTumblrProfile", arguments) }
    function updateFlickrProfile() { return call("updateFlickrProfile", arguments) }
    function updateWeiboProfile() { return call("updateWeiboProfile", arguments) }
    function updateVkProfile() { return call("updateVkProfile", arguments) }
    function updateDropBoxProfile() { return call("updateDropBoxProfile", arguments) }
    function changePassword() { return call("changePassword", arguments) }
    function loginUser() { return call("loginUser", arguments) }
    function registerUser() { return call("registerUser", arguments) }
    function forgotPassword() { return call("forgotPassword", arguments) }
    function getTwitterToken() { return call("getTwitterToken", arguments) }
    function getTwitterAccessToken() { return call("getTwitterAccessToken", arguments) }
    function getTumblrToken() { return call("getTumblrToken", arguments) }
    function getTumblrAccessToken() { return call("getTumblrAccessToken", arguments) }
    function getWeiboToken() { return call("getWeiboToken", arguments) }
    function getWeiboAccessToken() { return call("getWeiboAccessToken", arguments) }
    function getFlickrToken() { return call("getFlickrToken", arguments) }
    function getFlickrAccessToken() { return call("getFlickrAccessToken", arguments) }
    function getDropBoxToken() { return call("getDropBoxToken", arguments) }
    function getDropBoxAccessToken() { return call("getDropBoxAccessToken", arguments) }
    function unlinkGDrive() { return call("unlinkGDrive", arguments) }
    function unlinkPicasa() { return call("unlinkPicasa", arguments) }
    function blockUser() { return call("blockUser", arguments) }
    function unblockUser() { return call("unblockUser", arguments) }
    function changePhotoAccessLevel() { return call("changePhotoAccessLevel", arguments) }
    function answerFriendRequest() { return call("answerFriendRequest", arguments) }
}
