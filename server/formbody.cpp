#include "server/formbody.h"

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
        || c == '.' || c == '_' || c == '~';
}

} // namespace

std::optional<std::string> FormBody::percentDecode(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string FormBody::percentEncode(const std::string &text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char c : text) {
        if (isUnreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0x0F];
        }
    }
    return out;
}

std::optional<FormBody> FormBody::parse(const std::string &encoded)
{
    FormBody body;
    size_t start = 0;
    while (start <= encoded.size()) {
        size_t end = encoded.find('&', start);
        if (end == std::string::npos)
            end = encoded.size();
        const std::string pair = encoded.substr(start, end - start);
        start = end + 1;
        if (pair.empty())
            continue;
        const size_t eq = pair.find('=');
        const auto name = percentDecode(pair.substr(0, eq));
        const auto value = percentDecode(eq == std::string::npos ? std::string() : pair.substr(eq + 1));
        if (!name || !value || name->empty())
            return std::nullopt;
        body.add(*name, *value);
    }
    return body;
}

bool FormBody::has(const std::string &name) const
{
    for (const auto &pair : m_pairs) {
        if (pair.first == name)
            return true;
    }
    return false;
}

std::string FormBody::value(const std::string &name, const std::string &fallback) const
{
    for (auto it = m_pairs.rbegin(); it != m_pairs.rend(); ++it) {
        if (it->first == name)
            return it->second;
    }
    return fallback;
}

void FormBody::add(std::string name, std::string value)
{
    m_pairs.emplace_back(std::move(name), std::move(value));
}
