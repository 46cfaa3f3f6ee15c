pragma Singleton
import QtQuick 2.15

// Changes to a photo that every screen showing it must follow. The change
// goes out on the signal hub; the frame and each page apply it to their
// own models.
QtObject {
    function toggleLove(photoId, loveCount, doneLove, commentCount, doneComment) {
        if (doneLove)
            taviroServiceController.unlovePicture(photoId)
        else
            taviroServiceController.lovePicture(photoId)
        globalServices.emitSetLovedCommentedData(photoId, Math.max(0, loveCount + (doneLove ? -1 : 1)),
                                                 doneLove ? 0 : 1, commentCount, doneComment ? 1 : 0)
    }

    // The biggest picture a record offers up to the size asked for. A photo
    // that is not public (or belongs to a private account) is addressed with
    // its salt, which changes with its privacy: the record's addresses carry
    // the salt they were sent with, the record's "salt" is the current one.
    function address(photo, size) {
        if (!photo)
            return ""
        var order = ["large", "medium", "small", "thumb"]
        for (var i = Math.max(0, order.indexOf(size)); i < order.length; ++i) {
            var url = photo["image_url_" + order[i]]
            if (url)
                return withSalt(String(url), String(photo.access_level === undefined ? "0" : photo.access_level),
                                photo.salt ? String(photo.salt) : "")
        }
        return ""
    }

    function withSalt(url, level, salt) {
        var salted = /([?&])salt=[^&]*/
        if (salted.test(url))
            return salt.length ? url.replace(salted, "$1salt=" + encodeURIComponent(salt)) : url
        if (level !== "0" && salt.length)
            return url + (url.indexOf("?") < 0 ? "?" : "&") + "salt=" + encodeURIComponent(salt)
        return url
    }

    function accessLevelName(level) {
        switch (String(level)) {
        case "1": return qsTr("Visible to followers")
        case "2": return qsTr("Visible to you only")
        default: return qsTr("Visible to everyone")
        }
    }
}
