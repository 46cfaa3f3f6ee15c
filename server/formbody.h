#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

/**
 * One decoded "application/x-www-form-urlencoded" body (or query), keeping
 * the order of its pairs. Decoding is strict: a "%" that is not followed by
 * two hexadecimal digits makes the whole body invalid. "+" stays "+", the way
 * the client's signature code reads it.
 */
class FormBody
{
public:
    FormBody() = default;

    static std::optional<FormBody> parse(const std::string &encoded);
    static std::optional<std::string> percentDecode(const std::string &text);
    // Unreserved bytes kept, every other byte as "%XX" (upper-case hex).
    static std::string percentEncode(const std::string &text);

    bool has(const std::string &name) const;
    // The last value of that name, or the fallback.
    std::string value(const std::string &name, const std::string &fallback = {}) const;
    const std::vector<std::pair<std::string, std::string>> &pairs() const { return m_pairs; }

    void add(std::string name, std::string value);

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;
};
