// The upload queue's "details.txt" as any version of the app, a crash or a
// hand edit may have left it: read, written again and read back.
#include "upload/queuefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const QString kCode = QStringLiteral("1354000000");

void writeDetails(const QByteArray &text)
{
    QFile file(QueueFolder::path(kCode) + QStringLiteral("details.txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        qFatal("cannot write the details file");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkpath(QueueFolder::path(kCode)))
        qFatal("no temporary working folder");
    QFile photo(QueueFolder::photoPath(kCode));
    if (!photo.open(QIODevice::WriteOnly) || photo.write("\xFF\xD8 photo \xFF\xD9") <= 0)
        qFatal("cannot write the photo");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    writeDetails(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    TavoImageInfo first;
    if (!QueueFolder::read(kCode, &first))
        __builtin_trap(); // the photo is there: any details text reads
    // What the queue writes for an entry reads back as the same entry.
    const QByteArray written = QueueFolder::detailsText(first);
    writeDetails(written);
    TavoImageInfo second;
    if (!QueueFolder::read(kCode, &second) || QueueFolder::detailsText(second) != written)
        __builtin_trap();
    return 0;
}
