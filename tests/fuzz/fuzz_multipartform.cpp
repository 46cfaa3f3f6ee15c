// Upload bodies: the first line is the request's Content-Type header, the
// rest the body.
#include "server/multipartform.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const size_t lineEnd = input.find('\n');
    if (lineEnd == std::string::npos)
        return 0;
    const std::string boundary = MultipartForm::boundaryOf(input.substr(0, lineEnd));
    const std::string body = input.substr(lineEnd + 1);
    const auto form = MultipartForm::parse(body, boundary.empty() ? std::string("AaB03x") : boundary);
    if (!form)
        return 0;
    size_t content = 0;
    for (const MultipartForm::Part &part : form->parts()) {
        if (part.name.empty())
            __builtin_trap();
        content += part.content.size();
    }
    if (content > body.size())
        __builtin_trap();
    return 0;
}
