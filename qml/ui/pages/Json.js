.pragma library

// Service answers reach QML as ArrayBuffers of UTF-8 JSON.
function parse(buffer) {
    var bytes = new Uint8Array(buffer)
    var text = ""
    for (var i = 0; i < bytes.length; i += 4096)
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 4096))
    try {
        return JSON.parse(decodeURIComponent(escape(text)))
    } catch (e) {
        return null
    }
}
