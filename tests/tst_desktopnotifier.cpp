#include "app/desktopnotifier.h"
#include "app/globalservices.h"
#include "app/translationloader.h"
#include "upload/uploaderqueuemodel.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

// Stands in for the desktop's notification service on a connection of its own.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notice {
        QString appName;
        uint replacesId;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    QList<Notice> notices;

public slots:
    uint Notify(const QString &app_name, uint replaces_id, const QString &app_icon, const QString &summary,
                const QString &body, const QStringList &, const QVariantMap &hints, int)
    {
        notices.append({app_name, replaces_id, app_icon, summary, body, hints});
        emit notified();
        return 100 + uint(notices.size());
    }

signals:
    void notified();
};

class TestDesktopNotifier : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void postedWhileAway_data();
    void postedWhileAway();
    void activeWindowIsNotDisturbed();
    void withoutServiceThePhotoStaysPosted();

private:
    void makeActive(QWindow *window);
    bool publishFake();
    UploaderQueueModel *queue() const { return UploaderQueueModel::getInstance(); }

    QTemporaryDir m_workDir;

    QDBusConnection m_fakeBus{QString()};
    FakeNotifications *m_fake = nullptr;
    GlobalServices *m_hub = nullptr;
    QWindow *m_main = nullptr;
    QWindow *m_other = nullptr;
};

void TestDesktopNotifier::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus (dbus-run-session)");
    // The hub's upload queue keeps its folders in the working directory.
    QVERIFY(QDir::setCurrent(m_workDir.path()));
    // The English plural forms come with the installed translations.
    QVERIFY(installTranslations(QLocale(QLocale::English, QLocale::UnitedStates)));
}

void TestDesktopNotifier::init()
{
    m_hub = new GlobalServices;
    m_main = new QWindow;
    m_other = new QWindow;
    m_main->setGeometry(0, 0, 100, 100);
    m_other->setGeometry(100, 0, 100, 100);
    m_main->show();
    m_other->show();
    m_fake = new FakeNotifications;
}

void TestDesktopNotifier::cleanup()
{
    m_fakeBus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    m_fakeBus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
    m_fakeBus = QDBusConnection(QString());
    delete m_fake;
    delete m_other;
    delete m_main;
    delete m_hub;
}

void TestDesktopNotifier::makeActive(QWindow *window)
{
    window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

bool TestDesktopNotifier::publishFake()
{
    m_fakeBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications"));
    return m_fakeBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), m_fake,
                                    QDBusConnection::ExportAllSlots)
        && m_fakeBus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

void TestDesktopNotifier::postedWhileAway_data()
{
    // "posted", "failed" (the service refused the photo) and "back" (the
    // user comes to the window and leaves again), all while away.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("summaries");
    QTest::addColumn<QList<uint>>("replacedIds");
    QTest::newRow("one photo") << QStringList{"posted"} << QStringList{"1 photo posted"} << QList<uint>{0};
    // Every notice replaces the one before of its kind, which the service numbered 101, 102, ...
    QTest::newRow("a queue counts up") << QStringList{"posted", "posted", "posted"}
                                       << QStringList{"1 photo posted", "2 photos posted", "3 photos posted"}
                                       << QList<uint>{0, 101, 102};
    QTest::newRow("coming back starts the count again")
        << QStringList{"posted", "posted", "back", "posted"}
        << QStringList{"1 photo posted", "2 photos posted", "1 photo posted"} << QList<uint>{0, 101, 102};
    QTest::newRow("failures have a notice of their own")
        << QStringList{"posted", "failed", "posted", "failed"}
        << QStringList{"1 photo posted", "1 photo not posted", "2 photos posted", "2 photos not posted"}
        << QList<uint>{0, 0, 101, 102};
    QTest::newRow("coming back starts both counts again")
        << QStringList{"failed", "posted", "back", "failed"}
        << QStringList{"1 photo not posted", "1 photo posted", "1 photo not posted"} << QList<uint>{0, 0, 101};
}

void TestDesktopNotifier::postedWhileAway()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, summaries);
    QFETCH(QList<uint>, replacedIds);
    QVERIFY(publishFake());
    DesktopNotifier notifier(m_hub, queue(), m_main);
    const QString reason = QStringLiteral("Picture too small.");

    makeActive(m_main);
    makeActive(m_other);
    for (const QString &event : events) {
        if (event == QLatin1String("back")) {
            makeActive(m_main);
            makeActive(m_other);
            continue;
        }
        const int before = m_fake->notices.size();
        if (event == QLatin1String("posted"))
            m_hub->emitImageUploaded();
        else
            emit queue()->uploadFailed(QStringLiteral("1765370000"), reason);
        // One at a time: the next notice needs the id of this one.
        QTRY_COMPARE(m_fake->notices.size(), before + 1);
    }

    QCOMPARE(m_fake->notices.size(), summaries.size());
    for (int i = 0; i < summaries.size(); ++i) {
        const FakeNotifications::Notice &notice = m_fake->notices.at(i);
        const bool failed = notice.summary.contains(QLatin1String("not posted"));
        QCOMPARE(notice.summary, summaries.at(i));
        QCOMPARE(notice.replacesId, replacedIds.at(i));
        QCOMPARE(notice.appName, QStringLiteral("TAVIRO"));
        QCOMPARE(notice.icon, QStringLiteral("org.taviro.taviro"));
        QCOMPARE(notice.hints.value("desktop-entry").toString(), QStringLiteral("org.taviro.taviro"));
        QCOMPARE(notice.hints.value("category").toString(),
                 failed ? QStringLiteral("transfer.error") : QStringLiteral("transfer.complete"));
        QCOMPARE(notice.body.startsWith(reason), failed);
    }
}

void TestDesktopNotifier::activeWindowIsNotDisturbed()
{
    QVERIFY(publishFake());
    DesktopNotifier notifier(m_hub, queue(), m_main);
    makeActive(m_main);
    m_hub->emitImageUploaded();
    emit queue()->uploadFailed(QStringLiteral("1765370000"), QStringLiteral("Picture too small."));
    m_hub->emitImageUploaded();
    // The sentinel: the first notice that arrives is the one posted after leaving.
    makeActive(m_other);
    m_hub->emitImageUploaded();
    QTRY_COMPARE(m_fake->notices.size(), 1);
    QCOMPARE(m_fake->notices.first().summary, QStringLiteral("1 photo posted"));
}

void TestDesktopNotifier::withoutServiceThePhotoStaysPosted()
{
    DesktopNotifier notifier(m_hub, queue(), m_main);
    makeActive(m_other);
    m_hub->emitImageUploaded();
    // Calls on one connection reach the bus in order: once this answers, the
    // notice above has been refused for want of a service.
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.Notifications")));

    QVERIFY(publishFake());
    m_hub->emitImageUploaded();
    QTRY_COMPARE(m_fake->notices.size(), 1);
    QCOMPARE(m_fake->notices.first().summary, QStringLiteral("2 photos posted"));
    QCOMPARE(m_fake->notices.first().replacesId, 0u);
}

QTEST_MAIN(TestDesktopNotifier)
#include "tst_desktopnotifier.moc"
