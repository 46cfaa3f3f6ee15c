#include "models/savefilewriter.h"

#include "models/modelslog.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// One thread, so that writes of one file land in the order they were asked.
class WriterPool : public QThreadPool
{
public:
    WriterPool() { setMaxThreadCount(1); }
};

Q_GLOBAL_STATIC(WriterPool, s_pool)

void replaceFile(const QString &path, const QByteArray &bytes)
{
    // The saved lists are copies of what the service holds: they must never
    // be found half-written, but need not outlive a power cut, so there is no
    // sync to disk.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        qCDebug(lcModels) << "cannot write" << path << file.errorString();
        return;
    }
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        qCDebug(lcModels) << "cannot replace" << path << std::strerror(errno);
        return;
    }
    file.setAutoRemove(false);
}

} // namespace

void SaveFileWriter::write(const QString &path, const QByteArray &bytes)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    s_pool->start([absolutePath, bytes] { replaceFile(absolutePath, bytes); });
}

void SaveFileWriter::waitForWrites()
{
    s_pool->waitForDone();
}
