pragma Singleton
import QtQuick 2.15

// Pages ask for navigation through these signals; the frame carries them
// out, so a page never needs to know where it is shown (and tests can watch
// the requests with a SignalSpy).
QtObject {
    signal pushRequested(string page, var properties)
    signal backRequested()
    signal tabRequested(int index)
    signal signedIn()
    signal signedOut()

    function push(page, properties) { pushRequested(page, properties || {}) }
    function back() { backRequested() }
    function showTab(index) { tabRequested(index) }

    function openPhoto(photo) { push("PhotoPage.qml", { photo: photo }) }
    function openComments(photo) { push("CommentsPage.qml", { photo: photo }) }
    function openProfile(username) { push("ProfilePage.qml", { username: username }) }
    function openPeople(kind, username) { push("PeoplePage.qml", { kind: kind, username: username || "" }) }
}
