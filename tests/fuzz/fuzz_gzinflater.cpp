// Bodies as a server may send them: gzip, zlib or anything else.
#include "service/gzinflater.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const QByteArray inflated = GZInflater::inflate(body, int(size) * 4);
    if (inflated.size() > GZInflater::MaxOutputBytes)
        __builtin_trap();
    return 0;
}
