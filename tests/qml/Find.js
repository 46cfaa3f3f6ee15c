.pragma library

// Items under `item` (its content item and popups' contents included) for
// which `match` holds.
function all(item, match) {
    var found = match(item) ? [item] : []
    // `data` also holds the popups (dialogs, menus), which are no children.
    var list = item.data !== undefined ? item.data : (item.children !== undefined ? item.children : [])
    var kids = []
    for (var i = 0; i < list.length; ++i)
        kids.push(list[i])
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
