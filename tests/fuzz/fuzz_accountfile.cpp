// The account file ".TAVIRO/trash" as a crash, a full disk or an older
// version may have left it: read, saved and read back.
#include "app/usermanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkdir(QStringLiteral(".TAVIRO")))
        qFatal("no temporary working folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile file(QStringLiteral(".TAVIRO/trash"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the account file");
    file.close();

    UserManager read;
    read.save();
    UserManager again;
    // What was saved reads back as it was held.
    if (again.getUserId() != read.getUserId() || again.getToken() != read.getToken()
        || again.getTokenSecret() != read.getTokenSecret() || again.getUsername() != read.getUsername()
        || again.getPhotoCount() != read.getPhotoCount() || again.getEmail() != read.getEmail()
        || again.getBio() != read.getBio() || again.getProtected() != read.getProtected()
        || again.isPicasaAvailable() != read.isPicasaAvailable())
        __builtin_trap();
    return 0;
}
