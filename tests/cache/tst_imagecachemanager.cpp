#include "cache/imagecacheengine.h"
#include "cache/imagecachemode.h"
#include "captureserver.h"
#include "tests/cache/cachefixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

/**
 * The shared picture table: one download per URL, references, the disk
 * side per mode, and the controller handed to the downloader.
 */
class TestImageCacheManager : public QObject
{
    Q_OBJECT

    CacheFixture m_fixture;
    const QString m_url = QStringLiteral("http://127.0.0.1:8480/photos/Rw9typUyRF/thumb");

private slots:
    void init() { m_fixture.setUp(); }
    void cleanup() { m_fixture.tearDown(); }

    void modesHaveTheirFoldersAndLimits_data();
    void modesHaveTheirFoldersAndLimits();
    void oneUrlOneDownloadSharedByReferences();
    void releasingTheLastReferenceCancelsAPendingDownload();
    void loadedUrlAnswersDuringTheRequest();
    void diskCopyServesTheNextRunWithoutNetwork();
    void noCacheNeverTouchesTheDisk();
    void urlWithoutSchemeYieldsNothing();
    void undecodableBytesStillLoadEmpty();
    void loadsThroughTheServiceReachTheController();
};

void TestImageCacheManager::modesHaveTheirFoldersAndLimits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maxFiles");
    QTest::newRow("thumbnail") << int(ImageCacheMode::CacheThumbnail) << ".TAVIRO/cache/thumb" << 30;
    QTest::newRow("profile") << int(ImageCacheMode::CacheProfileImage) << ".TAVIRO/cache/profile" << 30;
    QTest::newRow("badge") << int(ImageCacheMode::CacheBadge) << ".TAVIRO/cache/badge" << 12;
    QTest::newRow("large") << int(ImageCacheMode::CacheLargeImage) << ".TAVIRO/cache/large" << 5;
    QTest::newRow("not important") << int(ImageCacheMode::CacheNotImportant) << ".TAVIRO/cache/notimp" << 20;
}

void TestImageCacheManager::modesHaveTheirFoldersAndLimits()
{
    // Phones already hold files under these names and counts.
    QFETCH(int, mode);
    QFETCH(QString, path);
    QFETCH(int, maxFiles);
    ImageCacheEngine *engine = m_fixture.manager->engine(mode);
    QVERIFY(engine);
    QCOMPARE(engine->path(), path);
    QCOMPARE(engine->maxFiles(), maxFiles);
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(m_fixture.manager->engine(ImageCacheMode::NoCache), nullptr);
}

void TestImageCacheManager::oneUrlOneDownloadSharedByReferences()
{
    ImageCacheManager *manager = m_fixture.manager;
    QSignalSpy loaded(manager, &ImageCacheManager::imageLoaded);
    manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    QCOMPARE(m_fixture.service.requested, QStringList{m_url});
    QCOMPARE(loaded.count(), 0);

    m_fixture.deliver(m_url, CacheFixture::picture(640, 480));
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.at(0).at(0).toString(), m_url);
    QCOMPARE(manager->getImage(m_url).size(), QSize(640, 480));

    manager->releaseImage(m_url, true);
    QCOMPARE(manager->getImage(m_url).size(), QSize(640, 480));
    manager->releaseImage(m_url, true);
    QVERIFY(manager->getImage(m_url).isNull());
    // Loaded, so nothing was pending to cancel.
    QVERIFY(m_fixture.service.cancelled.isEmpty());
}

void TestImageCacheManager::releasingTheLastReferenceCancelsAPendingDownload()
{
    ImageCacheManager *manager = m_fixture.manager;
    manager->requestImage(m_url, true, ImageCacheMode::CacheThumbnail);
    manager->requestImage(m_url, true, ImageCacheMode::CacheThumbnail);
    manager->releaseImage(m_url, true);
    QVERIFY(m_fixture.service.cancelled.isEmpty());
    // The last release cancels the way the download was started, whatever
    // the releasing item now says.
    manager->releaseImage(m_url, false);
    QCOMPARE(m_fixture.service.cancelled, QList<int>{101});

    // A picture arriving after all releases is announced but not kept.
    QSignalSpy loaded(manager, &ImageCacheManager::imageLoaded);
    m_fixture.deliver(m_url, CacheFixture::picture(8, 8));
    QCOMPARE(loaded.count(), 0);
    QVERIFY(!manager->engine(ImageCacheMode::CacheThumbnail)->contains(m_url));
}

void TestImageCacheManager::loadedUrlAnswersDuringTheRequest()
{
    ImageCacheManager *manager = m_fixture.manager;
    manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    m_fixture.deliver(m_url, CacheFixture::picture(20, 10));

    QSignalSpy loaded(manager, &ImageCacheManager::imageLoaded);
    manager->requestImage(m_url, true, ImageCacheMode::CacheBadge);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(m_fixture.service.requested.size(), 1);
}

void TestImageCacheManager::diskCopyServesTheNextRunWithoutNetwork()
{
    const QByteArray bytes = CacheFixture::picture(64, 48, "JPEG");
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::CacheThumbnail);
    m_fixture.deliver(m_url, bytes);
    const QString entry = QStringLiteral(".TAVIRO/cache/thumb\\ac85434ab471b3a915495d38fb4598b2");
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    file.close();

    m_fixture.startHub();
    QSignalSpy loaded(m_fixture.manager, &ImageCacheManager::imageLoaded);
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::CacheThumbnail);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(m_fixture.manager->getImage(m_url).size(), QSize(64, 48));
    QVERIFY(m_fixture.service.requested.isEmpty());
}

void TestImageCacheManager::noCacheNeverTouchesTheDisk()
{
    const QDir cache(QStringLiteral(".TAVIRO/cache"));
    const QStringList before = cache.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    m_fixture.deliver(m_url, CacheFixture::picture(16, 16));
    m_fixture.manager->releaseImage(m_url, true);
    QCOMPARE(cache.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);

    // Nor does it read there: a disk copy of the URL is not used.
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::CacheThumbnail);
    m_fixture.deliver(m_url, CacheFixture::picture(16, 16));
    m_fixture.manager->releaseImage(m_url, true);
    m_fixture.service.requested.clear();
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    QCOMPARE(m_fixture.service.requested, QStringList{m_url});
}

void TestImageCacheManager::urlWithoutSchemeYieldsNothing()
{
    QSignalSpy loaded(m_fixture.manager, &ImageCacheManager::imageLoaded);
    m_fixture.manager->requestImage(QStringLiteral("photos/a.jpg"), true, ImageCacheMode::CacheThumbnail);
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    m_fixture.deliver(m_url, CacheFixture::picture(4, 4));
    // The sentinel URL is the only one announced or fetched.
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.at(0).at(0).toString(), m_url);
    QCOMPARE(m_fixture.service.requested, QStringList{m_url});
}

void TestImageCacheManager::undecodableBytesStillLoadEmpty()
{
    QSignalSpy loaded(m_fixture.manager, &ImageCacheManager::imageLoaded);
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::CacheProfileImage);
    m_fixture.deliver(m_url, QByteArrayLiteral("<html>not a picture</html>"));
    QCOMPARE(loaded.count(), 1);
    QVERIFY(m_fixture.manager->getImage(m_url).isNull());
    QVERIFY(m_fixture.manager->engine(ImageCacheMode::CacheProfileImage)->contains(m_url));
}

void TestImageCacheManager::loadsThroughTheServiceReachTheController()
{
    // The hub's own wiring: the downloader asks the controller, whose
    // large-picture answer comes back through the hub.
    CaptureServer server;
    QVERIFY(server.listenOnLoopback());
    server.expect(200, CacheFixture::picture(30, 20));
    m_fixture.startHub(false);
    const QString url = server.url(QStringLiteral("/photos/abc/medium"));

    QSignalSpy loaded(m_fixture.manager, &ImageCacheManager::imageLoaded);
    m_fixture.manager->requestImage(url, true, ImageCacheMode::NoCache);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(loaded.at(0).at(0).toString(), url);
    QCOMPARE(m_fixture.manager->getImage(url).size(), QSize(30, 20));
    QCOMPARE(server.requests().size(), 1);
    QVERIFY(server.unexpected().isEmpty());
}

QTEST_MAIN(TestImageCacheManager)
#include "tst_imagecachemanager.moc"
