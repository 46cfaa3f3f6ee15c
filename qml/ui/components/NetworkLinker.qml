import QtQuick 2.15
import TAVIROLib 1.0

// Links one external network through its OAuth 1.0 dance: a request token,
// the network's page in the system browser, then the address the browser
// was sent back to (pasted by the person), the access token, and finally
// the service keeps the tokens. Unlinking tells the service to forget them.
Item {
    id: linker
    property string network
    // "idle", "authorizing" (waiting for the address), "finishing".
    property string step: "idle"
    property string error: ""
    property string requestToken
    property string requestSecret
    readonly property bool busy: tokenCall.busy || accessCall.busy || profileCall.busy
    signal linkedChanged(bool linked)

    CommonCPP { id: common }
    UserManager { id: account }

    function formValues(text) {
        var values = {}
        var pairs = String(text).split("&")
        for (var i = 0; i < pairs.length; ++i) {
            var eq = pairs[i].indexOf("=")
            if (eq > 0)
                values[decodeURIComponent(pairs[i].slice(0, eq))] = decodeURIComponent(pairs[i].slice(eq + 1).replace(/\+/g, " "))
        }
        return values
    }

    function start() {
        error = ""
        step = "idle"
        tokenCall.begin()
        switch (network) {
        case "twitter": taviroServiceController.getTwitterToken(tokenCall); break
        case "tumblr": taviroServiceController.getTumblrToken(tokenCall); break
        case "flickr": taviroServiceController.getFlickrToken(tokenCall); break
        case "weibo": taviroServiceController.getWeiboToken(tokenCall); break
        case "dropbox": taviroServiceController.getDropBoxToken(tokenCall); break
        }
    }

    // The address the network sent the browser back to carries the answer.
    function finish(returnedAddress) {
        var query = String(returnedAddress).split("?")[1] || ""
        var values = formValues(query.split("#")[0])
        if (values.oauth_token !== requestToken || (network !== "dropbox" && !values.oauth_verifier)) {
            error = qsTr("This is not the address the network sent you back to. Copy the whole address of the page that says the network is linked.")
            return
        }
        error = ""
        step = "finishing"
        accessCall.begin()
        switch (network) {
        case "twitter": taviroServiceController.getTwitterAccessToken(requestToken, values.oauth_verifier, accessCall); break
        case "tumblr": taviroServiceController.getTumblrAccessToken(requestToken, values.oauth_verifier, requestToken,
                                                                    requestSecret, accessCall); break
        case "flickr": taviroServiceController.getFlickrAccessToken(requestToken, values.oauth_verifier, requestToken,
                                                                    requestSecret, accessCall); break
        case "weibo": taviroServiceController.getWeiboAccessToken(requestToken, values.oauth_verifier, accessCall); break
        case "dropbox": taviroServiceController.getDropBoxAccessToken(requestToken, requestToken, requestSecret,
                                                                      accessCall); break
        }
    }

    function store(values) {
        profileCall.linking = values.oauth_token.length > 0
        profileCall.begin()
        switch (network) {
        case "twitter": taviroServiceController.updateTwitterProfile(values.screen_name || "", values.oauth_token,
                                                                     values.oauth_token_secret || "", false, profileCall); break
        case "tumblr": taviroServiceController.updateTumblrProfile(values.username || "", values.oauth_token,
                                                                   values.oauth_token_secret || "", profileCall); break
        case "flickr": taviroServiceController.updateFlickrProfile(values.username || "", values.oauth_token,
                                                                   values.oauth_token_secret || "", profileCall); break
        case "weibo": taviroServiceController.updateWeiboProfile(values.oauth_token, values.oauth_token_secret || "",
                                                                 profileCall); break
        case "dropbox": taviroServiceController.updateDropBoxProfile(Number(values.uid || 0), values.oauth_token,
                                                                     values.oauth_token_secret || "", profileCall); break
        case "facebook": taviroServiceController.updateFacebookProfile(values.oauth_token, profileCall); break
        case "vk": taviroServiceController.updateVkProfile(values.oauth_token, 0, 0, profileCall); break
        case "gdrive": taviroServiceController.unlinkGDrive(profileCall); break
        case "picasa": taviroServiceController.unlinkPicasa(profileCall); break
        }
    }

    function unlink() {
        error = ""
        step = "idle"
        store({ oauth_token: "" })
    }

    function cancel() {
        step = "idle"
        error = ""
    }

    ServiceCall {
        id: tokenCall
        rawAnswer: true
        onAnswered: {
            var values = linker.formValues(data)
            if (!values.oauth_token) {
                linker.error = qsTr("The network did not answer as expected. Try again later.")
                return
            }
            linker.requestToken = values.oauth_token
            linker.requestSecret = values.oauth_token_secret || ""
            linker.step = "authorizing"
            Qt.openUrlExternally(common.getAuthorizeAddress(linker.network, linker.requestToken))
        }
        onFailed: linker.error = message
    }
    ServiceCall {
        id: accessCall
        rawAnswer: true
        onAnswered: {
            var values = linker.formValues(data)
            if (!values.oauth_token) {
                linker.step = "authorizing"
                linker.error = qsTr("The network did not give TAVIRO access. Try again.")
                return
            }
            linker.store(values)
        }
        onFailed: { linker.step = "authorizing"; linker.error = message }
    }
    ServiceCall {
        id: profileCall
        property bool linking
        onAnswered: {
            linker.step = "idle"
            account.loadLoggedInAccount()
            var setters = { twitter: "setTwitterAvailibility", tumblr: "setTumblrAvailibility",
                            flickr: "setFlickrAvailibility", weibo: "setWeiboAvailibility",
                            dropbox: "setDropBoxAvailibility", facebook: "setFacebookAvailibility",
                            vk: "setVkAvailibility", gdrive: "setGDriveAvailibility", picasa: "setPicasaAvailibility" }
            account[setters[linker.network]](linking)
            var signals = { twitter: "emitTwitterLoggedInStatusChanged", tumblr: "emitTumblrLoggedInStatusChanged",
                            flickr: "emitFlickrLoggedInStatusChanged", weibo: "emitWeiboLoggedInStatusChanged",
                            dropbox: "emitDropBoxLoggedInStatusChanged", facebook: "emitFacebookLoggedInStatusChanged",
                            vk: "emitVkLoggedInStatusChanged", gdrive: "emitGDriveLoggedInStatusChanged",
                            picasa: "emitPicasaLoggedInStatusChanged" }
            globalServices[signals[linker.network]](linking)
            linker.linkedChanged(linking)
        }
        onFailed: { linker.step = linking ? "authorizing" : "idle"; linker.error = message }
    }
}
