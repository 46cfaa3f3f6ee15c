#include "app/startup.h"

#include "app/appshell.h"

#include <QApplication>
#include <QDir>

void ensureDataFolder()
{
    QDir().mkdir(QStringLiteral(".TAVIRO/"));
}

bool isThaiCountryCode(const QString &mobileCountryCode)
{
    return mobileCountryCode == QLatin1String("520");
}

int runTaviro(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppShell shell;
    shell.start();
    return app.exec();
}
