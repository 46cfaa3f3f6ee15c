#include "proxycaptureserver.h"

#include "app/common.h"
#include "app/qsysteminfomanager.h"
#include "app/usermanager.h"
#include "service/oauthencrypt.h"
#include "service/pictureuploadrequest.h"
#include "service/taviroservicecontroller.h"
#include "service/taviroserviceengine.h"
#include "taviroconfig.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QByteArray kPicture = QByteArray("\xFF\xD8\xFF\xE0 picture \r\n--AaB03x \x00 bytes \xFF\xD9", 30);

// Device values as the multipart body carries them.
QByteArray withDeviceValues(QByteArray text)
{
    const QSystemInfoManager *device = QSystemInfoManager::getInstance();
    return text.replace("@CELLID@", TAVIROServiceEngine::scrambledCellValue(device->getCellId()).toLatin1())
        .replace("@LAC@", TAVIROServiceEngine::scrambledCellValue(device->getLocationAreaCode()).toLatin1())
        .replace("@MNC@", device->getCurrentMobileNetworkCode().toLatin1().toBase64())
        .replace("@MCC@", device->getCurrentMobileCountryCode().toLatin1().toBase64())
        .replace("@MODEL@", device->getModel().toUtf8())
        .replace("@MANUFACTURER@", device->getManufacturer().toUtf8());
}

// The same values as the signed parameters carry them.
QString withEncodedDeviceValues(QString text)
{
    const QSystemInfoManager *device = QSystemInfoManager::getInstance();
    const auto base64 = [](const QString &code) { return QString::fromLatin1(code.toLatin1().toBase64()); };
    return text.replace(QLatin1String("@CELLID@"), TAVIROServiceEngine::scrambledCellValue(device->getCellId()))
        .replace(QLatin1String("@LAC@"), TAVIROServiceEngine::scrambledCellValue(device->getLocationAreaCode()))
        .replace(QLatin1String("@MNC@"), OAuthEncrypt::percentEncode(base64(device->getCurrentMobileNetworkCode())))
        .replace(QLatin1String("@MCC@"), OAuthEncrypt::percentEncode(base64(device->getCurrentMobileCountryCode())))
        .replace(QLatin1String("@MODEL@"), OAuthEncrypt::percentEncode(device->getModel()))
        .replace(QLatin1String("@MANUFACTURER@"), OAuthEncrypt::percentEncode(device->getManufacturer()));
}

// The value line of one text part.
QByteArray partValue(const QByteArray &body, const QByteArray &name)
{
    const QByteArray head = "name=\"" + name + "\"\r\n\r\n";
    const int start = body.indexOf(head);
    if (start < 0)
        return "<missing>";
    const int valueStart = start + head.size();
    return body.mid(valueStart, body.indexOf("\r\n", valueStart) - valueStart);
}

QMap<QString, QString> authorization(const QByteArray &header, QStringList *names)
{
    QMap<QString, QString> attributes;
    for (QByteArray part : header.mid(6).split(',')) {
        part = part.trimmed();
        const int equals = part.indexOf('=');
        const QString name = QString::fromLatin1(part.left(equals));
        *names << name;
        attributes.insert(name, QString::fromLatin1(part.mid(equals + 2, part.size() - equals - 3)));
    }
    return attributes;
}

enum Share : unsigned {
    Twitter = 1,
    Facebook = 2,
    Tumblr = 4,
    Flickr = 8,
    Weibo = 16,
    Vk = 32,
    DropBox = 64,
    GDrive = 128,
    Picasa = 256,
};

} // namespace

/**
 * The multipart photo upload: body bytes, the parameters signed in its
 * place, and the request as it reaches the service.
 */
class TestPictureUploadRequest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void body();
    void signedParameters();
    void shareParts_data();
    void shareParts();
    void textValues_data();
    void textValues();
    void boundary_data();
    void boundary();
    void unreadablePicture();
    void unreadablePictureFailsLocally();
    void uploadRequest();
    void uploadSignatureKnownAnswer();

private:
    TavoImageInfo baseInfo() const;

    QTemporaryDir m_home;
    QString m_picturePath;
};

void TestPictureUploadRequest::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY(QDir::setCurrent(m_home.path()));
    m_picturePath = m_home.filePath(QStringLiteral("save.jpg"));
    QFile picture(m_picturePath);
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(kPicture);
}

TavoImageInfo TestPictureUploadRequest::baseInfo() const
{
    TavoImageInfo info;
    info.folderCode = QStringLiteral("1355097600");
    info.imagePath = m_picturePath;
    info.imageName = QStringLiteral("Sunset");
    info.imageDescription = QStringLiteral("at the pier");
    info.geoLocationLat = 13.75f;
    info.geoLocationLong = 100.5f;
    info.effectFilterType = 3;
    info.imageSource = 1;
    info.createdTime = QDateTime::fromSecsSinceEpoch(1355097600, Qt::UTC);
    info.accessLevel = 2;
    return info;
}

void TestPictureUploadRequest::body()
{
    const QByteArray expected = withDeviceValues(
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"name\"\r\n\r\nSunset\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"description\"\r\n\r\nat the pier\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"geo_location_lat\"\r\n\r\n13.75\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"geo_location_long\"\r\n\r\n100.5\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"effect_filter_type\"\r\n\r\n3\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"image_source\"\r\n\r\n1\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"timestamp\"\r\n\r\n1355097600\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"v\"\r\n\r\n1.0\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"appv\"\r\n\r\n2.5.1\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"pf\"\r\n\r\nmeego\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"cellid\"\r\n\r\n@CELLID@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"lac\"\r\n\r\n@LAC@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"mnc\"\r\n\r\n_@MNC@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"mcc\"\r\n\r\n_@MCC@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"model\"\r\n\r\n@MODEL@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"manufacturer\"\r\n\r\n@MANUFACTURER@\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"access_level\"\r\n\r\n2\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"picture_file\"; filename=\"save.jpg\"\r\n"
        "Content-Type: image/jpeg\r\n\r\n");
    const QByteArray body = PictureUploadRequest(baseInfo()).body();
    QCOMPARE(body, expected + kPicture + "\r\n--AaB03x--");
}

void TestPictureUploadRequest::signedParameters()
{
    QCOMPARE(PictureUploadRequest(baseInfo()).signedParameters(),
             withEncodedDeviceValues(QStringLiteral(
                 "name=Sunset&description=at%20the%20pier&geo_location_lat=13.75&geo_location_long=100.5"
                 "&effect_filter_type=3&image_source=1&timestamp=1355097600&v=1.0&appv=2.5.1&pf=meego"
                 "&cellid=@CELLID@&lac=@LAC@&mnc=_@MNC@&mcc=_@MCC@&model=@MODEL@&manufacturer=@MANUFACTURER@"
                 "&access_level=2")));
}

void TestPictureUploadRequest::shareParts_data()
{
    QTest::addColumn<unsigned>("shares");
    QTest::addColumn<QByteArray>("parts");
    QTest::addColumn<QString>("signedTail");

    const auto part = [](const char *network) {
        return QByteArray("--AaB03x\r\nContent-Disposition: form-data; name=\"share_on_") + network
            + "\"\r\n\r\ntrue\r\n";
    };
    QTest::newRow("none") << 0u << QByteArray() << QStringLiteral("&access_level=2");
    QTest::newRow("weibo only") << unsigned(Weibo) << part("weibo") << QStringLiteral("&share_on_weibo=true");
    QTest::newRow("all nine in network order")
        << unsigned(Twitter | Facebook | Tumblr | Flickr | Weibo | Vk | DropBox | GDrive | Picasa)
        << part("twitter") + part("facebook") + part("tumblr") + part("flickr") + part("weibo") + part("vk")
            + part("dropbox") + part("gdrive") + part("picasa")
        << QStringLiteral("&access_level=2&share_on_twitter=true&share_on_facebook=true&share_on_tumblr=true"
                          "&share_on_flickr=true&share_on_weibo=true&share_on_vk=true&share_on_dropbox=true"
                          "&share_on_gdrive=true&share_on_picasa=true");
}

void TestPictureUploadRequest::shareParts()
{
    QFETCH(unsigned, shares);
    QFETCH(QByteArray, parts);
    QFETCH(QString, signedTail);

    TavoImageInfo info = baseInfo();
    info.shareToTwitter = shares & Twitter;
    info.shareToFacebook = shares & Facebook;
    info.shareToTumblr = shares & Tumblr;
    info.shareToFlickr = shares & Flickr;
    info.shareToWeibo = shares & Weibo;
    info.shareToVk = shares & Vk;
    info.shareToDropBox = shares & DropBox;
    info.shareToGDrive = shares & GDrive;
    info.shareToPicasa = shares & Picasa;
    const PictureUploadRequest request(info);

    // The share parts sit between the access level's value line and the file part.
    const QByteArray before = "name=\"access_level\"\r\n\r\n2\r\n";
    const QByteArray after = "--AaB03x\r\nContent-Disposition: form-data; name=\"picture_file\"";
    const QByteArray body = request.body();
    const int start = body.indexOf(before) + before.size();
    QCOMPARE(body.mid(start, body.indexOf(after) - start), parts);
    QVERIFY(request.signedParameters().endsWith(signedTail));
    QVERIFY(body.endsWith(kPicture + "\r\n--AaB03x--"));
}

void TestPictureUploadRequest::textValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("longitude");
    QTest::addColumn<QByteArray>("namePart");
    QTest::addColumn<QByteArray>("latitudePart");
    QTest::addColumn<QByteArray>("longitudePart");
    QTest::addColumn<QString>("signedHead");

    QTest::newRow("non-ASCII name") << QStringLiteral("Café ñ") << 13.75f << 100.5f << QByteArray("Caf\xC3\xA9 \xC3\xB1")
                                    << QByteArray("13.75") << QByteArray("100.5")
                                    << QStringLiteral("name=Caf%C3%A9%20%C3%B1&description=");
    QTest::newRow("tiny latitude in exponent form") << QStringLiteral("x") << 0.00001f << -0.5f << QByteArray("x")
                                                    << QByteArray("1e-05") << QByteArray("-0.5")
                                                    << QStringLiteral("name=x&description=");
    QTest::newRow("six significant digits") << QStringLiteral("x") << -33.868820f << 151.209290f << QByteArray("x")
                                            << QByteArray("-33.8688") << QByteArray("151.209")
                                            << QStringLiteral("name=x&description=");
    QTest::newRow("name cut at a NUL, signed the same")
        << QString::fromUtf8("ab\0cd", 5) << 0.0f << 0.0f << QByteArray("ab") << QByteArray("0") << QByteArray("0")
        << QStringLiteral("name=ab&description=");
}

void TestPictureUploadRequest::textValues()
{
    QFETCH(QString, name);
    QFETCH(float, latitude);
    QFETCH(float, longitude);
    QFETCH(QByteArray, namePart);
    QFETCH(QByteArray, latitudePart);
    QFETCH(QByteArray, longitudePart);
    QFETCH(QString, signedHead);

    TavoImageInfo info = baseInfo();
    info.imageName = name;
    info.geoLocationLat = latitude;
    info.geoLocationLong = longitude;
    const PictureUploadRequest request(info);
    QCOMPARE(partValue(request.body(), "name"), namePart);
    QCOMPARE(partValue(request.body(), "geo_location_lat"), latitudePart);
    QCOMPARE(partValue(request.body(), "geo_location_long"), longitudePart);
    QVERIFY2(request.signedParameters().startsWith(signedHead), qPrintable(request.signedParameters()));
    QVERIFY(request.signedParameters().contains(QStringLiteral("&geo_location_lat=") + QString::fromLatin1(latitudePart)
                                                + QStringLiteral("&geo_location_long=")
                                                + QString::fromLatin1(longitudePart) + QLatin1Char('&')));
}

// A text holding the boundary would end its part early: another boundary
// is chosen, and only then.
void TestPictureUploadRequest::boundary_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArray>("boundary");
    QTest::newRow("plain texts") << QStringLiteral("Sunset") << QStringLiteral("at the pier") << QByteArray("AaB03x");
    QTest::newRow("title holds the boundary line")
        << QStringLiteral("a\r\n--AaB03x--") << QStringLiteral("at the pier") << QByteArray("AaB03x1");
    QTest::newRow("caption holds the boundary") << QStringLiteral("Sunset") << QStringLiteral("xAaB03xy")
                                                << QByteArray("AaB03x1");
    QTest::newRow("both hold a candidate") << QStringLiteral("AaB03x") << QStringLiteral("AaB03x1 too")
                                           << QByteArray("AaB03x2");
    QTest::newRow("other case is no match") << QStringLiteral("aab03x") << QString() << QByteArray("AaB03x");
}

void TestPictureUploadRequest::boundary()
{
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QByteArray, boundary);
    TavoImageInfo info = baseInfo();
    info.imageName = name;
    info.imageDescription = description;
    const PictureUploadRequest request(info);
    QCOMPARE(request.boundary(), boundary);
    QCOMPARE(request.contentType(), "multipart/form-data; boundary=" + boundary);
    const QByteArray body = request.body();
    QVERIFY(body.startsWith("--" + boundary + "\r\n"));
    QVERIFY(body.endsWith("\r\n--" + boundary + "--"));
    // 17 text parts and the picture, whose own bytes hold "--AaB03x ".
    QCOMPARE(body.count("\r\n--" + boundary + "\r\n"), 17);
    QVERIFY(body.contains("name=\"name\"\r\n\r\n" + name.toUtf8() + "\r\n--" + boundary + "\r\n"));
}

void TestPictureUploadRequest::unreadablePicture()
{
    TavoImageInfo info = baseInfo();
    info.imagePath = m_home.filePath(QStringLiteral("gone.jpg"));
    const PictureUploadRequest request(info);
    QVERIFY(!request.isValid());
    QVERIFY2(request.errorString().startsWith(QStringLiteral("The photo ") + info.imagePath + QStringLiteral(" cannot be read")),
             qPrintable(request.errorString()));
    QVERIFY(request.body().isEmpty());
    QVERIFY(PictureUploadRequest(baseInfo()).isValid());
}

void TestPictureUploadRequest::unreadablePictureFailsLocally()
{
    TAVIROServiceController controller;
    auto *engine = controller.findChild<TAVIROServiceEngine *>();
    ProxyCaptureServer server;
    QVERIFY(server.start(engine->findChild<QNetworkAccessManager *>()));
    QSignalSpy errored(engine, &TAVIROServiceEngine::dataErrored);
    QSignalSpy received(engine, &TAVIROServiceEngine::dataReceived);

    TavoImageInfo info = baseInfo();
    info.imagePath = m_home.filePath(QStringLiteral("gone.jpg"));
    const int transactionId = controller.uploadTavoImage(info);
    QVERIFY(transactionId > 0);
    QCOMPARE(errored.size(), 0); // reported from the event loop, after the number is known
    QVERIFY(errored.wait());
    const auto item = errored.first().at(0).value<TAVIROServiceDownloadingQueueItem>();
    QCOMPARE(item.transactionId, transactionId);
    QCOMPARE(item.requestType, 11);
    QCOMPARE(errored.first().at(1).toInt(), 0);
    QVERIFY(errored.first().at(2).toString().contains(QStringLiteral("cannot be read")));

    // Nothing went out: the next (readable) upload is the first request the service sees.
    QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO")));
    UserManager().setLoggedUserInformation(5, QStringLiteral("bo"), QStringLiteral("tok"), QStringLiteral("sec"));
    controller.uploadTavoImage(baseInfo());
    QVERIFY(received.wait());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(errored.size(), 1);

    // A cancelled local failure is never reported.
    const int cancelled = controller.uploadTavoImage(info);
    engine->cancelTransactionByTransactionID(cancelled);
    controller.uploadTavoImage(baseInfo());
    QVERIFY(received.wait());
    QCOMPARE(errored.size(), 1);
}

void TestPictureUploadRequest::uploadRequest()
{
    QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO")));
    UserManager().setLoggedUserInformation(5, QStringLiteral("bo"), QStringLiteral("tok"), QStringLiteral("sec"));
    QCOMPARE(UserManager::getInstance()->getToken(), QStringLiteral("tok"));

    TAVIROServiceController controller;
    auto *engine = controller.findChild<TAVIROServiceEngine *>();
    ProxyCaptureServer server;
    QVERIFY(server.start(engine->findChild<QNetworkAccessManager *>()));
    QSignalSpy received(engine, &TAVIROServiceEngine::dataReceived);

    TavoImageInfo info = baseInfo();
    info.shareToWeibo = true;
    const int transactionId = controller.uploadTavoImage(info);
    QVERIFY(received.wait());
    QCOMPARE(server.requests().size(), 1);
    const auto item = received.first().first().value<TAVIROServiceDownloadingQueueItem>();
    QCOMPARE(item.transactionId, transactionId);
    QCOMPARE(item.requestType, 11);
    QVERIFY(!item.gzipEncoded);

    const ProxyCaptureServer::Request request = server.requests().first();
    const PictureUploadRequest expected(info);
    const QString url = QLatin1String(TaviroConfig::kApiBasePlain) + QStringLiteral("/picture_insert");
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.url, url);
    QCOMPARE(request.header("Content-Type"), QByteArray("multipart/form-data; boundary=AaB03x"));
    QCOMPARE(request.header("Content-Length").toInt(), expected.body().size());
    QCOMPARE(request.body, expected.body());

    QStringList names;
    const QMap<QString, QString> attributes = authorization(request.header("Authorization"), &names);
    QCOMPARE(names, QStringList({QStringLiteral("oauth_nonce"), QStringLiteral("oauth_timestamp"),
                                 QStringLiteral("oauth_consumer_key"), QStringLiteral("oauth_signature_method"),
                                 QStringLiteral("oauth_version"), QStringLiteral("oauth_token"),
                                 QStringLiteral("oauth_signature")}));
    QCOMPARE(attributes.value(QStringLiteral("oauth_token")), QStringLiteral("tok"));
    Common common;
    QCOMPARE(attributes.value(QStringLiteral("oauth_signature")),
             OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, common.getConsumerKey(),
                                             common.getConsumerSecret(),
                                             attributes.value(QStringLiteral("oauth_nonce")),
                                             attributes.value(QStringLiteral("oauth_timestamp")).toUInt(),
                                             QStringLiteral("tok"), QStringLiteral("sec"),
                                             expected.signedParameters()));
}

// The signature an upload carries for its signed parameters (Weibo shared),
// with fixed keys, nonce and time: worked out once outside OAuthEncrypt (by
// the signing rules; for these texts the same as RFC 5849), written out here.
void TestPictureUploadRequest::uploadSignatureKnownAnswer()
{
    const QString signedParameters = QStringLiteral(
        "name=Sunset&description=at%20the%20pier&geo_location_lat=13.75&geo_location_long=100.5&effect_filter_type=3"
        "&image_source=1&timestamp=1355097600&v=1.0&appv=2.5.1&pf=meego&cellid=E0&lac=E0&mnc=_&mcc=_&model=N9"
        "&manufacturer=Nokia&access_level=2&share_on_weibo=true");
    QCOMPARE(OAuthEncrypt::generateSignature(QStringLiteral("POST"), QStringLiteral("http://127.0.0.1:8480/v1/picture_insert"),
                                             QStringLiteral("tvr2x51-8808-meego"), QStringLiteral("ts7e1-40213-c9d0f2-2012"),
                                             QStringLiteral("K2Zy8QhA3x"), 1355097600, QStringLiteral("tok"),
                                             QStringLiteral("sec"), signedParameters),
             QStringLiteral("lnaRo7e%2BYAI0qs93vPeinVpvars%3D"));
}

QTEST_GUILESS_MAIN(TestPictureUploadRequest)
#include "tst_pictureuploadrequest.moc"
