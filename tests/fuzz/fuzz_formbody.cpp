// Form bodies and queries as clients send them to the service.
#include "server/formbody.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const auto form = FormBody::parse(text);
    if (!form)
        return 0;
    // Every decoded pair encodes to a text that decodes back to it.
    for (const auto &pair : form->pairs()) {
        const auto again = FormBody::percentDecode(FormBody::percentEncode(pair.second));
        if (!again || *again != pair.second)
            __builtin_trap();
    }
    return 0;
}
