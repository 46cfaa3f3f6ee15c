.pragma library

// Service answers reach QML as ArrayBuffers of UTF-8 JSON.
function decodeUtf8(buffer) {
    var bytes = new Uint8Array(buffer)
    var text = ""
    var i = 0
    while (i < bytes.length) {
        var c = bytes[i++]
        if (c >= 0xF0) {
            var cp = ((c & 0x07) << 18) | ((bytes[i] & 0x3F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F)
            i += 3
            cp -= 0x10000
            text += String.fromCharCode(0xD800 + (cp >> 10), 0xDC00 + (cp & 0x3FF))
        } else if (c >= 0xE0) {
            text += String.fromCharCode(((c & 0x0F) << 12) | ((bytes[i] & 0x3F) << 6) | (bytes[i + 1] & 0x3F))
            i += 2
        } else if (c >= 0xC0) {
            text += String.fromCharCode(((c & 0x1F) << 6) | (bytes[i] & 0x3F))
            i += 1
        } else {
            text += String.fromCharCode(c)
        }
    }
    return text
}

function text(data) {
    return typeof data === "string" ? data : decodeUtf8(data)
}

function parse(data) {
    try {
        return JSON.parse(text(data))
    } catch (e) {
        return null
    }
}
