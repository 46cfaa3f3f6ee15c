#pragma once

#include <optional>
#include <string>
#include <vector>

/**
 * A "multipart/form-data" body split into its parts. The app ends its
 * uploads with the closing boundary and no line break after it, so the
 * parser accepts the closing boundary with or without a trailing CRLF.
 */
class MultipartForm
{
public:
    struct Part
    {
        std::string name;
        std::string filename;
        std::string contentType;
        std::string content;
    };

    // The boundary parameter of a Content-Type header, or empty.
    static std::string boundaryOf(const std::string &contentType);
    static std::optional<MultipartForm> parse(const std::string &body, const std::string &boundary);

    bool has(const std::string &name) const;
    // The first part of that name, or null.
    const Part *part(const std::string &name) const;
    const std::vector<Part> &parts() const { return m_parts; }

private:
    std::vector<Part> m_parts;
};
