#pragma once

#include <QByteArray>
#include <QObject>

/**
 * Decodes gzip or zlib bodies. Anything that is not a complete, well-formed
 * stream (plain text, a truncated body, an output beyond MaxOutputBytes)
 * comes back unchanged.
 */
class GZInflater : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    static constexpr int MaxOutputBytes = 64 * 1024 * 1024;

    static QByteArray inflate(const QByteArray &data, int initialCapacity);
};
