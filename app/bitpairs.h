#pragma once

#include <QtGlobal>

#include <utility>

// Exchanges the given pairs of bits of value, one pair after the other (bit 0
// is the least significant). Used to obfuscate numbers in files and requests.
template<std::size_t N>
constexpr quint32 swapBitPairs(quint32 value, const std::pair<int, int> (&pairs)[N])
{
    for (const auto &[a, b] : pairs) {
        if (((value >> a) & 1u) != ((value >> b) & 1u))
            value ^= (1u << a) | (1u << b);
    }
    return value;
}
