#include "server/serviceoptions.h"

#include <QDir>
#include <QFile>

namespace {

bool readPort(const QString &text, int *port)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 65535)
        return false;
    *port = value;
    return true;
}

} // namespace

QString ServiceOptions::usage()
{
    return QStringLiteral(
        "Usage: taviro-service [options]\n"
        "  --data <folder>       SQLite database and pictures (default: ./taviro-service-data)\n"
        "  --http-port <port>    plain HTTP port on 127.0.0.1 (default 8480, 0 picks a free one)\n"
        "  --https-port <port>   HTTPS port on 127.0.0.1 (default 8443, 0 picks a free one)\n"
        "  --certs <folder>      taviro-service.pem and taviro-service.key (default: beside the build)\n"
        "  --photos <folder>     demo pictures fetched by scripts/setup (default: build/demo-photos)\n"
        "  --seed-demo           fill an empty database with the demo community\n"
        "  --help                this text\n");
}

std::optional<ServiceOptions> ServiceOptions::parse(const QStringList &arguments, const QString &rootPath,
                                                    QString *error)
{
    ServiceOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--seed-demo")) {
            options.seedDemo = true;
        } else if (!hasValue
                   && (arg == QLatin1String("--data") || arg == QLatin1String("--http-port")
                       || arg == QLatin1String("--https-port") || arg == QLatin1String("--certs")
                       || arg == QLatin1String("--photos"))) {
            *error = arg + QStringLiteral(" needs a value");
            return std::nullopt;
        } else if (arg == QLatin1String("--data")) {
            options.dataFolder = arguments.at(++i);
        } else if (arg == QLatin1String("--certs")) {
            options.certFolder = arguments.at(++i);
        } else if (arg == QLatin1String("--photos")) {
            options.photoFolder = arguments.at(++i);
        } else if (arg == QLatin1String("--http-port")) {
            if (!readPort(arguments.at(++i), &options.httpPort)) {
                *error = QStringLiteral("--http-port takes a port number");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--https-port")) {
            if (!readPort(arguments.at(++i), &options.httpsPort)) {
                *error = QStringLiteral("--https-port takes a port number");
                return std::nullopt;
            }
        } else {
            *error = QStringLiteral("Unknown option ") + arg;
            return std::nullopt;
        }
    }
    if (options.dataFolder.isEmpty())
        options.dataFolder = QDir::current().absoluteFilePath(QStringLiteral("taviro-service-data"));
    if (options.certFolder.isEmpty()) {
        // The build tree keeps them in server/certs, an installation in share/.
        options.certFolder = rootPath + QStringLiteral("server/certs");
        if (!QFile::exists(options.certFolder + QStringLiteral("/taviro-service.pem")))
            options.certFolder = rootPath + QStringLiteral("share/taviro-service/certs");
    }
    if (options.photoFolder.isEmpty()) {
        options.photoFolder = rootPath + QStringLiteral("demo-photos");
        if (!QFile::exists(options.photoFolder))
            options.photoFolder = rootPath + QStringLiteral("share/taviro-service/demo-photos");
    }
    return options;
}
