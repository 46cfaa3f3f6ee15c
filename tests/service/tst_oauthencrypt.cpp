#include "service/oauthencrypt.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using StringMap = QMap<QString, QString>;

class TestOAuthEncrypt : public QObject
{
    Q_OBJECT

private:
    static QString baseString(const QString &token, const QString &body,
                              const QMap<QString, QString> &extra = {})
    {
        return OAuthEncrypt::signatureBaseString(QStringLiteral("POST"), QStringLiteral("http://h.example/v1/x"),
                                                 QStringLiteral("ck"), QStringLiteral("n0"), 1234, token, extra,
                                                 body);
    }

    // The decoded parameter string of a base string.
    static QString parameterString(const QString &base)
    {
        return QUrl::fromPercentEncoding(base.section(QLatin1Char('&'), 2).toLatin1());
    }

    // A python3 that has oauthlib, or empty.
    static QString pythonWithOAuthlib()
    {
        const QStringList candidates{QStringLiteral("/usr/bin/python3"),
                                     QStandardPaths::findExecutable(QStringLiteral("python3"))};
        for (const QString &python : candidates) {
            if (python.isEmpty() || !QFileInfo::exists(python))
                continue;
            if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import oauthlib")}) == 0)
                return python;
        }
        return QString();
    }

private slots:
    void hmacSha1Rfc2202_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("digest");

        QByteArray key4;
        for (char c = 1; c <= 25; ++c)
            key4.append(c);
        QTest::newRow("1") << QByteArray(20, 0x0b) << QByteArray("Hi There")
                           << QByteArray("b617318655057264e28bc0b6fb378c8ef146be00");
        QTest::newRow("2") << QByteArray("Jefe") << QByteArray("what do ya want for nothing?")
                           << QByteArray("effcdf6ae5eb2fa2d27416d5f184df9c259a7c79");
        QTest::newRow("3") << QByteArray(20, char(0xaa)) << QByteArray(50, char(0xdd))
                           << QByteArray("125d7342b9ac11cd91a39af48aa17b4f63f175d3");
        QTest::newRow("4") << key4 << QByteArray(50, char(0xcd))
                           << QByteArray("4c9007f4026250c6bc8414f9bf50c86c2d7235da");
        QTest::newRow("5") << QByteArray(20, 0x0c) << QByteArray("Test With Truncation")
                           << QByteArray("4c1a03424b55e07fe7f27be1d58bb9324a9a5a04");
        QTest::newRow("6") << QByteArray(80, char(0xaa))
                           << QByteArray("Test Using Larger Than Block-Size Key - Hash Key First")
                           << QByteArray("aa4ae5e15272d00e95705637ce8a3b55ed402112");
        QTest::newRow("7") << QByteArray(80, char(0xaa))
                           << QByteArray("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data")
                           << QByteArray("e8e99d0f45237d786d6bbaa7965c7808bbff1a91");

        // Keys at the block size (used as they are) and one byte over (hashed first).
        const QByteArray longKey = QByteArray::fromHex(
            "01080f161d242b323940474e555c636a71787f868d949ba2a9b0b7bec5ccd3dae1e8eff6fd040b121920272e353c434a"
            "51585f666d747b828990979ea5acb3bac1");
        QTest::newRow("64-byte key") << longKey.left(64) << QByteArray("sixty-four or more")
                                     << QByteArray("f2ba1be5ddaf8ea4765478e0abda8cd8060274d7");
        QTest::newRow("65-byte key") << longKey << QByteArray("sixty-four or more")
                                     << QByteArray("6dd795aa5193a19f68ce0908072960129ce69ea3");
    }

    void hmacSha1Rfc2202()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, digest);
        QCOMPARE(OAuthEncrypt::hmacSha1Digest(data, key).toHex(), digest);
    }

    void hmacSha1TextIsEncodedBase64()
    {
        // RFC 2202 case 2: 7/zfauXrL6LSdBbV8YTfnCWafHk= once encoded.
        QCOMPARE(OAuthEncrypt::hmacSha1(QStringLiteral("what do ya want for nothing?"), QStringLiteral("Jefe")),
                 QStringLiteral("7%2FzfauXrL6LSdBbV8YTfnCWafHk%3D"));
    }

    void percentEncode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("unreserved") << QStringLiteral("Az09-._~") << QStringLiteral("Az09-._~");
        QTest::newRow("space") << QStringLiteral("a b") << QStringLiteral("a%20b");
        QTest::newRow("percent") << QStringLiteral("%") << QStringLiteral("%25");
        QTest::newRow("plus") << QStringLiteral("+") << QStringLiteral("%2B");
        QTest::newRow("reserved") << QStringLiteral("/?=&:,") << QStringLiteral("%2F%3F%3D%26%3A%2C");
        QTest::newRow("utf-8") << QStringLiteral("\u00e9") << QStringLiteral("%C3%A9");
    }

    void percentEncode()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        QCOMPARE(OAuthEncrypt::percentEncode(text), encoded);
    }

    void baseStringParameters_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expectedStart");

        QTest::newRow("empty token") << QString() << QString()
                                     << QStringLiteral("oauth_consumer_key=ck&oauth_nonce=n0&oauth_signature_method="
                                                       "HMAC-SHA1&oauth_timestamp=1234&oauth_version=1.0");
        QTest::newRow("token") << QStringLiteral("tok") << QString()
                               << QStringLiteral("oauth_consumer_key=ck&oauth_nonce=n0&oauth_signature_method="
                                                 "HMAC-SHA1&oauth_timestamp=1234&oauth_token=tok&oauth_version=1.0");
        QTest::newRow("whole-string sort") << QString() << QStringLiteral("b=2&a=1")
                                           << QStringLiteral("a=1&b=2&oauth_consumer_key=ck&");
        QTest::newRow("a1 before a") << QString() << QStringLiteral("a=x&a1=x")
                                     << QStringLiteral("a1=x&a=x&oauth_consumer_key=");
    }

    void baseStringParameters()
    {
        QFETCH(QString, token);
        QFETCH(QString, body);
        QFETCH(QString, expectedStart);
        const QString base = baseString(token, body);
        QVERIFY2(parameterString(base).startsWith(expectedStart), qPrintable(parameterString(base)));
        QCOMPARE(base.contains(QLatin1String("oauth_token")), !token.isEmpty());
    }

    void baseStringEncoding_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("inBase");
        QTest::addColumn<QString>("notInBase");
        QTest::newRow("space twice encoded") << QStringLiteral("name=a%20b") << QStringLiteral("name%3Da%2520b")
                                             << QStringLiteral("name%3Da%20b");
        QTest::newRow("slash and comma once") << QStringLiteral("p=a%2Fb%2Cc") << QStringLiteral("p%3Da%2Fb%2Cc")
                                              << QStringLiteral("%252F");
        QTest::newRow("ampersand once") << QStringLiteral("pw=a%26b") << QStringLiteral("pw%3Da%26b")
                                        << QStringLiteral("%2526");
    }

    void baseStringEncoding()
    {
        QFETCH(QString, body);
        QFETCH(QString, inBase);
        QFETCH(QString, notInBase);
        const QString base = baseString(QString(), body);
        QVERIFY2(base.contains(inBase), qPrintable(base));
        QVERIFY(!base.contains(notInBase));
    }

    void baseStringUrlAndExtras()
    {
        const QString base = OAuthEncrypt::signatureBaseString(
            QStringLiteral("POST"), QStringLiteral("http://H.example:81/v1/x?q=a%20b"), QStringLiteral("ck"),
            QStringLiteral("n0"), 1, QString(), {{QStringLiteral("oauth_callback"), QStringLiteral("http://w/cb?c=1")}},
            QString());
        // The url verbatim, encoded whole; its query and the extras join the parameters.
        QVERIFY(base.startsWith(QLatin1String("POST&http%3A%2F%2FH.example%3A81%2Fv1%2Fx%3Fq%3Da%2520b&")));
        const QString parameters = parameterString(base);
        QVERIFY(parameters.contains(QLatin1String("oauth_callback=http%3A%2F%2Fw%2Fcb%3Fc%3D1&")));
        QVERIFY(parameters.endsWith(QLatin1String("&q=a%20b")));
    }

    void signatureKey_data()
    {
        QTest::addColumn<QString>("tokenSecret");
        QTest::addColumn<QString>("key");
        QTest::newRow("empty token secret") << QString() << QStringLiteral("cs&");
        QTest::newRow("token secret") << QStringLiteral("ts") << QStringLiteral("cs&ts");
    }

    void signatureKey()
    {
        QFETCH(QString, tokenSecret);
        QFETCH(QString, key);
        const QString signature = OAuthEncrypt::generateSignature(
            QStringLiteral("POST"), QStringLiteral("http://h.example/v1/x"), QStringLiteral("ck"), QStringLiteral("cs"),
            QStringLiteral("n0"), 1234, QStringLiteral("tok"), tokenSecret, QStringLiteral("a=1"));
        const QString base = OAuthEncrypt::signatureBaseString(QStringLiteral("POST"),
                                                               QStringLiteral("http://h.example/v1/x"),
                                                               QStringLiteral("ck"), QStringLiteral("n0"), 1234,
                                                               QStringLiteral("tok"), {}, QStringLiteral("a=1"));
        QCOMPARE(signature, OAuthEncrypt::hmacSha1(base, key));
        QCOMPARE(QUrl::fromPercentEncoding(signature.toLatin1()).size(), 28);
    }

    void matchesOAuthlib_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("tokenSecret");
        QTest::addColumn<QString>("body");

        // Urls without a query: here the query stays in the signed url, where
        // RFC 5849 would drop it.
        const QString device = QStringLiteral(
            "v=1.0&appv=2.5.1&pf=meego&cellid=E4096&lac=E0&mnc=_MDE&mcc=_NTIw&model=N9&manufacturer=Nokia");
        QTest::newRow("no user, no body") << QStringLiteral("http://127.0.0.1:8480/v1/popular_timeline") << QString()
                                          << QString() << QString();
        QTest::newRow("no user") << QStringLiteral("https://127.0.0.1:8443/v1/user_select") << QString() << QString()
                                 << device + QStringLiteral("&user_id=5");
        QTest::newRow("user") << QStringLiteral("http://127.0.0.1:8480/v1/home_timeline")
                              << QStringLiteral("72157-abcdef") << QStringLiteral("s3cr3t")
                              << device + QStringLiteral("&user_id=5&page=1&picture_per_page=20");
        QTest::newRow("token, empty secret") << QStringLiteral("https://api.example.com/forgot_password.json")
                                             << QStringLiteral("tok") << QString() << QStringLiteral("confirm=1");
    }

    void matchesOAuthlib()
    {
        QFETCH(QString, url);
        QFETCH(QString, token);
        QFETCH(QString, tokenSecret);
        QFETCH(QString, body);

        const QString python = pythonWithOAuthlib();
        if (python.isEmpty())
            QSKIP("python3 with oauthlib is not available");

        const QString nonce = OAuthEncrypt::generateNonce();
        const uint timestamp = OAuthEncrypt::generateTimestamp();
        const QJsonObject request{{QStringLiteral("consumerKey"), QStringLiteral("tvr2x51-8808-meego")},
                                  {QStringLiteral("consumerSecret"), QStringLiteral("ts7e1-40213-c9d0f2-2012")},
                                  {QStringLiteral("token"), token},
                                  {QStringLiteral("tokenSecret"), tokenSecret},
                                  {QStringLiteral("nonce"), nonce},
                                  {QStringLiteral("timestamp"), QString::number(timestamp)},
                                  {QStringLiteral("url"), url},
                                  {QStringLiteral("body"), body}};
        QProcess process;
        process.start(python, {QStringLiteral(TAVIRO_TEST_DATA "/service/oauthlib_sign.py")});
        QVERIFY(process.waitForStarted());
        process.write(QJsonDocument(request).toJson());
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        const QString expected = QString::fromLatin1(process.readAllStandardOutput().trimmed());

        QCOMPARE(OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, QStringLiteral("tvr2x51-8808-meego"),
                                                 QStringLiteral("ts7e1-40213-c9d0f2-2012"), nonce, timestamp, token,
                                                 tokenSecret, body),
                 expected);
    }

    void serviceHeader_data()
    {
        QTest::addColumn<QString>("token");
        QTest::newRow("signed in") << QStringLiteral("tok");
        QTest::newRow("no user") << QString();
    }

    void serviceHeader()
    {
        QFETCH(QString, token);
        const QByteArray header = OAuthEncrypt::serviceAuthorizationHeader(QStringLiteral("n0"), 1234,
                                                                           QStringLiteral("ck"), token,
                                                                           QStringLiteral("sig%3D"));
        QCOMPARE(header, QByteArray("OAuth oauth_nonce=\"n0\", oauth_timestamp=\"1234\", oauth_consumer_key=\"ck\", "
                                    "oauth_signature_method=\"HMAC-SHA1\", oauth_version=\"1.0\", oauth_token=\"")
                     + token.toUtf8() + "\", oauth_signature=\"sig%3D\"");
    }

    void networkHeader_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<StringMap>("extra");
        QTest::addColumn<QByteArray>("tail");

        QTest::newRow("request token")
            << QString() << StringMap{{QStringLiteral("oauth_callback"), QStringLiteral("http://w/auth/x/?command=cb")}}
            << QByteArray(", oauth_callback=\"http%3A%2F%2Fw%2Fauth%2Fx%2F%3Fcommand%3Dcb\"");
        QTest::newRow("access token")
            << QString()
            << StringMap{{QStringLiteral("oauth_verifier"), QStringLiteral("v 1")},
                          {QStringLiteral("oauth_token"), QStringLiteral("rt")}}
            << QByteArray(", oauth_token=\"rt\", oauth_verifier=\"v%201\"");
        QTest::newRow("signing token") << QStringLiteral("a/b") << StringMap()
                                       << QByteArray(", oauth_token=\"a%2Fb\"");
    }

    void networkHeader()
    {
        QFETCH(QString, token);
        QFETCH(StringMap, extra);
        QFETCH(QByteArray, tail);
        const QByteArray header = OAuthEncrypt::networkAuthorizationHeader(QStringLiteral("n0"), 1234,
                                                                           QStringLiteral("ck"),
                                                                           QStringLiteral("sig"), token, extra);
        QCOMPARE(header, QByteArray("OAuth oauth_nonce=\"n0\", oauth_timestamp=\"1234\", oauth_consumer_key=\"ck\", "
                                    "oauth_signature_method=\"HMAC-SHA1\", oauth_version=\"1.0\", "
                                    "oauth_signature=\"sig\"")
                     + tail);
    }

    void bodyBlock()
    {
        QCOMPARE(OAuthEncrypt::bodySignatureBlock(QStringLiteral("s%2B"), QStringLiteral("n0"), 1234,
                                                  QStringLiteral("ck")),
                 QStringLiteral("&oauth_version=1.0&oauth_signature_method=HMAC-SHA1&oauth_signature=s%2B"
                                "&oauth_nonce=n0&oauth_timestamp=1234&oauth_consumer_key=ck"));
    }

    void nonce()
    {
        const QString first = OAuthEncrypt::generateNonce();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(first).hasMatch());
        QVERIFY(first != OAuthEncrypt::generateNonce());
        QVERIFY(qAbs(qint64(OAuthEncrypt::generateTimestamp()) - QDateTime::currentSecsSinceEpoch()) <= 1);
    }

    void firstNonceDiffersBetweenProcesses()
    {
        // Two app processes started together must not replay each other's nonces.
        QStringList nonces;
        for (int run = 0; run < 2; ++run) {
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("TAVIRO_TEST_PRINT_NONCE"), QStringLiteral("1"));
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(child.waitForFinished());
            nonces.append(QString::fromLatin1(child.readAllStandardOutput()).trimmed());
            QCOMPARE(nonces.last().size(), 32);
        }
        QVERIFY(nonces.at(0) != nonces.at(1));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("TAVIRO_TEST_PRINT_NONCE")) {
        printf("%s\n", qPrintable(OAuthEncrypt::generateNonce()));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestOAuthEncrypt test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_oauthencrypt.moc"
