#include "app/qsysteminfomanager.h"

#include "app/shelllog.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kModemRoot = QStringLiteral("/org/freedesktop/ModemManager1/Modem");
const QString kModemIface = QStringLiteral("org.freedesktop.ModemManager1.Modem");
const QString k3gppIface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
const QString kLocationIface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Location");
const QString kSimIface = QStringLiteral("org.freedesktop.ModemManager1.Sim");
constexpr int kCallTimeoutMs = 1000;
constexpr uint kLocation3gppLacCi = 1;

using LocationMap = QMap<uint, QDBusVariant>;

QVariant modemProperty(const QDBusConnection &bus, const QString &path, const QString &iface, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << iface << name;
    const QDBusReply<QDBusVariant> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    return reply.isValid() ? reply.value().variant() : QVariant();
}

QString firstModemPath(const QDBusConnection &bus)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, kModemRoot,
                                                             QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                                             QStringLiteral("Introspect"));
    const QDBusReply<QString> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (!reply.isValid())
        return QString();
    // The first child node of the modem folder is the first modem.
    QXmlStreamReader xml(reply.value());
    int depth = 0;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartElement() && ++depth == 2 && xml.name() == QLatin1String("node"))
            return kModemRoot + QLatin1Char('/') + xml.attributes().value(QLatin1String("name")).toString();
        if (xml.isEndElement())
            --depth;
    }
    return QString();
}

// "MCCMNC" operator codes: the country code is always three digits.
void splitOperatorCode(const QString &code, QString *mcc, QString *mnc)
{
    if (code.size() < 5)
        return;
    *mcc = code.left(3);
    *mnc = code.mid(3);
}

QString readTrimmed(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // Device-tree strings end in NUL bytes.
    return QString::fromUtf8(file.readAll()).remove(QChar(0)).trimmed();
}

} // namespace

QSystemInfoManager::QSystemInfoManager(const QDBusConnection &bus, const QString &rootPrefix, QObject *parent)
    : QObject(parent)
{
    readModem(bus);
    readDevice(rootPrefix);
}

QSystemInfoManager *QSystemInfoManager::getInstance()
{
    static QSystemInfoManager *instance = new QSystemInfoManager(QDBusConnection::systemBus());
    return instance;
}

void QSystemInfoManager::readModem(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface()
        || !bus.interface()->isServiceRegistered(kService).value()) {
        qCDebug(lcShell) << "no ModemManager; network facts stay empty";
        return;
    }
    const QString modem = firstModemPath(bus);
    if (modem.isEmpty())
        return;

    m_imei = modemProperty(bus, modem, k3gppIface, QStringLiteral("Imei")).toString();
    splitOperatorCode(modemProperty(bus, modem, k3gppIface, QStringLiteral("OperatorCode")).toString(), &m_currentMcc,
                      &m_currentMnc);

    const auto sim = modemProperty(bus, modem, kModemIface, QStringLiteral("Sim")).value<QDBusObjectPath>();
    if (!sim.path().isEmpty() && sim.path() != QLatin1String("/"))
        splitOperatorCode(modemProperty(bus, sim.path(), kSimIface, QStringLiteral("OperatorIdentifier")).toString(),
                          &m_homeMcc, &m_homeMnc);

    // 3GPP location: "MCC,MNC,LAC,CI[,TAC]" with LAC and CI in hexadecimal.
    qDBusRegisterMetaType<LocationMap>();
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, modem, kLocationIface,
                                                             QStringLiteral("GetLocation"));
    const QDBusReply<LocationMap> location = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (location.isValid()) {
        const QStringList fields = location.value().value(kLocation3gppLacCi).variant().toString().split(QLatin1Char(','));
        if (fields.size() >= 4) {
            m_locationAreaCode = fields.at(2).toInt(nullptr, 16);
            m_cellId = fields.at(3).toInt(nullptr, 16);
        }
    }
}

void QSystemInfoManager::readDevice(const QString &rootPrefix)
{
    const QString compatible = readTrimmed(rootPrefix + QStringLiteral("/proc/device-tree/compatible"));
    if (!compatible.isEmpty()) {
        // "vendor,board": the maker is the vendor part of the first entry.
        m_manufacturer = compatible.section(QLatin1Char(','), 0, 0);
        m_model = readTrimmed(rootPrefix + QStringLiteral("/proc/device-tree/model"));
    } else {
        m_manufacturer = readTrimmed(rootPrefix + QStringLiteral("/sys/class/dmi/id/sys_vendor"));
        m_model = readTrimmed(rootPrefix + QStringLiteral("/sys/class/dmi/id/product_name"));
    }

    QFile osRelease(rootPrefix + QStringLiteral("/etc/os-release"));
    if (osRelease.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!osRelease.atEnd()) {
            const QString line = QString::fromUtf8(osRelease.readLine()).trimmed();
            if (line.startsWith(QLatin1String("VERSION_ID="))) {
                m_osVersion = line.mid(11).remove(QLatin1Char('"'));
                break;
            }
        }
    }
}
