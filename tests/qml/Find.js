.pragma library

// Items under `item` (its content item and popups' contents included) for
// which `match` holds.
function all(item, match) {
    var found = match(item) ? [item] : []
    var kids = []
    for (var i = 0; i < item.children.length; ++i)
        kids.push(item.children[i])
    if (item.contentItem && kids.indexOf(item.contentItem) < 0)
        kids.push(item.contentItem)
    for (var j = 0; j < kids.length; ++j)
        found = found.concat(all(kids[j], match))
    return found
}

function byText(item, text) {
    return all(item, function(candidate) { return candidate.text === text })
}

function byPlaceholder(item, placeholder) {
    return all(item, function(candidate) { return candidate.placeholderText === placeholder })
}
