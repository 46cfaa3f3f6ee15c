#include "app/imageprovider.h"
#include "app/smartimageprovider.h"
#include "cache/imagecachemode.h"
#include "tests/cache/cachefixture.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QtTest>

/**
 * The two image providers, called as the engine calls them and through
 * QML Image elements, synchronous and on the reader thread.
 */
class TestImageProviders : public QObject
{
    Q_OBJECT

    CacheFixture m_fixture;
    const QString m_url = QStringLiteral("http://127.0.0.1:8480/photos/abc/medium?salt=ab12");

    void holdPicture(int width, int height)
    {
        m_fixture.manager->requestImage(m_url, true, ImageCacheMode::NoCache);
        m_fixture.deliver(m_url, CacheFixture::picture(width, height));
    }

private slots:
    void init() { m_fixture.setUp(); }
    void cleanup() { m_fixture.tearDown(); }

    void smartProviderScalesToFit_data();
    void smartProviderScalesToFit();
    void fileProviderShowsTheFileAtItsOwnSize();
    void qmlImagesReachBothProviders_data();
    void qmlImagesReachBothProviders();
};

void TestImageProviders::smartProviderScalesToFit_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("fit a square") << m_url << QSize(320, 320) << QSize(320, 240);
    QTest::newRow("no size asked") << m_url << QSize(-1, -1) << QSize(640, 480);
    QTest::newRow("zero size") << m_url << QSize(0, 0) << QSize(640, 480);
    QTest::newRow("width only") << m_url << QSize(160, 0) << QSize(160, 120);
    QTest::newRow("own size") << m_url << QSize(640, 480) << QSize(640, 480);
    QTest::newRow("key not held") << QStringLiteral("http://127.0.0.1:8480/photos/none/medium") << QSize(320, 320)
                                  << QSize(0, 0);
}

void TestImageProviders::smartProviderScalesToFit()
{
    QFETCH(QString, key);
    QFETCH(QSize, requested);
    QFETCH(QSize, expected);
    holdPicture(640, 480);
    SmartImageProvider provider;
    QCOMPARE(provider.imageType(), QQuickImageProvider::Image);
    QSize size;
    const QImage image = provider.requestImage(key, &size, requested);
    QCOMPARE(image.size(), expected);
    QCOMPARE(size, expected);
}

void TestImageProviders::fileProviderShowsTheFileAtItsOwnSize()
{
    QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO/queues/17")));
    QImage(130, 97, QImage::Format_RGB32).save(QStringLiteral(".TAVIRO/queues/17/thumb.jpg"));
    ImageProvider provider;
    QCOMPARE(provider.imageType(), QQuickImageProvider::Image);
    QSize size;
    QCOMPARE(provider.requestImage(QStringLiteral(".TAVIRO/queues/17/thumb.jpg"), &size, QSize(36, 36)).size(),
             QSize(130, 97));
    QCOMPARE(size, QSize(130, 97));
    QVERIFY(provider.requestImage(QStringLiteral(".TAVIRO/queues/none.jpg"), &size, QSize()).isNull());
    QCOMPARE(size, QSize(0, 0));
}

void TestImageProviders::qmlImagesReachBothProviders_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("asynchronous");
    QTest::addColumn<QSize>("expected");
    const QString smart = QStringLiteral("image://smartimageprovider/") + m_url;
    QTest::newRow("smart, synchronous") << smart << false << QSize(320, 240);
    QTest::newRow("smart, reader thread") << smart << true << QSize(320, 240);
    QTest::newRow("file, reader thread")
        << QStringLiteral("image://imageprovider/.TAVIRO/queues/17/thumb.jpg") << true << QSize(130, 97);
}

void TestImageProviders::qmlImagesReachBothProviders()
{
    QFETCH(QString, source);
    QFETCH(bool, asynchronous);
    QFETCH(QSize, expected);
    holdPicture(640, 480);
    QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO/queues/17")));
    QImage(130, 97, QImage::Format_RGB32).save(QStringLiteral(".TAVIRO/queues/17/thumb.jpg"));

    QQmlEngine engine;
    engine.addImageProvider(QStringLiteral("imageprovider"), new ImageProvider);
    engine.addImageProvider(QStringLiteral("smartimageprovider"), new SmartImageProvider);
    QQmlComponent component(&engine);
    component.setData(QStringLiteral("import QtQuick 2.15\nImage { sourceSize: Qt.size(320, 320); asynchronous: %1;"
                                     " cache: false; source: \"%2\" }\n")
                          .arg(asynchronous ? QStringLiteral("true") : QStringLiteral("false"), source)
                          .toUtf8(),
                      QUrl());
    QScopedPointer<QObject> image(component.create());
    QVERIFY2(image, qPrintable(component.errorString()));
    QTRY_COMPARE(image->property("status").toInt(), 1); // Image.Ready
    QCOMPARE(QSize(image->property("implicitWidth").toInt(), image->property("implicitHeight").toInt()), expected);
}

QTEST_MAIN(TestImageProviders)
#include "tst_imageproviders.moc"
