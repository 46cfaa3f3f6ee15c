.pragma library

// Logic shared by the posting pages: the crop square's geometry, the
// external networks a photo can be re-shared to, and the details handed to
// the upload queue.

// Where a photo came from, as the upload queue records it.
var sourceCamera = 1
var sourceGallery = 2

// How far past the photo's shorter side the crop may zoom in.
var maxZoom = 4

// --- Crop geometry -------------------------------------------------------
// A crop state is { width, height, rotation, scale, cx, cy }: the full-size
// photo's pixel size, the quarter turn shown (0, 90, 180 or -90), the
// display scale (screen pixels per photo pixel) and the photo point, in the
// turned photo's pixels, that sits at the centre of the square viewport.

function normalRotation(rotation) {
    var r = ((Math.round(rotation / 90) % 4) + 4) % 4
    return r === 3 ? -90 : r * 90
}

function turnedSize(width, height, rotation) {
    var quarter = rotation === 90 || rotation === -90
    return { width: quarter ? height : width, height: quarter ? width : height }
}

// A point of the unturned photo, in the photo turned by rotation.
function turnPoint(u, v, width, height, rotation) {
    switch (rotation) {
    case 90: return { x: height - v, y: u }
    case 180: return { x: width - u, y: height - v }
    case -90: return { x: v, y: width - u }
    default: return { x: u, y: v }
    }
}

// A point of the turned photo, back in the unturned photo.
function unturnPoint(x, y, width, height, rotation) {
    switch (rotation) {
    case 90: return { x: y, y: height - x }
    case 180: return { x: width - x, y: height - y }
    case -90: return { x: width - y, y: x }
    default: return { x: x, y: y }
    }
}

// Zoomed all the way out the whole photo fits the square (bars on two sides);
// zoomed in, the square shows a quarter of the shorter side.
function minScale(state, viewport) {
    return viewport / Math.max(state.width, state.height)
}

function maxScale(state, viewport) {
    return viewport * maxZoom / Math.min(state.width, state.height)
}

function clampAxis(centre, extent, half) {
    if (extent <= 2 * half)
        return extent / 2
    return Math.max(half, Math.min(extent - half, centre))
}

// The state with its scale in range and the square inside the photo wherever
// the photo is large enough to fill it.
function clamped(state, viewport) {
    var scale = Math.max(minScale(state, viewport), Math.min(maxScale(state, viewport), state.scale))
    var turned = turnedSize(state.width, state.height, state.rotation)
    var half = viewport / (2 * scale)
    return {
        width: state.width, height: state.height, rotation: state.rotation, scale: scale,
        cx: clampAxis(state.cx, turned.width, half), cy: clampAxis(state.cy, turned.height, half)
    }
}

// The square filled by the centre of the photo, unturned.
function initialState(width, height, viewport) {
    return clamped({ width: width, height: height, rotation: 0, scale: viewport / Math.min(width, height),
                     cx: width / 2, cy: height / 2 }, viewport)
}

// Moves the photo by (dx, dy) screen pixels under the fixed square.
function dragged(state, dx, dy, viewport) {
    return clamped({ width: state.width, height: state.height, rotation: state.rotation, scale: state.scale,
                     cx: state.cx - dx / state.scale, cy: state.cy - dy / state.scale }, viewport)
}

// Zooms by factor keeping the photo point under (px, py) of the viewport in place.
function zoomed(state, factor, px, py, viewport) {
    var next = clamped({ width: state.width, height: state.height, rotation: state.rotation,
                         scale: state.scale * factor, cx: state.cx, cy: state.cy }, viewport)
    var ax = state.cx + (px - viewport / 2) / state.scale
    var ay = state.cy + (py - viewport / 2) / state.scale
    next.cx = ax - (px - viewport / 2) / next.scale
    next.cy = ay - (py - viewport / 2) / next.scale
    return clamped(next, viewport)
}

// A quarter turn clockwise, keeping the same photo point in the middle.
function turnedClockwise(state, viewport) {
    var centre = unturnPoint(state.cx, state.cy, state.width, state.height, state.rotation)
    var rotation = normalRotation(state.rotation + 90)
    var moved = turnPoint(centre.x, centre.y, state.width, state.height, rotation)
    return clamped({ width: state.width, height: state.height, rotation: rotation, scale: state.scale,
                     cx: moved.x, cy: moved.y }, viewport)
}

// The arguments of ImageProcessor.zoomCrop: the square in the unturned
// full-size photo's pixels, and the turn.
function cropRect(state, viewport) {
    var side = Math.round(viewport / state.scale)
    var centre = unturnPoint(state.cx, state.cy, state.width, state.height, state.rotation)
    return { x: Math.round(centre.x - side / 2), y: Math.round(centre.y - side / 2),
             width: side, height: side, rotation: state.rotation }
}

// Where the photo item (unturned, at display scale, turned about its centre)
// sits inside the viewport.
function photoGeometry(state, viewport) {
    var turned = turnedSize(state.width, state.height, state.rotation)
    var w = state.width * state.scale
    var h = state.height * state.scale
    var centreX = viewport / 2 + (turned.width / 2 - state.cx) * state.scale
    var centreY = viewport / 2 + (turned.height / 2 - state.cy) * state.scale
    return { x: centreX - w / 2, y: centreY - h / 2, width: w, height: h, rotation: state.rotation }
}

// --- Sharing -------------------------------------------------------------
// The nine external networks: the upload detail that re-shares to it and the
// account store's question whether the account has linked it.

var networks = [
    { key: "shareToTwitter", name: "Twitter", linked: "isTwitterAvailable" },
    { key: "shareToFacebook", name: "Facebook", linked: "isFacebookAvailable" },
    { key: "shareToTumblr", name: "Tumblr", linked: "isTumblrAvailable" },
    { key: "shareToFlickr", name: "Flickr", linked: "isFlickrAvailable" },
    { key: "shareToWeibo", name: "Sina Weibo", linked: "isWeiboAvailable" },
    { key: "shareToVk", name: "VK", linked: "isVkAvailable" },
    { key: "shareToDropBox", name: "Dropbox", linked: "isDropBoxAvailable" },
    { key: "shareToGDrive", name: "Google Drive", linked: "isGDriveAvailable" },
    { key: "shareToPicasa", name: "Picasa", linked: "isPicasaAvailable" }
]

// The networks with whether account (a UserManager) has each one linked.
function linkedNetworks(account) {
    var result = []
    for (var i = 0; i < networks.length; ++i) {
        var n = networks[i]
        result.push({ key: n.key, name: n.name, linked: account[n.linked]() === true })
    }
    return result
}

// Visibility levels, as the service numbers them.
var accessEveryone = 0
var accessFollowers = 1
var accessOnlyMe = 2

// The imageInfo map of UploaderQueueModel.appendImageFileToQueue. Lines are
// joined into one: the queue keeps one line per value. A share flag counts
// only for a network the account has linked; the location only when on.
function uploadDetails(form, linked) {
    var details = {
        imageName: oneLine(form.title),
        imageDescription: oneLine(form.caption),
        geoLocationLat: form.locationOn && form.hasPosition ? form.latitude : 0,
        geoLocationLong: form.locationOn && form.hasPosition ? form.longitude : 0,
        effectFilterType: form.filterId,
        imageSource: form.imageSource,
        accessLevel: form.accessLevel
    }
    for (var i = 0; i < linked.length; ++i)
        details[linked[i].key] = linked[i].linked && form.shares[linked[i].key] === true
    return details
}

function oneLine(text) {
    return String(text || "").replace(/[\r\n]+/g, " ").trim()
}

// A filter's strip thumbnail; its path is relative to the folder above qml/.
function filterThumbnailUrl(thumbPath) {
    return Qt.resolvedUrl("../../../" + thumbPath)
}

// The local path of a file URL of the gallery.
function localPath(url) {
    var text = String(url)
    return text.indexOf("file://") === 0 ? decodeURIComponent(text.substring(7)) : text
}
