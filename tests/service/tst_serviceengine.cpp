#include "app/globalservices.h"
#include "app/usermanager.h"
#include "captureserver.h"
#include "deflated.h"
#include "service/oauthencrypt.h"
#include "service/taviroserviceengine.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Headers = QList<QPair<QByteArray, QByteArray>>;

namespace {

// name -> value of an "OAuth a="1", b="2"" header, and the names in order.
QMap<QString, QString> attributes(const QByteArray &header, QStringList *order = nullptr)
{
    QMap<QString, QString> result;
    auto it = QRegularExpression(QStringLiteral("(\\w+)=\"([^\"]*)\"")).globalMatch(QString::fromUtf8(header));
    while (it.hasNext()) {
        const auto match = it.next();
        result.insert(match.captured(1), match.captured(2));
        if (order)
            order->append(match.captured(1));
    }
    return result;
}

} // namespace

class TestServiceEngine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QSslCertificate m_certificate;
    QSslKey m_key;

    struct Outcome
    {
        bool received = false;
        TAVIROServiceDownloadingQueueItem item;
        int status = -1;
        QString message;
        QByteArray data;
    };

    // Waits for the one result of the engine's next reply.
    static Outcome waitForResult(TAVIROServiceEngine &engine)
    {
        QSignalSpy received(&engine, &TAVIROServiceEngine::dataReceived);
        QSignalSpy errored(&engine, &TAVIROServiceEngine::dataErrored);
        Outcome outcome;
        if (!QTest::qWaitFor([&] { return received.count() + errored.count() > 0; }, 10000))
            return outcome;
        if (!received.isEmpty()) {
            outcome.received = true;
            outcome.item = received.at(0).at(0).value<TAVIROServiceDownloadingQueueItem>();
            outcome.status = 200;
            outcome.data = received.at(0).at(1).toByteArray();
        } else {
            outcome.item = errored.at(0).at(0).value<TAVIROServiceDownloadingQueueItem>();
            outcome.status = errored.at(0).at(1).toInt();
            outcome.message = errored.at(0).at(2).toString();
        }
        return outcome;
    }

    static void signIn(bool signedIn)
    {
        UserManager user;
        if (signedIn)
            user.setLoggedUserInformation(5, QStringLiteral("bob"), QStringLiteral("tok-5"), QStringLiteral("sec-5"));
        else
            user.logout();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY(QDir::setCurrent(m_home.path()));
        QVERIFY(QDir().mkdir(QStringLiteral(".TAVIRO")));

        if (!CaptureServer::makeCertificate(m_home.path(), &m_certificate, &m_key))
            qWarning("openssl could not make a certificate; TLS cases are skipped");
    }

    // Runs first: the process's first request gets number 1.
    void transactionNumbersStartAtOne()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200);
        server.expect(200);
        TAVIROServiceEngine engine;
        QSignalSpy received(&engine, &TAVIROServiceEngine::dataReceived);
        QCOMPARE(engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/a")), QString(),
                                       true, 4, nullptr),
                 1);
        QCOMPARE(engine.getUrl(server.url(QStringLiteral("/b.jpg")), nullptr), 2);
        QTRY_COMPARE(received.count(), 2);
        TAVIROServiceEngine other;
        server.expect(200);
        QCOMPARE(other.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/c")), QString(),
                                      true, 4, nullptr),
                 3);
        QTRY_COMPARE(server.pendingReplies(), 0);
        QVERIFY(server.unexpected().isEmpty());
    }

    void apiRequest_data()
    {
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<bool>("acceptGzip");
        QTest::newRow("no user") << false << true;
        QTest::newRow("signed in") << true << true;
        QTest::newRow("signed in, no gzip") << true << false;
    }

    void apiRequest()
    {
        QFETCH(bool, signedIn);
        QFETCH(bool, acceptGzip);
        signIn(signedIn);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "{}");
        TAVIROServiceEngine engine;
        const QString url = server.url(QStringLiteral("/v1/home_timeline"));
        const QString parameters = QStringLiteral("&user_id=5&page=1&picture_per_page=20&name=a%20b%26c");
        const int id = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, url, parameters, acceptGzip, 4, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QCOMPARE(outcome.item.transactionId, id);
        QCOMPARE(outcome.item.requestType, 4);
        QCOMPARE(outcome.item.gzipEncoded, acceptGzip);
        QVERIFY(server.unexpected().isEmpty());

        const CaptureServer::Request request = server.requests().value(0);
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/v1/home_timeline"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(request.headers.value("content-length").toInt(), request.body.size());
        if (acceptGzip)
            QCOMPARE(request.headers.value("accept-encoding"), QByteArray("gzip"));
        const QString body = QString::fromUtf8(request.body);
        QCOMPARE(body, TAVIROServiceEngine::deviceParameters() + parameters);

        QStringList order;
        const auto oauth = attributes(request.headers.value("authorization"), &order);
        QVERIFY(request.headers.value("authorization").startsWith("OAuth oauth_nonce=\""));
        QCOMPARE(order, (QStringList{QStringLiteral("oauth_nonce"), QStringLiteral("oauth_timestamp"),
                                     QStringLiteral("oauth_consumer_key"), QStringLiteral("oauth_signature_method"),
                                     QStringLiteral("oauth_version"), QStringLiteral("oauth_token"),
                                     QStringLiteral("oauth_signature")}));
        QCOMPARE(oauth.value(QStringLiteral("oauth_consumer_key")), engine.consumerKey());
        QCOMPARE(oauth.value(QStringLiteral("oauth_signature_method")), QStringLiteral("HMAC-SHA1"));
        QCOMPARE(oauth.value(QStringLiteral("oauth_version")), QStringLiteral("1.0"));
        QCOMPARE(oauth.value(QStringLiteral("oauth_token")), signedIn ? QStringLiteral("tok-5") : QString());
        QCOMPARE(oauth.value(QStringLiteral("oauth_signature")),
                 OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, engine.consumerKey(),
                                                 engine.consumerSecret(), oauth.value(QStringLiteral("oauth_nonce")),
                                                 oauth.value(QStringLiteral("oauth_timestamp")).toUInt(),
                                                 signedIn ? QStringLiteral("tok-5") : QString(),
                                                 signedIn ? QStringLiteral("sec-5") : QString(), body));
        signIn(false);
    }

    // Requests as the engine signs them, with fixed keys, nonce and time:
    // the expected texts were worked out once outside OAuthEncrypt (by the
    // signing rules; for these plain texts the same as RFC 5849) and are
    // written out here.
    void signedTextKnownAnswers_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("tokenSecret");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("signature");
        QTest::newRow("API call")
            << "http://127.0.0.1:8480/v1/home_timeline" << "tvr2x51-8808-meego" << "ts7e1-40213-c9d0f2-2012"
            << "tok-9f2c" << "sec-77aa"
            << "v=1.0&appv=2.5.1&pf=meego&cellid=E0&lac=E0&mnc=_&mcc=_&model=N9&manufacturer=Nokia&user_id=5&page=1"
               "&picture_per_page=20"
            << "YDFwcSH4xulWzWTarkHwEGgj8JU%3D";
        QTest::newRow("sign-in, no token")
            << "https://127.0.0.1:8443/api/oauth/access_token" << "tvr2x51-8808-meego" << "ts7e1-40213-c9d0f2-2012"
            << "" << "" << "x_auth_mode=client_auth&x_auth_username=demo&x_auth_password=taviro-demo"
            << "inlRHHrvCZ%2Fy3nUYN3FmNyftQEk%3D";
    }

    void signedTextKnownAnswers()
    {
        QFETCH(QString, url);
        QFETCH(QString, key);
        QFETCH(QString, secret);
        QFETCH(QString, token);
        QFETCH(QString, tokenSecret);
        QFETCH(QString, body);
        QFETCH(QString, signature);
        const QString nonce = QStringLiteral("K2Zy8QhA3x");
        QCOMPARE(OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, key, secret, nonce, 1355097600, token,
                                                 tokenSecret, body),
                 signature);
        if (token.isEmpty()) {
            QCOMPARE(OAuthEncrypt::bodySignatureBlock(signature, nonce, 1355097600, key),
                     QStringLiteral("&oauth_version=1.0&oauth_signature_method=HMAC-SHA1&oauth_signature=") + signature
                         + QStringLiteral("&oauth_nonce=K2Zy8QhA3x&oauth_timestamp=1355097600"
                                          "&oauth_consumer_key=tvr2x51-8808-meego"));
        } else {
            QCOMPARE(OAuthEncrypt::serviceAuthorizationHeader(nonce, 1355097600, key, token, signature),
                     "OAuth oauth_nonce=\"K2Zy8QhA3x\", oauth_timestamp=\"1355097600\", "
                     "oauth_consumer_key=\"tvr2x51-8808-meego\", oauth_signature_method=\"HMAC-SHA1\", "
                     "oauth_version=\"1.0\", oauth_token=\"tok-9f2c\", oauth_signature=\"" + signature.toLatin1() + "\"");
        }
    }

    void networkHeaderKnownAnswer()
    {
        const QMap<QString, QString> extra{
            {QStringLiteral("oauth_callback"), QStringLiteral("http://127.0.0.1:8480/auth/twitter/?command=cb")}};
        const QString signature = OAuthEncrypt::generateSignature(
            QStringLiteral("POST"), QStringLiteral("http://127.0.0.1:8480/ext/twitter/oauth/request_token"),
            QStringLiteral("twk"), QStringLiteral("tws"), QStringLiteral("K2Zy8QhA3x"), 1355097600, QString(), QString(),
            extra, QString());
        QCOMPARE(signature, QStringLiteral("pqWqWFbF437aW4kwvOh0GPy9ALg%3D"));
        QCOMPARE(OAuthEncrypt::networkAuthorizationHeader(QStringLiteral("K2Zy8QhA3x"), 1355097600, QStringLiteral("twk"),
                                                          signature, QString(), extra),
                 QByteArray("OAuth oauth_nonce=\"K2Zy8QhA3x\", oauth_timestamp=\"1355097600\", "
                            "oauth_consumer_key=\"twk\", oauth_signature_method=\"HMAC-SHA1\", oauth_version=\"1.0\", "
                            "oauth_signature=\"pqWqWFbF437aW4kwvOh0GPy9ALg%3D\", "
                            "oauth_callback=\"http%3A%2F%2F127.0.0.1%3A8480%2Fauth%2Ftwitter%2F%3Fcommand%3Dcb\""));
    }

    void xAuthRequest()
    {
        signIn(true);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "{\"success\":true}");
        TAVIROServiceEngine engine;
        const QString url = server.url(QStringLiteral("/api/oauth/access_token"));
        const QString parameters = QStringLiteral("&x_auth_mode=client_auth&x_auth_username=bob&x_auth_password=a%26b");
        engine.postXAuthRequest(url, parameters, 0, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QVERIFY(!outcome.item.gzipEncoded);

        const CaptureServer::Request request = server.requests().value(0);
        QVERIFY(!request.headers.contains("authorization"));
        QCOMPARE(request.headers.value("content-length").toInt(), request.body.size());
        const QString body = QString::fromUtf8(request.body);
        const QString signedPart = TAVIROServiceEngine::deviceParameters() + parameters;
        QVERIFY(body.startsWith(signedPart + QLatin1String("&oauth_version=1.0&oauth_signature_method=HMAC-SHA1")));
        const QUrlQuery block(body.mid(signedPart.size() + 1));
        const QString nonce = block.queryItemValue(QStringLiteral("oauth_nonce"));
        const uint timestamp = block.queryItemValue(QStringLiteral("oauth_timestamp")).toUInt();
        QCOMPARE(block.queryItemValue(QStringLiteral("oauth_consumer_key")), engine.consumerKey());
        // Signed without the user's token, whoever is signed in.
        const QString sentSignature = QRegularExpression(QStringLiteral("oauth_signature=([^&]*)")).match(body).captured(1);
        QCOMPARE(sentSignature,
                 OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, engine.consumerKey(),
                                                 engine.consumerSecret(), nonce, timestamp, QString(), QString(),
                                                 signedPart));
        signIn(false);
    }

    void networkOAuthRequest()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "oauth_token=rt&oauth_token_secret=rs");
        TAVIROServiceEngine engine;
        const QString url = server.url(QStringLiteral("/oauth/access_token"));
        const QMap<QString, QString> extra{{QStringLiteral("oauth_token"), QStringLiteral("rt")},
                                           {QStringLiteral("oauth_verifier"), QStringLiteral("v:1")}};
        engine.postNetworkOAuthRequest(url, QString(), QStringLiteral("nk"), QStringLiteral("ns"), QString(),
                                       QStringLiteral("rs"), extra, 46, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QCOMPARE(outcome.data, QByteArray("oauth_token=rt&oauth_token_secret=rs"));

        const CaptureServer::Request request = server.requests().value(0);
        QCOMPARE(request.headers.value("content-length"), QByteArray("0"));
        QStringList order;
        const auto oauth = attributes(request.headers.value("authorization"), &order);
        QCOMPARE(order, (QStringList{QStringLiteral("oauth_nonce"), QStringLiteral("oauth_timestamp"),
                                     QStringLiteral("oauth_consumer_key"), QStringLiteral("oauth_signature_method"),
                                     QStringLiteral("oauth_version"), QStringLiteral("oauth_signature"),
                                     QStringLiteral("oauth_token"), QStringLiteral("oauth_verifier")}));
        QCOMPARE(oauth.value(QStringLiteral("oauth_verifier")), QStringLiteral("v%3A1"));
        QCOMPARE(oauth.value(QStringLiteral("oauth_signature")),
                 OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, QStringLiteral("nk"),
                                                 QStringLiteral("ns"), oauth.value(QStringLiteral("oauth_nonce")),
                                                 oauth.value(QStringLiteral("oauth_timestamp")).toUInt(), QString(),
                                                 QStringLiteral("rs"), extra, QString()));
    }

    void deviceParameters()
    {
        const QRegularExpression shape(QStringLiteral(
            "^v=1\\.0&appv=2\\.5\\.1&pf=meego&cellid=E-?\\d+&lac=E-?\\d+&mnc=_[A-Za-z0-9%]*&mcc=_[A-Za-z0-9%]*"
            "&model=[^&]*&manufacturer=[^&]*$"));
        const QString parameters = TAVIROServiceEngine::deviceParameters();
        QVERIFY2(shape.match(parameters).hasMatch(), qPrintable(parameters));
    }

    void scrambledCellValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("sent");
        QTest::newRow("0") << 0 << QStringLiteral("E0");
        QTest::newRow("bit 0") << 1 << QStringLiteral("E4096");
        QTest::newRow("bit 1") << 2 << QStringLiteral("E524288");
        QTest::newRow("bit 2 moves twice") << 4 << QStringLiteral("E8");
        QTest::newRow("bit 3 moves once") << 8 << QStringLiteral("E64");
        QTest::newRow("bit 12") << 4096 << QStringLiteral("E1");
        QTest::newRow("bit 24") << (1 << 24) << QStringLiteral("E8192");
        QTest::newRow("-1") << -1 << QStringLiteral("E-1");
        QTest::newRow("sign bit stays") << int(0x80000000u) << QStringLiteral("E-2147483648");
    }

    void scrambledCellValue()
    {
        QFETCH(int, value);
        QFETCH(QString, sent);
        QCOMPARE(TAVIROServiceEngine::scrambledCellValue(value), sent);
    }

    void replies_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Headers>("headers");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("reportedStatus");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("parseLine");

        const QByteArray html = "<html><body><h1>Internal Server Error</h1></body></html>";
        QTest::newRow("200 reporting failure") << 200 << QByteArray("{\"success\":false,\"reason\":\"no\"}")
                                               << Headers() << true << 200 << QString() << QByteArray();
        QTest::newRow("200 empty") << 200 << QByteArray() << Headers() << true << 200 << QString() << QByteArray();
        QTest::newRow("200 not JSON") << 200 << QByteArray("\x00\xff garbage", 10) << Headers() << true << 200
                                      << QString() << QByteArray();
        QTest::newRow("404 reason") << 404 << QByteArray("{\"reason\":\"x\"}") << Headers() << false << 404
                                    << QStringLiteral("x") << QByteArray("***** Parse OK = true, statusCode = 404");
        QTest::newRow("404 no reason") << 404 << QByteArray("{\"error\":1}") << Headers() << false << 404 << QString()
                                       << QByteArray("***** Parse OK = true, statusCode = 404");
        QTest::newRow("400 reason of wrong type") << 400 << QByteArray("{\"reason\":{\"a\":1}}") << Headers() << false
                                                  << 400 << QString()
                                                  << QByteArray("***** Parse OK = true, statusCode = 400");
        QTest::newRow("400 array") << 400 << QByteArray("[1,2]") << Headers() << false << 400 << QString()
                                   << QByteArray("***** Parse OK = true, statusCode = 400");
        QTest::newRow("500 HTML") << 500 << html << Headers() << false << 500 << QString::fromLatin1(html)
                                  << QByteArray("***** Parse OK = false, statusCode = 500");
        QTest::newRow("500 empty") << 500 << QByteArray() << Headers() << false << 500 << QString()
                                   << QByteArray("***** Parse OK = false, statusCode = 500");
        QTest::newRow("403 text up to zero byte") << 403 << QByteArray("denied\0rest", 11) << Headers() << false
                                                  << 403 << QStringLiteral("denied")
                                                  << QByteArray("***** Parse OK = false, statusCode = 403");
        QTest::newRow("401 asking for a password")
            << 401 << QByteArray("{\"reason\":\"sign in\"}")
            << Headers{{"WWW-Authenticate", "Basic realm=\"taviro\""}} << false << 401 << QStringLiteral("sign in")
            << QByteArray("***** Parse OK = true, statusCode = 401");
        const QByteArray huge(1024 * 1024, 'x');
        QTest::newRow("500 huge") << 500 << huge << Headers() << false << 500 << QString::fromLatin1(huge)
                                  << QByteArray("***** Parse OK = false, statusCode = 500");
    }

    void replies()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(Headers, headers);
        QFETCH(bool, received);
        QFETCH(int, reportedStatus);
        QFETCH(QString, message);
        QFETCH(QByteArray, parseLine);

        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(status, body, headers);
        TAVIROServiceEngine engine;
        if (!parseLine.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, parseLine.constData());
        QObject handler;
        const int id = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/v1/x")),
                                             QString(), true, 7, &handler);
        const Outcome outcome = waitForResult(engine);
        QCOMPARE(outcome.received, received);
        QCOMPARE(outcome.status, reportedStatus);
        QCOMPARE(outcome.item.transactionId, id);
        QCOMPARE(outcome.item.handler.data(), &handler);
        if (received)
            QCOMPARE(outcome.data, body);
        else
            QCOMPARE(outcome.message, message);
        QVERIFY(server.unexpected().isEmpty());
    }

    void gzipBodies_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("delivered");
        const QByteArray json = "{\"success\":true,\"data\":[" + QByteArray(300000, ' ') + "]}";
        QTest::newRow("gzip inflated") << deflated(json, 15 + 16) << json;
        QTest::newRow("plain passes through") << QByteArray("{\"success\":true}") << QByteArray("{\"success\":true}");
        QTest::newRow("garbage passes through") << QByteArray("\x1f\x8b\x08garbage", 10)
                                                << QByteArray("\x1f\x8b\x08garbage", 10);
        const QByteArray truncated = deflated(json, 15 + 16).left(40);
        QTest::newRow("truncated passes through") << truncated << truncated;
    }

    void gzipBodies()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, delivered);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, sent, Headers{{"Content-Encoding", "gzip"}});
        TAVIROServiceEngine engine;
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/v1/x")), QString(), true,
                              4, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QCOMPARE(outcome.data, delivered);
    }

    void networkFailures_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("connection refused") << true;
        QTest::newRow("200 cut short") << false;
    }

    void networkFailures()
    {
        QFETCH(bool, refused);
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        const QString url = server.url(QStringLiteral("/v1/x"));
        if (refused) {
            server.close();
        } else {
            CaptureServer::Reply reply;
            reply.body = QByteArray(1000, 'a');
            reply.truncateAt = 10;
            server.expect(reply);
        }
        TAVIROServiceEngine engine;
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, url, QString(), true, 4, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(!outcome.received);
        QCOMPARE(outcome.status, 0);
        QVERIFY(!outcome.message.isEmpty());
    }

    void oversizedReplyIsANetworkFailure()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, QByteArray(int(TAVIROServiceEngine::MaxReplyBytes) + 1, 'x'));
        TAVIROServiceEngine engine;
        QTest::ignoreMessage(QtDebugMsg, "***** Parse OK = false, statusCode = 0");
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/v1/x")), QString(), true,
                              4, nullptr);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(!outcome.received);
        QCOMPARE(outcome.status, 0);
    }

    void tls()
    {
        if (m_certificate.isNull() || m_key.isNull())
            QSKIP("openssl is not available to make a certificate");
        CaptureServer server;
        server.setTls(m_certificate, m_key);
        QVERIFY(server.listenOnLoopback());
        TAVIROServiceEngine engine;
        const QString url = server.url(QStringLiteral("/v1/user_update"));

        Outcome outcome;
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, url, QString(), true, 37, nullptr);
        outcome = waitForResult(engine);
        QVERIFY(!outcome.received);
        QCOMPARE(outcome.status, 0);
        QVERIFY(!outcome.message.isEmpty());
        QVERIFY(server.requests().isEmpty());

        QSslConfiguration trusting = engine.sslConfiguration();
        trusting.setCaCertificates(trusting.caCertificates() << m_certificate);
        engine.setSslConfiguration(trusting);
        server.expect(200, "{\"success\":true}");
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, url, QString(), true, 37, nullptr);
        outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QCOMPARE(outcome.data, QByteArray("{\"success\":true}"));

        // A cached connection must not outlive a change of trust.
        engine.setSslConfiguration(TAVIROServiceEngine::defaultSslConfiguration());
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, url, QString(), true, 37, nullptr);
        outcome = waitForResult(engine);
        QVERIFY(!outcome.received);
        QCOMPARE(outcome.status, 0);
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(server.unexpected().isEmpty());
    }

    void cancellation()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        TAVIROServiceEngine engine;
        QSignalSpy received(&engine, &TAVIROServiceEngine::dataReceived);
        QSignalSpy errored(&engine, &TAVIROServiceEngine::dataErrored);

        server.expect(200, "one");
        const int answered = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl,
                                                   server.url(QStringLiteral("/one")), QString(), true, 4, nullptr);
        QTRY_COMPARE(received.count(), 1);
        engine.cancelTransactionByTransactionID(answered);
        engine.cancelTransactionByTransactionID(answered + 100000);
        engine.cancelTransactionByTransactionID(-1);

        CaptureServer::Reply held;
        held.hold = true;
        server.expect(held);
        server.expect(200, "two");
        const int inFlight = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl,
                                                   server.url(QStringLiteral("/held")), QString(), true, 4, nullptr);
        QTRY_COMPARE(server.requests().size(), 2);
        engine.cancelTransactionByTransactionID(inFlight);
        const int after = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/two")),
                                                QString(), true, 4, nullptr);
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).value<TAVIROServiceDownloadingQueueItem>().transactionId, after);
        QCOMPARE(received.at(1).at(1).toByteArray(), QByteArray("two"));
        // A last call's answer comes next: nothing of the cancelled one before it.
        server.expect(200, "three");
        const int last = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/three")),
                                               QString(), true, 4, nullptr);
        QTRY_COMPARE(received.count(), 3);
        QCOMPARE(received.at(2).at(0).value<TAVIROServiceDownloadingQueueItem>().transactionId, last);
        QCOMPARE(errored.count(), 0);
        QVERIFY(server.unexpected().isEmpty());
    }

    void cancelFromResultSlot()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        server.expect(200, "a");
        server.expect(200, "b");
        TAVIROServiceEngine engine;
        QList<int> answered;
        connect(&engine, &TAVIROServiceEngine::dataReceived, this,
                [&](const TAVIROServiceDownloadingQueueItem &item) {
                    answered << item.transactionId;
                    engine.cancelTransactionByTransactionID(item.transactionId);
                });
        const int first = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/a")),
                                                QString(), true, 4, nullptr);
        QTRY_COMPARE(answered.size(), 1);
        // The next call's answer is the second one heard of: the first was heard once.
        const int second = engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/b")),
                                                 QString(), true, 4, nullptr);
        QTRY_COMPARE(answered.size(), 2);
        QCOMPARE(answered, (QList<int>{first, second}));
    }

    void destroyedHandlerReadsAsNull()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        CaptureServer::Reply held;
        held.hold = true;
        server.expect(held);
        TAVIROServiceEngine engine;
        auto *handler = new QObject;
        engine.postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/a")), QString(), true, 4,
                              handler);
        QTRY_COMPARE(server.requests().size(), 1);
        delete handler;
        server.close();
        const auto sockets = server.findChildren<QTcpSocket *>();
        for (QTcpSocket *socket : sockets)
            socket->abort();
        const Outcome outcome = waitForResult(engine);
        QCOMPARE(outcome.status, 0);
        QVERIFY(outcome.item.handler.isNull());
    }

    void largePicture_data()
    {
        QTest::addColumn<bool>("withHub");
        QTest::newRow("hub") << true;
        QTest::newRow("no hub") << false;
    }

    void largePicture()
    {
        QFETCH(bool, withHub);
        std::unique_ptr<GlobalServices> hub;
        if (withHub) {
            hub = std::make_unique<GlobalServices>();
            GlobalServices::setInstance(hub.get());
        }
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        const QByteArray picture(200000, 'p');
        server.expect(200, picture);
        TAVIROServiceEngine engine;
        QObject handler;
        const QString url = server.url(QStringLiteral("/photos/abc/large"));
        std::unique_ptr<QSignalSpy> progress;
        if (hub)
            progress = std::make_unique<QSignalSpy>(hub.get(), &GlobalServices::largePictureDownloadProgressUpdated);
        engine.getUrl(url, &handler);
        const Outcome outcome = waitForResult(engine);
        QVERIFY(outcome.received);
        QCOMPARE(outcome.data, picture);
        QCOMPARE(outcome.item.requestType, 13);
        QCOMPARE(outcome.item.userData.toString(), url);
        QVERIFY(!outcome.item.gzipEncoded);
        const CaptureServer::Request request = server.requests().value(0);
        QCOMPARE(request.method, QByteArray("GET"));
        QVERIFY(!request.headers.contains("authorization"));
        if (progress) {
            QVERIFY(!progress->isEmpty());
            QCOMPARE(progress->last().at(0).toString(), url);
            QCOMPARE(progress->last().at(1).toLongLong(), qint64(picture.size()));
            GlobalServices::setInstance(nullptr);
        }
    }

    void destroyedWithRequestsInFlight()
    {
        CaptureServer server;
        QVERIFY(server.listenOnLoopback());
        CaptureServer::Reply held;
        held.hold = true;
        server.expect(held);
        auto engine = std::make_unique<TAVIROServiceEngine>();
        QSignalSpy errored(engine.get(), &TAVIROServiceEngine::dataErrored);
        engine->postApiRequest(TAVIROServiceEngine::CompleteUrl, server.url(QStringLiteral("/a")), QString(), true, 4,
                               nullptr);
        QTRY_COMPARE(server.requests().size(), 1);
        engine.reset();
        QCOMPARE(errored.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestServiceEngine)
#include "tst_serviceengine.moc"
