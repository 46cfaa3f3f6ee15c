#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/** The command line of taviro-service. */
struct ServiceOptions
{
    QString dataFolder;
    QString certFolder;
    QString photoFolder;
    QString bindAddress = QStringLiteral("127.0.0.1");
    int httpPort = 8480;
    int httpsPort = 8443;
    bool seedDemo = false;

    // Unset folders get their defaults relative to `rootPath`, the folder
    // above the executable's. On a bad command line `error` says why.
    static std::optional<ServiceOptions> parse(const QStringList &arguments, const QString &rootPath,
                                               QString *error);
    static QString usage();
};
