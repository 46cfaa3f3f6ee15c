#include "server/multipartform.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string trim(const std::string &text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// The value of parameter `key` in a header like: form-data; name="x";
// filename="y". Parameters are read in order after the first ";", each a
// token or a quoted string with backslash escapes (RFC 2045, RFC 7578), so
// text inside quotes never reads as a parameter. Nullopt when the key is
// absent or the parameters are malformed.
std::optional<std::string> headerParameter(const std::string &header, const std::string &key)
{
    size_t pos = header.find(';');
    while (pos != std::string::npos && pos < header.size()) {
        ++pos; // past ';'
        while (pos < header.size() && (header[pos] == ' ' || header[pos] == '\t'))
            ++pos;
        if (pos >= header.size())
            break;
        const size_t eq = header.find('=', pos);
        if (eq == std::string::npos)
            return std::nullopt;
        const std::string name = lower(trim(header.substr(pos, eq - pos)));
        if (name.empty() || name.find_first_of("\"; ") != std::string::npos)
            return std::nullopt;
        pos = eq + 1;
        while (pos < header.size() && (header[pos] == ' ' || header[pos] == '\t'))
            ++pos;
        std::string value;
        if (pos < header.size() && header[pos] == '"') {
            ++pos;
            bool closed = false;
            while (pos < header.size()) {
                const char c = header[pos++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (pos >= header.size())
                        return std::nullopt;
                    value += header[pos++];
                } else {
                    value += c;
                }
            }
            if (!closed)
                return std::nullopt;
            while (pos < header.size() && (header[pos] == ' ' || header[pos] == '\t'))
                ++pos;
            if (pos < header.size() && header[pos] != ';')
                return std::nullopt;
        } else {
            const size_t end = header.find(';', pos);
            value = trim(header.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
            if (value.find('"') != std::string::npos)
                return std::nullopt;
            pos = end;
        }
        if (name == key)
            return value;
    }
    return std::nullopt;
}

} // namespace

std::string MultipartForm::boundaryOf(const std::string &contentType)
{
    if (lower(contentType).rfind("multipart/form-data", 0) != 0)
        return {};
    const auto boundary = headerParameter(contentType, "boundary");
    if (!boundary || boundary->empty() || boundary->size() > 70)
        return {};
    return *boundary;
}

std::optional<MultipartForm> MultipartForm::parse(const std::string &body, const std::string &boundary)
{
    if (boundary.empty())
        return std::nullopt;
    const std::string first = "--" + boundary;
    const std::string delimiter = "\r\n--" + boundary;
    if (body.compare(0, first.size(), first) != 0)
        return std::nullopt;
    MultipartForm form;
    size_t pos = first.size();
    while (true) {
        if (body.compare(pos, 2, "--") == 0)
            return form; // the closing boundary; what follows is ignored
        if (body.compare(pos, 2, "\r\n") != 0)
            return std::nullopt;
        pos += 2;
        const size_t headersEnd = body.find("\r\n\r\n", pos);
        if (headersEnd == std::string::npos)
            return std::nullopt;
        Part part;
        bool named = false;
        size_t line = pos;
        while (line < headersEnd) {
            size_t lineEnd = body.find("\r\n", line);
            if (lineEnd == std::string::npos || lineEnd > headersEnd)
                lineEnd = headersEnd;
            const std::string header = body.substr(line, lineEnd - line);
            const size_t colon = header.find(':');
            if (colon == std::string::npos)
                return std::nullopt;
            const std::string name = lower(trim(header.substr(0, colon)));
            const std::string value = trim(header.substr(colon + 1));
            if (name == "content-disposition") {
                if (lower(value).rfind("form-data", 0) != 0)
                    return std::nullopt;
                const auto partName = headerParameter(value, "name");
                if (!partName || partName->empty())
                    return std::nullopt;
                part.name = *partName;
                part.filename = headerParameter(value, "filename").value_or(std::string());
                named = true;
            } else if (name == "content-type") {
                part.contentType = value;
            }
            line = lineEnd + 2;
        }
        if (!named)
            return std::nullopt;
        const size_t contentStart = headersEnd + 4;
        const size_t contentEnd = body.find(delimiter, contentStart);
        if (contentEnd == std::string::npos)
            return std::nullopt;
        part.content = body.substr(contentStart, contentEnd - contentStart);
        form.m_parts.push_back(std::move(part));
        pos = contentEnd + delimiter.size();
    }
}

bool MultipartForm::has(const std::string &name) const
{
    return part(name) != nullptr;
}

const MultipartForm::Part *MultipartForm::part(const std::string &name) const
{
    for (const Part &part : m_parts) {
        if (part.name == name)
            return &part;
    }
    return nullptr;
}
