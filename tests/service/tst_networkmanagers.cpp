#include "app/globalservices.h"
#include "captureserver.h"
#include "fakelargepictureservice.h"
#include "service/extendednetworkaccessmanager.h"
#include "service/httpimageloadermanager.h"
#include "service/networkaccessmanagerfactory.h"
#include "service/networkaccessmanagerinteractor.h"
#include "service/taviroserviceengine.h"

#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestNetworkManagers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GlobalServices> m_hub;
    QTemporaryDir m_folder;
    QSslCertificate m_certificate;
    QSslKey m_key;

    // Waits until the loader's own manager has finished count replies.
    static bool waitForReplies(HTTPImageLoaderManager &loader, QSignalSpy &finished, int count)
    {
        Q_UNUSED(loader)
        return QTest::qWaitFor([&] { return finished.count() >= count; }, 10000);
    }

    static QSignalSpy *finishedSpy(HTTPImageLoaderManager &loader)
    {
        return new QSignalSpy(loader.findChild<QNetworkAccessManager *>(), &QNetworkAccessManager::finished);
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QNetworkReply *>();
        if (!CaptureServer::makeCertificate(m_folder.path(), &m_certificate, &m_key))
            qWarning("openssl could not make a certificate; TLS cases are skipped");
    }

    void init()
    {
        m_hub = std::make_unique<GlobalServices>();
        GlobalServices::setInstance(m_hub.get());
    }

    void cleanup()
    {
        GlobalServices::setInstance(nullptr);
        m_hub.reset();
    }

    void qmlRequestsCarryFixedUserAgent_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("XMLHttpRequest") << QStringLiteral(
            "import QtQml 2.15\n"
            "QtObject { Component.onCompleted: { var x = new XMLHttpRequest(); x.open('GET', target);"
            " x.setRequestHeader('User-Agent', 'Other/1.0'); x.send(); } }");
        QTest::newRow("Image") << QStringLiteral("import QtQuick 2.15\nImage { source: target }");
    }

    void qmlRequestsCarryFixedUserAgent()
    {
        QFETCH(QString, source);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "not a picture");
        NetworkAccessManagerFactory factory;
        QQmlEngine engine;
        engine.setNetworkAccessManagerFactory(&factory);
        engine.rootContext()->setContextProperty(QStringLiteral("target"), server.url(QStringLiteral("/a.png")));
        QQmlComponent component(&engine);
        component.setData(source.toUtf8(), QUrl());
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QTRY_COMPARE(server.requests().size(), 1);
        QCOMPARE(server.requests().at(0).headers.value("user-agent"), ExtendedNetworkAccessManager::UserAgent);
    }

    void ownUserAgentIsReplaced()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "x");
        NetworkAccessManagerFactory factory;
        QObject parent;
        QNetworkAccessManager *manager = factory.create(&parent);
        QVERIFY(qobject_cast<ExtendedNetworkAccessManager *>(manager));
        QCOMPARE(manager->parent(), &parent);
        QNetworkRequest request{QUrl(server.url(QStringLiteral("/b")))};
        request.setRawHeader("User-Agent", "Other/1.0");
        QNetworkReply *reply = manager->get(request);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(server.requests().at(0).headers.value("user-agent"), ExtendedNetworkAccessManager::UserAgent);
        QVERIFY(server.unexpected().isEmpty());
    }

    void clearCookies()
    {
        NetworkAccessManagerFactory factory;
        QQmlEngine engine;
        engine.setNetworkAccessManagerFactory(&factory);
        const QUrl site(QStringLiteral("http://127.0.0.1/"));
        QNetworkAccessManager *manager = engine.networkAccessManager();
        manager->cookieJar()->setCookiesFromUrl({QNetworkCookie("session", "1")}, site);
        QCOMPARE(manager->cookieJar()->cookiesForUrl(site).size(), 1);

        NetworkAccessManagerInteractor nami(&engine);
        nami.clearCookies();
        QVERIFY(manager->cookieJar()->cookiesForUrl(site).isEmpty());

        NetworkAccessManagerInteractor withoutEngine(nullptr);
        withoutEngine.clearCookies();
    }

    void serviceLoads()
    {
        FakeLargePictureService service;
        HTTPImageLoaderManager loader;
        loader.setLargePictureService(&service);
        QSignalSpy loaded(&loader, &HTTPImageLoaderManager::imageLoaded);
        const QString u = QStringLiteral("http://pics/u");
        const QString v = QStringLiteral("http://pics/v");

        // Two loads of one url, one completion: one picture, one record left.
        loader.loadImage(u, true);
        loader.loadImage(u, true);
        QCOMPARE(service.requested, (QStringList{u, u}));
        m_hub->emitLargePictureLoadingCompleted(u, "data");
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.at(0).at(0).toString(), u);
        QCOMPARE(loaded.at(0).at(1).toByteArray(), QByteArray("data"));
        m_hub->emitLargePictureLoadingCompleted(u, "data");
        QCOMPARE(loaded.count(), 2);
        m_hub->emitLargePictureLoadingCompleted(u, "data");
        QCOMPARE(loaded.count(), 2);

        // Cancel drops every record of the url, last first.
        loader.loadImage(u, true);
        loader.loadImage(v, true);
        loader.loadImage(u, true);
        loader.cancelImage(u, true);
        QCOMPARE(service.cancelled, (QList<int>{105, 103}));
        m_hub->emitLargePictureLoadingCompleted(u, "data");
        QCOMPARE(loaded.count(), 2);
        m_hub->emitLargePictureLoadingCompleted(v, "v");
        QCOMPARE(loaded.count(), 3);
    }

    void serviceLoadWithoutService()
    {
        HTTPImageLoaderManager loader;
        QSignalSpy loaded(&loader, &HTTPImageLoaderManager::imageLoaded);
        loader.loadImage(QStringLiteral("http://pics/w"), true);
        m_hub->emitLargePictureLoadingCompleted(QStringLiteral("http://pics/w"), "w");
        QCOMPARE(loaded.count(), 1);
    }

    void directLoads_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("unauthorized");
        QTest::newRow("200") << 200 << true << false;
        QTest::newRow("404") << 404 << false << false;
        QTest::newRow("401") << 401 << false << true;
        QTest::newRow("500") << 500 << false << false;
    }

    void directLoads()
    {
        QFETCH(int, status);
        QFETCH(bool, loaded);
        QFETCH(bool, unauthorized);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(status, "picture bytes");
        HTTPImageLoaderManager loader;
        QSignalSpy imageLoaded(&loader, &HTTPImageLoaderManager::imageLoaded);
        QSignalSpy oauthUnauthorized(&loader, &HTTPImageLoaderManager::oauthUnauthorized);
        std::unique_ptr<QSignalSpy> finished(finishedSpy(loader));
        const QString url = server.url(QStringLiteral("/p.jpg"));
        loader.loadImage(url, false);
        QVERIFY(waitForReplies(loader, *finished, 1));
        QCOMPARE(imageLoaded.count(), loaded ? 1 : 0);
        QCOMPARE(oauthUnauthorized.count(), unauthorized ? 1 : 0);
        QCOMPARE(server.requests().at(0).method, QByteArray("GET"));
        QCOMPARE(server.requests().at(0).headers.value("content-type"),
                 QByteArray("application/x-www-form-urlencoded"));
        if (loaded) {
            QCOMPARE(imageLoaded.at(0).at(0).toString(), url);
            QCOMPARE(imageLoaded.at(0).at(1).toByteArray(), QByteArray("picture bytes"));
            return;
        }
        // The failed load keeps its record until cancelImage drops it.
        m_hub->emitLargePictureLoadingCompleted(url, "late");
        QCOMPARE(imageLoaded.count(), 1);
        server.expect(status);
        loader.loadImage(url, false);
        QVERIFY(waitForReplies(loader, *finished, 2));
        loader.cancelImage(url, false);
        m_hub->emitLargePictureLoadingCompleted(url, "late");
        QCOMPARE(imageLoaded.count(), 1);
        QVERIFY(server.unexpected().isEmpty());
    }

    void oversizedDirectLoadFails()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, QByteArray(int(TAVIROServiceEngine::MaxReplyBytes) + 1, 'p'));
        HTTPImageLoaderManager loader;
        QSignalSpy imageLoaded(&loader, &HTTPImageLoaderManager::imageLoaded);
        std::unique_ptr<QSignalSpy> finished(finishedSpy(loader));
        const QString url = server.url(QStringLiteral("/endless.jpg"));
        loader.loadImage(url, false);
        QVERIFY(waitForReplies(loader, *finished, 1));
        QCOMPARE(imageLoaded.count(), 0);
        // Failed like any other load: the record waits for cancelImage.
        m_hub->emitLargePictureLoadingCompleted(url, "late");
        QCOMPARE(imageLoaded.count(), 1);
    }

    void cancelDirectLoadInFlight()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        CaptureServer::Reply held;
        held.hold = true;
        server.expect(held);
        server.expect(held);
        auto loader = std::make_unique<HTTPImageLoaderManager>();
        QSignalSpy imageLoaded(loader.get(), &HTTPImageLoaderManager::imageLoaded);
        std::unique_ptr<QSignalSpy> finished(finishedSpy(*loader));
        const QString url = server.url(QStringLiteral("/slow.jpg"));
        loader->loadImage(url, false);
        loader->loadImage(server.url(QStringLiteral("/other.jpg")), false);
        QTRY_COMPARE(server.requests().size(), 2);
        loader->cancelImage(url, false);
        // The cancelled transfer is over once its reply has finished; only
        // the other one is still held.
        QVERIFY(waitForReplies(*loader, *finished, 1));
        QCOMPARE(finished->count(), 1);
        m_hub->emitLargePictureLoadingCompleted(url, "late");
        QCOMPARE(imageLoaded.count(), 0);
        loader.reset();
    }

    // A picture behind a certificate the client does not trust fails like
    // any other network failure: no question, no request, no picture.
    void tlsErrorFailsTheLoad()
    {
        if (m_certificate.isNull() || m_key.isNull())
            QSKIP("openssl is not available to make a certificate");
        CaptureServer server;
        server.setTls(m_certificate, m_key);
        QVERIFY(server.listenOnLoopback());
        HTTPImageLoaderManager loader;
        QSignalSpy imageLoaded(&loader, &HTTPImageLoaderManager::imageLoaded);
        std::unique_ptr<QSignalSpy> finished(finishedSpy(loader));
        loader.loadImage(server.url(QStringLiteral("/p.jpg")), false);
        QVERIFY(waitForReplies(loader, *finished, 1));
        QCOMPARE(imageLoaded.count(), 0);
        QCOMPARE(server.requests().size(), 0);
    }
};

QTEST_MAIN(TestNetworkManagers)
#include "tst_networkmanagers.moc"
