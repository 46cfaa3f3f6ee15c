#include "app/globalservices.h"
#include "app/usermanager.h"
#include "server/taviroservice.h"
#include "service/taviroservicecontroller.h"
#include "service/taviroserviceengine.h"
#include "tests/server/answerhandler.h"
#include "tests/server/forwardingproxy.h"
#include "upload/uploaderqueuemodel.h"

#include "taviroconfig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

/**
 * The queue against a freshly started stand-in service, signed in as the
 * demo account. A forwarding proxy carries the app's requests to the
 * service's free ports and can answer, drop or hold an upload instead.
 */
class TestUploadQueueEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_previousDir;
    std::unique_ptr<TaviroService> m_service;
    std::unique_ptr<GlobalServices> m_hub;
    UploaderQueueModel *m_queue = nullptr;
    ForwardingProxy *m_proxy = nullptr;
    qint64 m_demoId = 0;
    QString m_photo;
    int m_run = 0;

    template<typename Call>
    std::unique_ptr<AnswerHandler> ask(Call &&call)
    {
        auto handler = std::make_unique<AnswerHandler>();
        QSignalSpy spy(handler.get(), &AnswerHandler::answered);
        call(handler.get());
        if (!spy.wait(15000))
            qWarning("no answer");
        return handler;
    }

    // Captions of the demo account's own photos, newest first.
    QStringList postedNames()
    {
        const auto answer = ask([&](QObject *h) {
            TAVIROServiceController::getInstance()->getUserTimelineByUserId(int(m_demoId), 1, 100, 0, 0, h);
        });
        QStringList names;
        for (const QJsonValue &row : answer->json().value(QStringLiteral("data")).toArray())
            names << row.toObject().value(QStringLiteral("name")).toString();
        return names;
    }

    // Names unique to this test function, so photos of earlier ones never count.
    QString name(const char *what) const { return QStringLiteral("run%1-%2").arg(m_run).arg(QLatin1String(what)); }

    void queue(const QString &caption)
    {
        m_queue->appendImageFileToQueue(m_photo, QVariantMap{{"imageName", caption}, {"imageDescription", "queued"}});
    }

    int uploadRequests() const { return m_proxy->plainPaths().count("/v1/picture_insert"); }

    static QStringList queueFolders()
    {
        return QDir(QStringLiteral(".TAVIRO/queues")).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static ForwardingProxy::Fault fault(ForwardingProxy::Fault::Kind kind, int status = 500,
                                        const QByteArray &body = QByteArray(), int after = 0)
    {
        ForwardingProxy::Fault fault;
        fault.path = "/picture_insert";
        fault.kind = kind;
        fault.status = status;
        fault.body = body;
        fault.after = after;
        return fault;
    }

private slots:
    void initTestCase();
    void init() { ++m_run; }
    void cleanup();
    void cleanupTestCase();

    void threePhotosUploadOldestFirstEachOnce();
    void photoQueuedDuringAnUploadWaitsItsTurn();
    void removingTheRunningUploadCancelsItAndTheNextStartsLater();
    void failedAnswers_data();
    void failedAnswers();
    void photoGoneBeforeItsTurnFailsWithoutBeingSent();
    void killedMidUploadAndStartedAgainLosesNothing();
};

void TestUploadQueueEndToEnd::initTestCase()
{
    QVERIFY(m_home.isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_home.path());
    QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO")));

    ServiceOptions options;
    options.dataFolder = m_home.filePath(QStringLiteral("service"));
    options.certFolder = QFileInfo(QString::fromLatin1(TaviroConfig::kExtraCaCert)).absolutePath();
    options.httpPort = 0;
    options.httpsPort = 0;
    m_service = std::make_unique<TaviroService>(options);
    QString error;
    QVERIFY2(m_service->open(&error), qPrintable(error));
    m_service->seedDemoIfEmpty();
    m_service->start();

    QHash<int, int> ports;
    for (const char *base : {TaviroConfig::kApiBasePlain, TaviroConfig::kApiBaseSecure}) {
        const QUrl url(QString::fromLatin1(base));
        const bool secure = url.scheme() == QLatin1String("https");
        ports.insert(url.port(secure ? 443 : 80), secure ? m_service->httpsPort() : m_service->httpPort());
    }
    m_hub = std::make_unique<GlobalServices>();
    GlobalServices::setInstance(m_hub.get());
    m_queue = UploaderQueueModel::getInstance();
    auto *engine = TAVIROServiceController::getInstance()->findChild<TAVIROServiceEngine *>();
    m_proxy = new ForwardingProxy(ports, this);
    QVERIFY(m_proxy->start(engine->findChild<QNetworkAccessManager *>()));

    const auto answer = ask([&](QObject *h) {
        TAVIROServiceController::getInstance()->loginUser(QStringLiteral("demo"), QStringLiteral("taviro-demo"), h);
    });
    QCOMPARE(answer->status, 200);
    const QJsonObject account = answer->json();
    m_demoId = account.value(QStringLiteral("user_id")).toVariant().toLongLong();
    UserManager().setLoggedUserInformation(uint(m_demoId), QStringLiteral("demo"),
                                           account.value(QStringLiteral("oauth_token")).toString(),
                                           account.value(QStringLiteral("oauth_token_secret")).toString());

    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(200, 90, 40));
    m_photo = m_home.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(image.save(m_photo, "JPEG"));
}

void TestUploadQueueEndToEnd::cleanup()
{
    m_queue->removeAllQueues();
    QCOMPARE(queueFolders(), QStringList());
}

void TestUploadQueueEndToEnd::cleanupTestCase()
{
    m_hub.reset();
    GlobalServices::setInstance(nullptr);
    m_service.reset();
    QDir::setCurrent(m_previousDir);
}

void TestUploadQueueEndToEnd::threePhotosUploadOldestFirstEachOnce()
{
    QStringList events;
    for (auto signal : {&GlobalServices::imageUploaded, &GlobalServices::uploadingQueueChanged,
                        &GlobalServices::timelineRefreshRequested, &GlobalServices::profileRefreshRequested}) {
        connect(m_hub.get(), signal, this, [&events, signal] {
            events << (signal == &GlobalServices::imageUploaded              ? "uploaded"
                           : signal == &GlobalServices::uploadingQueueChanged ? "changed"
                           : signal == &GlobalServices::timelineRefreshRequested ? "timeline"
                                                                                 : "profile");
        });
    }
    qint64 bytesSent = 0;
    qint64 bytesTotal = 0;
    connect(m_queue, &QAbstractItemModel::dataChanged, this, [&](const QModelIndex &index) {
        bytesSent = std::max(bytesSent, index.data(UploaderQueueModel::BytesSentRole).toLongLong());
        bytesTotal = std::max(bytesTotal, index.data(UploaderQueueModel::BytesTotalRole).toLongLong());
    });

    queue(name("a"));
    queue(name("b"));
    queue(name("c"));
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 0, 30000);
    disconnect(m_hub.get(), nullptr, this, nullptr);
    disconnect(m_queue, nullptr, this, nullptr);

    QCOMPARE(postedNames().mid(0, 3), (QStringList{name("c"), name("b"), name("a")}));
    QCOMPARE(postedNames().filter(QStringLiteral("run%1-").arg(m_run)).size(), 3);
    QCOMPARE(uploadRequests(), 3);
    QCOMPARE(queueFolders(), QStringList());
    QStringList expected = {"changed", "changed", "changed"};
    for (int i = 0; i < 3; ++i)
        expected << "uploaded" << "changed" << "timeline" << "profile";
    QCOMPARE(events, expected);
    // The running upload told how far it had got: all of the body, in the end.
    QVERIFY(bytesTotal > QFileInfo(m_photo).size());
    QCOMPARE(bytesSent, bytesTotal);
}

void TestUploadQueueEndToEnd::photoQueuedDuringAnUploadWaitsItsTurn()
{
    int requestsWhenFirstDone = -1;
    connect(m_hub.get(), &GlobalServices::imageUploaded, this, [&] {
        if (requestsWhenFirstDone < 0)
            requestsWhenFirstDone = uploadRequests();
    });
    // The second photo is queued while the first is on the wire: its upload
    // reports progress before its answer can arrive (polling for the state
    // could miss an upload that loopback finishes in a few milliseconds).
    QString firstState;
    QString secondState;
    connect(TAVIROServiceController::getInstance(), &TAVIROServiceController::uploadProgressUpdated, this, [&] {
        if (!secondState.isEmpty())
            return;
        firstState = m_queue->getQueueState(0);
        queue(name("second"));
        secondState = m_queue->getQueueState(1);
    });
    const int before = uploadRequests();
    queue(name("first"));
    QTRY_VERIFY_WITH_TIMEOUT(!secondState.isEmpty(), 20000);
    disconnect(TAVIROServiceController::getInstance(), nullptr, this, nullptr);
    QCOMPARE(firstState, QStringLiteral("uploading"));
    QCOMPARE(secondState, QStringLiteral("queued"));
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 0, 20000);
    disconnect(m_hub.get(), nullptr, this, nullptr);

    // The second request went out only after the first answer.
    QCOMPARE(requestsWhenFirstDone, before + 1);
    QCOMPARE(postedNames().mid(0, 2), (QStringList{name("second"), name("first")}));
}

void TestUploadQueueEndToEnd::removingTheRunningUploadCancelsItAndTheNextStartsLater()
{
    QSignalSpy arrived(m_proxy, &ForwardingProxy::faultApplied);
    QSignalSpy canceled(m_hub.get(), &GlobalServices::uploadingQueueCanceled);
    m_proxy->addFault(fault(ForwardingProxy::Fault::Hold));
    m_proxy->addFault(fault(ForwardingProxy::Fault::Answer, 200, R"({"success":true,"picture_id":1})"));
    queue(name("held"));
    queue(name("next"));
    const QString heldCode = m_queue->index(0).data(UploaderQueueModel::FolderCodeRole).toString();
    QVERIFY(arrived.wait(15000));

    QElapsedTimer sinceRemoval;
    sinceRemoval.start();
    m_queue->removeQueue(0);
    QCOMPARE(canceled.count(), 1);
    QCOMPARE(canceled.at(0).at(0).toString(), heldCode);
    QVERIFY(!QFileInfo::exists(QStringLiteral(".TAVIRO/queues/") + heldCode));
    QVERIFY(arrived.wait(15000));
    QVERIFY2(sinceRemoval.elapsed() >= 450, qPrintable(QString::number(sinceRemoval.elapsed())));
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 0, 15000);
    QVERIFY(!postedNames().contains(name("held")));
}

void TestUploadQueueEndToEnd::failedAnswers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("transient");
    QTest::addColumn<QString>("reason");
    using Fault = ForwardingProxy::Fault;
    QTest::newRow("500, then through") << int(Fault::Answer) << 500
                                       << QByteArray(R"({"success":false,"reason":"Database busy"})") << true
                                       << "Database busy";
    QTest::newRow("429, then through") << int(Fault::Answer) << 429
                                       << QByteArray(R"({"success":false,"reason":"Slow down"})") << true
                                       << "Slow down";
    QTest::newRow("408, then through") << int(Fault::Answer) << 408 << QByteArray() << true << "";
    QTest::newRow("400 refused") << int(Fault::Answer) << 400
                                 << QByteArray(R"({"success":false,"reason":"Picture too small"})") << false
                                 << "Picture too small";
    QTest::newRow("200 without success") << int(Fault::Answer) << 200
                                         << QByteArray(R"({"success":false,"reason":"Not today"})") << false
                                         << "Not today";
    QTest::newRow("200 not JSON") << int(Fault::Answer) << 200 << QByteArray("<html>") << false
                                  << "The service did not accept the photo.";
}

void TestUploadQueueEndToEnd::failedAnswers()
{
    QFETCH(int, kind);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, transient);
    QFETCH(QString, reason);
    QStringList seen;
    // The first entry's states as the hub announces them, each change once.
    connect(m_hub.get(), &GlobalServices::uploadingQueueChanged, this, [&] {
        if (m_queue->getQueueCount() == 0 || m_queue->getQueueState(0) == QLatin1String("queued"))
            return;
        const QString state = m_queue->getQueueState(0) + QStringLiteral(": ") + m_queue->getQueueFailureReason(0);
        if (seen.isEmpty() || seen.last() != state)
            seen << state;
    });
    m_proxy->addFault(fault(ForwardingProxy::Fault::Kind(kind), status, body));
    const int before = uploadRequests();
    QSignalSpy failedForGood(m_queue, &UploaderQueueModel::uploadFailed);

    if (transient) {
        queue(name("retried"));
        QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 0, 20000);
        disconnect(m_hub.get(), nullptr, this, nullptr);
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.at(0).startsWith(QStringLiteral("retrying: ") + reason), qPrintable(seen.at(0)));
        QCOMPARE(uploadRequests(), before + 2);
        QCOMPARE(postedNames().count(name("retried")), 1);
        QCOMPARE(failedForGood.count(), 0);
        return;
    }

    queue(name("refused"));
    queue(name("behind"));
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 1, 20000);
    disconnect(m_hub.get(), nullptr, this, nullptr);
    QCOMPARE(seen, QStringList{QStringLiteral("failed: ") + reason});
    QCOMPARE(m_queue->getQueueState(0), QStringLiteral("failed"));
    QCOMPARE(m_queue->index(0).data(UploaderQueueModel::FailureReasonRole).toString(), reason);
    QCOMPARE(queueFolders().size(), 1);
    QCOMPARE(postedNames().mid(0, 1), QStringList{name("behind")});
    QCOMPARE(failedForGood.count(), 1);
    QCOMPARE(failedForGood.at(0).at(0).toString(), queueFolders().first());
    QCOMPARE(failedForGood.at(0).at(1).toString(), reason);

    // The user tries again: the service takes it this time.
    m_queue->retryQueue(0);
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueCount(), 0, 20000);
    QCOMPARE(postedNames().mid(0, 2), (QStringList{name("refused"), name("behind")}));
}

void TestUploadQueueEndToEnd::photoGoneBeforeItsTurnFailsWithoutBeingSent()
{
    QSignalSpy arrived(m_proxy, &ForwardingProxy::faultApplied);
    m_proxy->addFault(fault(ForwardingProxy::Fault::Hold));
    queue(name("held"));
    queue(name("emptied"));
    const QString code = m_queue->index(1).data(UploaderQueueModel::FolderCodeRole).toString();
    QVERIFY(arrived.wait(15000));
    const int requests = uploadRequests();
    QFile emptied(QStringLiteral(".TAVIRO/queues/") + code + QStringLiteral("/save.jpg"));
    QVERIFY(emptied.open(QIODevice::WriteOnly | QIODevice::Truncate));
    emptied.close();

    QSignalSpy failedForGood(m_queue, &UploaderQueueModel::uploadFailed);
    m_queue->removeQueue(0);
    QTRY_COMPARE_WITH_TIMEOUT(m_queue->getQueueState(0), QStringLiteral("failed"), 10000);
    QCOMPARE(failedForGood.count(), 1);
    QCOMPARE(failedForGood.at(0).at(0).toString(), code);
    QVERIFY2(m_queue->getQueueFailureReason(0).contains(QStringLiteral("empty")),
             qPrintable(m_queue->getQueueFailureReason(0)));
    QCOMPARE(uploadRequests(), requests);
    QCOMPARE(queueFolders(), QStringList{code});
}

void TestUploadQueueEndToEnd::killedMidUploadAndStartedAgainLosesNothing()
{
    const QString runner = QCoreApplication::applicationDirPath() + QStringLiteral("/uploadqueuerunner");
    QSignalSpy arrived(m_proxy, &ForwardingProxy::faultApplied);
    // The first photo goes through; the second is cut off by the kill.
    m_proxy->addFault(fault(ForwardingProxy::Fault::Hold, 0, QByteArray(), 1));
    const int before = uploadRequests();

    QProcess first;
    first.setWorkingDirectory(m_home.path());
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(runner, {QString::number(m_proxy->serverPort()), QStringLiteral("3"), name("killed")});
    QVERIFY(first.waitForStarted());
    QVERIFY(arrived.wait(30000));
    first.kill(); // SIGKILL
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QCOMPARE(uploadRequests(), before + 2);
    QCOMPARE(queueFolders().size(), 2);

    QProcess again;
    again.setWorkingDirectory(m_home.path());
    again.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    again.start(runner, {QString::number(m_proxy->serverPort())});
    QVERIFY(again.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(again.state(), QProcess::NotRunning, 30000);
    QCOMPARE(again.exitStatus(), QProcess::NormalExit);
    QCOMPARE(again.exitCode(), 0);
    QVERIFY(again.readAllStandardOutput().startsWith("queued 2\n"));

    QCOMPARE(postedNames().mid(0, 3), (QStringList{name("killed2"), name("killed1"), name("killed0")}));
    QCOMPARE(postedNames().filter(QStringLiteral("run%1-").arg(m_run)).size(), 3);
    QCOMPARE(queueFolders(), QStringList());
}

QTEST_MAIN(TestUploadQueueEndToEnd)
#include "tst_uploadqueueendtoend.moc"
