import QtQuick 2.15
import QtTest 1.15
import TAVIROLib 1.0
import "../../qml/ui/components"
import "Find.js" as Find

// Signing in and registering: what is checked before a call, what is sent,
// and what is kept from the answer.
TestCase {
    id: test
    name: "Account"
    when: windowShown
    width: 480
    height: 854

    UserManager { id: account }
    SignalSpy { id: signedIn; target: Navigator; signalName: "signedIn" }

    Component { id: signInPage; Loader { source: "../../qml/ui/pages/SignInPage.qml"; anchors.fill: parent } }
    Component { id: registerPage; Loader { source: "../../qml/ui/pages/RegisterPage.qml"; anchors.fill: parent } }

    function init() {
        taviroServiceController.reset()
        signedIn.clear()
        account.logout()
    }

    function cleanup() {
        compare(taviroServiceController.unexpected, [])
    }

    function field(page, placeholder) {
        var all = findAll(page, function(item) { return item.placeholderText === placeholder })
        verify(all.length === 1, "one field " + placeholder)
        return all[0]
    }

    function findAll(item, match) { return Find.all(item, match) }

    function test_signInNeedsBothFields() {
        var page = createTemporaryObject(signInPage, test).item
        field(page, "User name").text = "demo"
        page.submit()
        compare(taviroServiceController.calls.length, 0)
        compare(findAll(page, function(item) { return item.text === "Enter your user name and your password." }).length, 1)
    }

    function test_signInKeepsTheKeys() {
        var page = createTemporaryObject(signInPage, test).item
        taviroServiceController.expect("loginUser", { success: true, user_id: 5, username: "demo",
                                                      oauth_token: "tok", oauth_token_secret: "sec", protected: true })
        field(page, "User name").text = "  demo "
        field(page, "Password").text = "taviro-demo"
        page.submit()
        compare(taviroServiceController.lastCall("loginUser"), ["demo", "taviro-demo"])
        tryCompare(signedIn, "count", 1)
        account.loadLoggedInAccount()
        verify(account.isLoggedIn())
        compare(account.getUserId(), 5)
        compare(account.getToken(), "tok")
        compare(account.getTokenSecret(), "sec")
        verify(account.getProtected())
    }

    function test_signInRefusals_data() {
        return [
            { tag: "wrong password", status: 401, message: "Wrong user name or password",
              shown: "Wrong user name or password" },
            { tag: "no network", status: 0, message: "Connection refused",
              shown: "TAVIRO cannot reach the service. Check your connection and try again. (Connection refused)" },
            { tag: "no reason", status: 500, message: "", shown: "The service refused the request (error 500)." }
        ]
    }

    function test_signInRefusals(data) {
        var page = createTemporaryObject(signInPage, test).item
        taviroServiceController.expectError("loginUser", data.status, data.message)
        field(page, "User name").text = "demo"
        field(page, "Password").text = "x"
        page.submit()
        tryVerify(function() { return findAll(page, function(item) { return item.text === data.shown }).length === 1 })
        compare(signedIn.count, 0)
        verify(!account.isLoggedIn())
    }

    function test_registerChecksFirst_data() {
        return [
            { tag: "short name", name: "ab", password: "secret1", repeat: "secret1", email: "a@b.c", terms: true,
              error: "A user name has 3 to 20 letters, digits or underscores." },
            { tag: "odd characters", name: "ann k", password: "secret1", repeat: "secret1", email: "a@b.c", terms: true,
              error: "A user name has 3 to 20 letters, digits or underscores." },
            { tag: "short password", name: "ann", password: "12345", repeat: "12345", email: "a@b.c", terms: true,
              error: "A password has at least 6 characters." },
            { tag: "passwords differ", name: "ann", password: "secret1", repeat: "secret2", email: "a@b.c", terms: true,
              error: "The two passwords differ." },
            { tag: "no address", name: "ann", password: "secret1", repeat: "secret1", email: "ann", terms: true,
              error: "Enter a valid e-mail address." },
            { tag: "terms", name: "ann", password: "secret1", repeat: "secret1", email: "a@b.c", terms: false,
              error: "Please accept the terms of use to create an account." }
        ]
    }

    function fillRegistration(page, data) {
        field(page, "User name").text = data.name
        field(page, "Password (6 characters or more)").text = data.password
        field(page, "Password again").text = data.repeat
        field(page, "E-mail address").text = data.email
        findAll(page, function(item) { return item.text === "I accept the terms of use" })[0].checked = data.terms
    }

    function test_registerChecksFirst(data) {
        var page = createTemporaryObject(registerPage, test).item
        fillRegistration(page, data)
        page.submit()
        compare(taviroServiceController.calls.length, 0)
        compare(page.problem(), data.error)
    }

    function test_registerSignsIn() {
        var page = createTemporaryObject(registerPage, test).item
        taviroServiceController.expect("registerUser", { success: true, user_id: 14, username: "ann_k2",
                                                         oauth_token: "t2", oauth_token_secret: "s2" })
        fillRegistration(page, { name: "ann_k2", password: "secret1", repeat: "secret1", email: " ann@example.org ",
                                 terms: true })
        page.submit()
        compare(taviroServiceController.lastCall("registerUser"), ["ann_k2", "secret1", "ann@example.org"])
        tryCompare(signedIn, "count", 1)
        account.loadLoggedInAccount()
        compare(account.getToken(), "t2")
        compare(account.getEmail(), "ann@example.org")
    }
}
