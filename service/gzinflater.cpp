#include "service/gzinflater.h"

#include <zlib.h>

#include <algorithm>

namespace {
// 15 window bits plus 32: detect a gzip or a zlib header.
constexpr int kWindowBits = 15 + 32;
}

QByteArray GZInflater::inflate(const QByteArray &data, int initialCapacity)
{
    z_stream stream{};
    if (inflateInit2(&stream, kWindowBits) != Z_OK)
        return data;

    QByteArray output(std::clamp(initialCapacity, 1, int(MaxOutputBytes)), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(output.data());
    stream.avail_out = uInt(output.size());

    for (;;) {
        const int result = ::inflate(&stream, Z_SYNC_FLUSH);
        if (result == Z_STREAM_END) {
            const bool complete = stream.avail_in == 0;
            const int produced = output.size() - int(stream.avail_out);
            inflateEnd(&stream);
            if (!complete)
                return data;
            output.truncate(produced);
            return output;
        }
        // Room left but no end: the input ran out before the end marker.
        const bool progressPossible = (result == Z_OK || result == Z_BUF_ERROR) && stream.avail_out == 0;
        if (!progressPossible || output.size() >= MaxOutputBytes) {
            inflateEnd(&stream);
            return data;
        }
        const int used = output.size();
        output.resize(int(std::min<qint64>(qint64(used) * 2, MaxOutputBytes)));
        stream.next_out = reinterpret_cast<Bytef *>(output.data() + used);
        stream.avail_out = uInt(output.size() - used);
    }
}
