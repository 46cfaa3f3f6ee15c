#include "app/qsysteminfomanager.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using LocationMap = QMap<uint, QDBusVariant>;
Q_DECLARE_METATYPE(LocationMap)

using Files = QMap<QString, QByteArray>;

// A tiny stand-in for ModemManager: one modem with a SIM.
class FakeModem3gpp : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ModemManager1.Modem.Modem3gpp")
    Q_PROPERTY(QString Imei READ imei)
    Q_PROPERTY(QString OperatorCode READ operatorCode)
public:
    explicit FakeModem3gpp(QObject *parent) : QDBusAbstractAdaptor(parent) {}
    QString imei() const { return QStringLiteral("356938035643809"); }
    QString operatorCode() const { return QStringLiteral("52001"); }
};

class FakeModem : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ModemManager1.Modem")
    Q_PROPERTY(QDBusObjectPath Sim READ sim)
public:
    explicit FakeModem(QObject *parent) : QDBusAbstractAdaptor(parent) {}
    QDBusObjectPath sim() const { return QDBusObjectPath(QStringLiteral("/org/freedesktop/ModemManager1/SIM/0")); }
};

class FakeLocation : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ModemManager1.Modem.Location")
public:
    explicit FakeLocation(QObject *parent) : QDBusAbstractAdaptor(parent) {}
public slots:
    LocationMap GetLocation()
    {
        return {{1u, QDBusVariant(QStringLiteral("520,01,1A2B,00C0FFEE"))}};
    }
};

class FakeSim : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ModemManager1.Sim")
    Q_PROPERTY(QString OperatorIdentifier READ operatorIdentifier)
public:
    explicit FakeSim(QObject *parent) : QDBusAbstractAdaptor(parent) {}
    QString operatorIdentifier() const { return QStringLiteral("460023"); }
};

class TestQSystemInfoManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void noBusAtAll();
    void busWithoutModemManager();
    void modemManagerOnTheBus();
    void deviceFiles_data();
    void deviceFiles();

private:
    // Only the cases that talk to a bus need one; the others run anyway.
    static bool sessionBus() { return QDBusConnection::sessionBus().isConnected(); }

    QThread m_serviceThread;
    QObject *m_modem = nullptr;
    QObject *m_sim = nullptr;
};

void TestQSystemInfoManager::initTestCase()
{
    qDBusRegisterMetaType<LocationMap>();
    m_serviceThread.start();
}

void TestQSystemInfoManager::cleanupTestCase()
{
    m_serviceThread.quit();
    m_serviceThread.wait();
}

void TestQSystemInfoManager::noBusAtAll()
{
    const QDBusConnection none(QStringLiteral("not-connected"));
    QSystemInfoManager info(none, QStringLiteral("/nonexistent-root"));
    QVERIFY(info.getCurrentMobileCountryCode().isEmpty());
    QVERIFY(info.getCurrentMobileNetworkCode().isEmpty());
    QVERIFY(info.getHomeMobileCountryCode().isEmpty());
    QVERIFY(info.getImei().isEmpty());
    QCOMPARE(info.getCellId(), 0);
    QCOMPARE(info.getLocationAreaCode(), 0);
    QVERIFY(info.getManufacturer().isEmpty());
    QVERIFY(info.getModel().isEmpty());
    QVERIFY(info.getOsVersion().isEmpty());
}

void TestQSystemInfoManager::busWithoutModemManager()
{
    if (!sessionBus())
        QSKIP("no session bus: run under dbus-run-session");
    QSystemInfoManager info(QDBusConnection::sessionBus(), QStringLiteral("/nonexistent-root"));
    QVERIFY(info.getCurrentMobileCountryCode().isEmpty());
    QCOMPARE(info.getCellId(), 0);
}

void TestQSystemInfoManager::modemManagerOnTheBus()
{
    if (!sessionBus())
        QSKIP("no session bus: run under dbus-run-session");
    // The fake service answers from its own thread and connection, so the
    // manager's blocking calls are served while the main thread waits.
    QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-mm"));
    QVERIFY(service.isConnected());

    m_modem = new QObject;
    new FakeModem(m_modem);
    new FakeModem3gpp(m_modem);
    new FakeLocation(m_modem);
    m_sim = new QObject;
    new FakeSim(m_sim);
    m_modem->moveToThread(&m_serviceThread);
    m_sim->moveToThread(&m_serviceThread);
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/ModemManager1/Modem/0"), m_modem,
                                   QDBusConnection::ExportAdaptors));
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/ModemManager1/SIM/0"), m_sim,
                                   QDBusConnection::ExportAdaptors));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.ModemManager1")));

    QSystemInfoManager info(QDBusConnection::sessionBus(), QStringLiteral("/nonexistent-root"));
    QCOMPARE(info.getCurrentMobileCountryCode(), QStringLiteral("520"));
    QCOMPARE(info.getCurrentMobileNetworkCode(), QStringLiteral("01"));
    QCOMPARE(info.getHomeMobileCountryCode(), QStringLiteral("460"));
    QCOMPARE(info.getHomeMobileNetworkCode(), QStringLiteral("023"));
    QCOMPARE(info.getImei(), QStringLiteral("356938035643809"));
    QCOMPARE(info.getLocationAreaCode(), 0x1A2B);
    QCOMPARE(info.getCellId(), 0x00C0FFEE);

    service.unregisterService(QStringLiteral("org.freedesktop.ModemManager1"));
    service.unregisterObject(QStringLiteral("/org/freedesktop/ModemManager1/Modem/0"));
    service.unregisterObject(QStringLiteral("/org/freedesktop/ModemManager1/SIM/0"));
    QMetaObject::invokeMethod(m_modem, &QObject::deleteLater);
    QMetaObject::invokeMethod(m_sim, &QObject::deleteLater);
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-mm"));
}

void TestQSystemInfoManager::deviceFiles_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("os");

    QTest::newRow("phone with a device tree")
        << Files{{"proc/device-tree/compatible", QByteArray("pine64,pinephone-1.2\0allwinner,sun50i-a64\0", 42)},
                                     {"proc/device-tree/model", QByteArray("Pine64 PinePhone (1.2)\0", 23)},
                                     {"etc/os-release", "NAME=\"Mobian\"\nVERSION_ID=\"12\"\n"}}
        << "pine64" << "Pine64 PinePhone (1.2)" << "12";
    QTest::newRow("desktop with DMI")
        << Files{{"sys/class/dmi/id/sys_vendor", "LENOVO\n"},
                                     {"sys/class/dmi/id/product_name", "20HRCTO1WW\n"},
                                     {"etc/os-release", "VERSION_ID=12\n"}}
        << "LENOVO" << "20HRCTO1WW" << "12";
    QTest::newRow("nothing to read") << Files{} << "" << "" << "";
}

void TestQSystemInfoManager::deviceFiles()
{
    QFETCH(Files, files);
    QFETCH(QString, manufacturer);
    QFETCH(QString, model);
    QFETCH(QString, os);

    QTemporaryDir root;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root.filePath(it.key());
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(it.value());
    }
    QSystemInfoManager info(QDBusConnection(QStringLiteral("not-connected")), root.path());
    QCOMPARE(info.getManufacturer(), manufacturer);
    QCOMPARE(info.getModel(), model);
    QCOMPARE(info.getOsVersion(), os);
}

QTEST_GUILESS_MAIN(TestQSystemInfoManager)
#include "tst_qsysteminfomanager.moc"
