#include "app/applicationroot.h"

#include <QCoreApplication>
#include <QDir>

QString applicationRootPath()
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath())
        + QLatin1Char('/');
}
