#include "proxycaptureserver.h"

#include "app/globalservices.h"
#include "app/qmltypes.h"
#include "service/taviroservicecontroller.h"
#include "service/taviroserviceengine.h"
#include "taviroconfig.h"

#include <QFile>
#include <QMetaMethod>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/** A native handler that records what it is given. */
class RecordingHandler : public QObject
{
    Q_OBJECT
public:
    // Counts calls on every instance, including ones that should no longer exist.
    static int s_calls;

    QVariantList received;
    QVariantList errored;

    Q_INVOKABLE void onTaviroServiceDataReceived(QVariant success, QVariant data)
    {
        ++s_calls;
        received = {success, data};
    }
    Q_INVOKABLE void onTaviroServiceError(QVariant statusCode, QVariant message)
    {
        ++s_calls;
        errored = {statusCode, message};
    }
};

int RecordingHandler::s_calls = 0;

namespace {

const QByteArray kQmlHandler = R"(
import QtQuick 2.15
import TAVIROLib 1.0

TaviroServiceHandler {
    id: handler
    property var success
    property var body
    property bool bodyIsArrayBuffer: false
    property var statusCode
    property var message

    function fetchTimeline() { return taviroServiceController.getHomeTimeline(5, 1, 20, 0, 0, handler) }
    function fetchPicture() { return taviroServiceController.getLargePicture("Ab1", "l") }
    function fetchPopular() { return taviroServiceController.getPopularTimeline() }

    function onTaviroServiceDataReceived(success, data) {
        handler.success = success
        handler.body = data
        handler.bodyIsArrayBuffer = data instanceof ArrayBuffer
    }
    function onTaviroServiceError(statusCode, message) {
        handler.statusCode = statusCode
        handler.message = message
    }
}
)";

ProxyCaptureServer::Response response(int status, const QByteArray &body,
                                      const QByteArray &contentType = "application/json")
{
    ProxyCaptureServer::Response answer;
    answer.status = status;
    answer.body = body;
    answer.contentType = contentType;
    return answer;
}

} // namespace

/**
 * Results reach the handler passed with the call, through the handler
 * convention, and only while that handler exists.
 */
class TestServiceController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void invokables();
    void delivery_data();
    void delivery();
    void qmlHandler();
    void callsWithoutHandler();
    void destroyedHandlerIsNotCalled_data();
    void destroyedHandlerIsNotCalled();
    void destroyedQmlHandlerIsNotCalled();
    void cancelledCallIsNotAnswered();
    void handlerWithoutErrorMethod();
    void largePicture_data();
    void largePicture();

private:
    // Waits until the engine has finished with count more replies.
    bool waitForResults(int count);

    QTemporaryDir m_home;
    std::unique_ptr<GlobalServices> m_hub;
    TAVIROServiceController *m_controller = nullptr;
    TAVIROServiceEngine *m_engine = nullptr;
    std::unique_ptr<ProxyCaptureServer> m_server;
    int m_results = 0;
    // Requests the running test makes; any other request fails it.
    int m_expectedRequests = 0;
};

void TestServiceController::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY(QDir::setCurrent(m_home.path()));
    registerQmlTypes();

    QCOMPARE(TAVIROServiceController::getInstance(), nullptr);
    m_hub = std::make_unique<GlobalServices>();
    GlobalServices::setInstance(m_hub.get());
    m_controller = TAVIROServiceController::getInstance();
    QVERIFY(m_controller);
    m_engine = m_controller->findChild<TAVIROServiceEngine *>();
    QVERIFY(m_engine);
    const auto count = [this] { ++m_results; };
    connect(m_engine, &TAVIROServiceEngine::dataReceived, this, count);
    connect(m_engine, &TAVIROServiceEngine::dataErrored, this, count);
}

void TestServiceController::init()
{
    RecordingHandler::s_calls = 0;
    m_results = 0;
    m_expectedRequests = 0;
    m_server = std::make_unique<ProxyCaptureServer>();
    QVERIFY(m_server->start(m_engine->findChild<QNetworkAccessManager *>()));
}

void TestServiceController::cleanup()
{
    // Replies are the manager's children until they finish: with none left,
    // every request the calls made has reached the server (or failed).
    auto *manager = m_controller->findChild<TAVIROServiceEngine *>()->findChild<QNetworkAccessManager *>();
    QTRY_VERIFY(manager->findChildren<QNetworkReply *>().isEmpty());
    QCOMPARE(m_server->requests().size(), m_expectedRequests);
    m_server.reset();
}

void TestServiceController::cleanupTestCase()
{
    m_hub.reset();
    QCOMPARE(TAVIROServiceController::getInstance(), nullptr);
}

bool TestServiceController::waitForResults(int count)
{
    return QTest::qWaitFor([this, count] { return m_results >= count; }, 5000) && m_results == count;
}

void TestServiceController::invokables()
{
    // What QML can call, in declaration order, with the parameter names its handlers see.
    QFile file(QStringLiteral(TAVIRO_TEST_DATA "/service/controller-invokables.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    QStringList actual;
    const QMetaObject &meta = TAVIROServiceController::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.access() != QMetaMethod::Public || method.methodType() == QMetaMethod::Signal)
            continue;
        QStringList parameters;
        for (int p = 0; p < method.parameterCount(); ++p)
            parameters << QString::fromLatin1(method.parameterTypes().at(p) + ' ' + method.parameterNames().at(p));
        actual << QString::fromLatin1(method.typeName()) + QLatin1Char(' ') + QString::fromLatin1(method.name())
                + QLatin1Char('(') + parameters.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    QCOMPARE(actual, expected);
}

void TestServiceController::delivery_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QVariantList>("received");
    QTest::addColumn<QVariantList>("errored");

    const QByteArray failure = R"({"success":false,"reason":"nope"})";
    QTest::newRow("200 delivered whatever the JSON says")
        << 200 << failure << QVariantList{true, failure} << QVariantList();
    QTest::newRow("404 with a reason") << 404 << QByteArray(R"({"reason":"x"})") << QVariantList()
                                       << QVariantList{404, QStringLiteral("x")};
    QTest::newRow("500 with HTML") << 500 << QByteArray("<html>down</html>") << QVariantList()
                                   << QVariantList{500, QStringLiteral("<html>down</html>")};
}

void TestServiceController::delivery()
{
    m_expectedRequests = 1;
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QVariantList, received);
    QFETCH(QVariantList, errored);

    RecordingHandler handler;
    m_server->enqueueResponse(response(status, body));
    m_controller->getUserProfilesByUserId(12, &handler);
    QVERIFY(waitForResults(1));
    QCOMPARE(RecordingHandler::s_calls, 1);
    QCOMPARE(handler.received, received);
    QCOMPARE(handler.errored, errored);
    if (!received.isEmpty()) {
        QCOMPARE(handler.received.at(0).userType(), int(QMetaType::Bool));
        QCOMPARE(handler.received.at(1).userType(), int(QMetaType::QByteArray));
    } else {
        QCOMPARE(handler.errored.at(0).userType(), int(QMetaType::Int));
        QCOMPARE(handler.errored.at(1).userType(), int(QMetaType::QString));
    }
}

void TestServiceController::qmlHandler()
{
    m_expectedRequests = 3;
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("taviroServiceController"), m_controller);
    QQmlComponent component(&engine);
    component.setData(kQmlHandler, QUrl());
    std::unique_ptr<QObject> handler(component.create());
    QVERIFY2(handler, qPrintable(component.errorString()));

    const QByteArray answer = R"({"success":true,"data":[]})";
    m_server->enqueueResponse(response(200, answer));
    QVariant transaction;
    QVERIFY(QMetaObject::invokeMethod(handler.get(), "fetchTimeline", Q_RETURN_ARG(QVariant, transaction)));
    QVERIFY(transaction.toInt() > 0);
    QVERIFY(waitForResults(1));
    QCOMPARE(m_server->requests().size(), 1);
    QVERIFY(m_server->requests().first().body.endsWith("&user_id=5&page=1&picture_per_page=20"));
    QCOMPARE(handler->property("success"), QVariant(true));
    QVERIFY(handler->property("bodyIsArrayBuffer").toBool());
    QCOMPARE(handler->property("body").toByteArray(), answer);

    m_server->enqueueResponse(response(403, R"({"reason":"private"})"));
    QVERIFY(QMetaObject::invokeMethod(handler.get(), "fetchTimeline", Q_RETURN_ARG(QVariant, transaction)));
    QVERIFY(waitForResults(2));
    QCOMPARE(handler->property("statusCode").toInt(), 403);
    QCOMPARE(handler->property("message").toString(), QStringLiteral("private"));

    // The two-text overload builds the public photo address.
    QVERIFY(QMetaObject::invokeMethod(handler.get(), "fetchPicture", Q_RETURN_ARG(QVariant, transaction)));
    QVERIFY(waitForResults(3));
    QCOMPARE(m_server->requests().at(2).method, QByteArray("GET"));
    QCOMPARE(m_server->requests().at(2).url, QLatin1String(TaviroConfig::kWebHost) + QStringLiteral("/photos/Ab1/l"));
}

void TestServiceController::callsWithoutHandler()
{
    m_expectedRequests = 2;
    const int first = m_controller->getPopularTimeline();
    const int second = m_controller->lovePicture(7);
    QCOMPARE(second, first + 1);
    QVERIFY(waitForResults(2));
    QCOMPARE(m_server->requests().size(), 2);
    QCOMPARE(RecordingHandler::s_calls, 0);
}

void TestServiceController::destroyedHandlerIsNotCalled_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("answered") << 200;
    QTest::newRow("failed") << 404;
}

void TestServiceController::destroyedHandlerIsNotCalled()
{
    m_expectedRequests = 2;
    QFETCH(int, status);

    m_server->setHoldAnswers(true);
    m_server->enqueueResponse(response(status, "{}"));
    auto *handler = new RecordingHandler;
    RecordingHandler survivor;
    m_controller->getFrontPageTimeline(handler);
    m_controller->getFrontPageTimeline(&survivor);
    QVERIFY(m_server->waitForRequests(2));
    delete handler;
    m_server->release();
    QVERIFY(waitForResults(2));
    QCOMPARE(RecordingHandler::s_calls, 1);
    QCOMPARE(survivor.received.size() + survivor.errored.size(), 2);
}

void TestServiceController::destroyedQmlHandlerIsNotCalled()
{
    m_expectedRequests = 1;
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("taviroServiceController"), m_controller);
    QQmlComponent component(&engine);
    component.setData(kQmlHandler, QUrl());
    auto *handler = component.create();
    QVERIFY2(handler, qPrintable(component.errorString()));

    m_server->setHoldAnswers(true);
    QVariant transaction;
    QVERIFY(QMetaObject::invokeMethod(handler, "fetchTimeline", Q_RETURN_ARG(QVariant, transaction)));
    QVERIFY(m_server->waitForRequests(1));
    delete handler;
    m_server->release();
    QVERIFY(waitForResults(1));
}

void TestServiceController::cancelledCallIsNotAnswered()
{
    m_expectedRequests = 2;
    RecordingHandler handler;
    m_server->setHoldAnswers(true);
    const int transactionId = m_controller->getSuggestFriend(&handler);
    QVERIFY(m_server->waitForRequests(1));
    m_controller->cancelTransactionByTransactionID(transactionId);
    m_server->release();
    // A second call, answered after the cancelled one was released: its
    // result is the only one.
    RecordingHandler sentinel;
    m_controller->getSuggestFriend(&sentinel);
    QVERIFY(waitForResults(1));
    QCOMPARE(RecordingHandler::s_calls, 1);
}

void TestServiceController::handlerWithoutErrorMethod()
{
    m_expectedRequests = 2;
    QObject handler;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method.*onTaviroServiceError")));
    m_server->enqueueResponse(response(404, "{}"));
    m_controller->deletePicture(7, &handler);
    QVERIFY(waitForResults(1));

    RecordingHandler next;
    m_controller->deletePicture(8, &next);
    QVERIFY(waitForResults(2));
    QCOMPARE(next.received.size(), 2);
}

void TestServiceController::largePicture_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("withHandler");
    QTest::addColumn<bool>("announced");
    QTest::addColumn<int>("handlerCalls");

    QTest::newRow("loaded, no handler") << 200 << false << true << 0;
    QTest::newRow("loaded, with handler") << 200 << true << true << 1;
    QTest::newRow("failed, no handler") << 404 << false << false << 0;
    QTest::newRow("failed, with handler") << 404 << true << false << 1;
}

void TestServiceController::largePicture()
{
    m_expectedRequests = 1;
    QFETCH(int, status);
    QFETCH(bool, withHandler);
    QFETCH(bool, announced);
    QFETCH(int, handlerCalls);

    const QByteArray picture("\xFF\xD8 jpeg \xFF\xD9");
    const QString url = QStringLiteral("http://127.0.0.1:8480/photos/Ab1/l");
    QSignalSpy hub(m_hub.get(), &GlobalServices::largePictureLoadingCompleted);
    RecordingHandler handler;
    m_server->enqueueResponse(response(status, picture, "image/jpeg"));
    m_controller->getLargePicture(url, withHandler ? &handler : nullptr);
    QVERIFY(waitForResults(1));
    QCOMPARE(m_server->requests().first().method, QByteArray("GET"));
    QCOMPARE(m_server->requests().first().url, url);
    QCOMPARE(RecordingHandler::s_calls, handlerCalls);
    QCOMPARE(hub.size(), announced ? 1 : 0);
    if (announced)
        QCOMPARE(hub.first(), QVariantList({url, picture}));
}

QTEST_MAIN(TestServiceController)
#include "tst_servicecontroller.moc"
