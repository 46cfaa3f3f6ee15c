import QtQuick 2.15
import TAVIROLib 1.0
import "Json.js" as Json

// One kind of service request of a page: pass it as the handler, call
// begin() when sending. It reads the answer, tracks busy and turns every
// refusal into words for the person.
TaviroServiceHandler {
    id: call

    // Form-encoded answers of the external networks are not JSON.
    property bool rawAnswer: false
    property bool busy: false
    property string error: ""

    signal answered(var answer, var data)
    signal failed(string message, int errorCode)

    function begin() {
        busy = true
        error = ""
    }

    function fail(message, errorCode) {
        error = message
        failed(message, errorCode)
    }

    function onTaviroServiceDataReceived(success, data) {
        busy = false
        if (rawAnswer) {
            answered(null, Json.text(data))
            return
        }
        var answer = Json.parse(data)
        if (!answer || typeof answer !== "object") {
            fail(qsTr("The service sent an answer TAVIRO cannot read."), 0)
            return
        }
        if (answer.success === false) {
            fail(errorText(answer.error_code || 0, answer.reason || ""), answer.error_code || 0)
            return
        }
        answered(answer, data)
    }

    function onTaviroServiceError(statusCode, message) {
        busy = false
        fail(statusCode === 0 ? qsTr("TAVIRO cannot reach the service. Check your connection and try again. (%1)").arg(message)
                              : (message.length ? message : qsTr("The service refused the request (error %1).").arg(statusCode)),
             0)
    }

    function errorText(errorCode, reason) {
        if (errorCode === 7)
            return qsTr("This account is private. Follow it to see its photos and lists.")
        if (errorCode === 8)
            return qsTr("You cannot see this: one of you has blocked the other.")
        return reason.length ? reason : qsTr("The service refused the request.")
    }
}
