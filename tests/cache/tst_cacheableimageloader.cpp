#include "app/qmltypes.h"
#include "cache/cacheableimageloader.h"
#include "cache/imagecacheengine.h"
#include "cache/imagecachemode.h"
#include "tests/cache/cachefixture.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

/**
 * The item beside a QML Image: which source it tells the Image to show,
 * and the references it holds in the shared cache. The items fetch through
 * the service (needOAuth), which the fixture fakes.
 */
class TestCacheableImageLoader : public QObject
{
    Q_OBJECT

    CacheFixture m_fixture;
    const QString m_url = QStringLiteral("http://127.0.0.1:8480/photos/abc/medium?salt=ab12");
    const QUrl m_placeholder = QUrl(QStringLiteral("qrc:/loading.png"));

    static QStringList paths(const QSignalSpy &spy)
    {
        QStringList list;
        for (const QList<QVariant> &call : spy)
            list << call.at(0).toString();
        return list;
    }

private slots:
    void initTestCase() { registerQmlTypes(); }
    void init() { m_fixture.setUp(); }
    void cleanup() { m_fixture.tearDown(); }

    void fileSourceBypassesTheCache();
    void uncachedSourceShowsThePlaceholderFirst();
    void cachedSourceAnswersOnceWithoutPlaceholder();
    void twoItemsOneDownloadBothTold();
    void sameSourceTwiceRequestsOnce();
    void destroyingAPendingItemCancelsItsDownload();
    void qmlPropertyOrderDoesNotChooseTheCacheMode();
};

void TestCacheableImageLoader::fileSourceBypassesTheCache()
{
    CacheableImageLoader loader;
    loader.setNeedOAuth(true);
    QSignalSpy shown(&loader, &CacheableImageLoader::imageLoaded);
    loader.setLoadingImagePath(m_placeholder);
    loader.setSourceImagePath(QUrl::fromLocalFile(QStringLiteral("/home/user/pic.jpg")));
    QCOMPARE(paths(shown), (QStringList{m_placeholder.toString(), QStringLiteral("/home/user/pic.jpg")}));
    QVERIFY(m_fixture.service.requested.isEmpty());

    // Once something was shown, a new placeholder is not.
    loader.setLoadingImagePath(QUrl(QStringLiteral("qrc:/other.png")));
    QCOMPARE(shown.count(), 2);
}

void TestCacheableImageLoader::uncachedSourceShowsThePlaceholderFirst()
{
    CacheableImageLoader loader;
    loader.setNeedOAuth(true);
    loader.setLoadingImagePath(m_placeholder);
    QSignalSpy shown(&loader, &CacheableImageLoader::imageLoaded);
    loader.setSourceImagePath(QUrl(m_url));
    QCOMPARE(paths(shown), QStringList{m_placeholder.toString()});

    m_fixture.deliver(m_url, CacheFixture::picture(8, 8));
    QCOMPARE(paths(shown), (QStringList{m_placeholder.toString(), QStringLiteral("image://smartimageprovider/") + m_url}));
}

void TestCacheableImageLoader::cachedSourceAnswersOnceWithoutPlaceholder()
{
    m_fixture.manager->requestImage(m_url, true, ImageCacheMode::NoCache);
    m_fixture.deliver(m_url, CacheFixture::picture(8, 8));

    CacheableImageLoader loader;

    loader.setNeedOAuth(true);
    loader.setLoadingImagePath(m_placeholder);
    QSignalSpy shown(&loader, &CacheableImageLoader::imageLoaded);
    loader.setSourceImagePath(QUrl(m_url));
    QCOMPARE(paths(shown), QStringList{QStringLiteral("image://smartimageprovider/") + m_url});
}

void TestCacheableImageLoader::twoItemsOneDownloadBothTold()
{
    CacheableImageLoader first;
    first.setNeedOAuth(true);
    CacheableImageLoader second;
    second.setNeedOAuth(true);
    QSignalSpy firstShown(&first, &CacheableImageLoader::imageLoaded);
    QSignalSpy secondShown(&second, &CacheableImageLoader::imageLoaded);
    first.setSourceImagePath(QUrl(m_url));
    second.setSourceImagePath(QUrl(m_url));
    QCOMPARE(m_fixture.service.requested.size(), 1);

    m_fixture.deliver(m_url, CacheFixture::picture(8, 8));
    QCOMPARE(firstShown.last().at(0).toString(), QStringLiteral("image://smartimageprovider/") + m_url);
    QCOMPARE(secondShown.last().at(0).toString(), QStringLiteral("image://smartimageprovider/") + m_url);
}

void TestCacheableImageLoader::sameSourceTwiceRequestsOnce()
{
    CacheableImageLoader loader;
    loader.setNeedOAuth(true);
    QSignalSpy changed(&loader, &CacheableImageLoader::sourceImagePathChanged);
    loader.setSourceImagePath(QUrl(m_url));
    loader.setSourceImagePath(QUrl(m_url));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_fixture.service.requested.size(), 1);

    // A new source gives the old reference back: nothing else held it.
    loader.setSourceImagePath(QUrl(QStringLiteral("http://127.0.0.1:8480/photos/def/medium")));
    QCOMPARE(m_fixture.service.cancelled, QList<int>{101});
}

void TestCacheableImageLoader::destroyingAPendingItemCancelsItsDownload()
{
    CacheableImageLoader keeper;
    keeper.setNeedOAuth(true);
    keeper.setSourceImagePath(QUrl(m_url));
    {
        CacheableImageLoader item;
        item.setNeedOAuth(true);
        item.setSourceImagePath(QUrl(m_url));
    }
    QVERIFY(m_fixture.service.cancelled.isEmpty());
    {
        CacheableImageLoader last;
        last.setNeedOAuth(true);
        last.setSourceImagePath(QUrl(QStringLiteral("http://127.0.0.1:8480/photos/zzz/medium")));
    }
    QCOMPARE(m_fixture.service.cancelled, QList<int>{102});
}

void TestCacheableImageLoader::qmlPropertyOrderDoesNotChooseTheCacheMode()
{
    // Written source first: the request still goes out with the item's mode.
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(QStringLiteral("import QtQuick 2.15\nimport TAVIROLib 1.0\n"
                                     "CacheableImageLoader { sourceImagePath: \"%1\"; needOAuth: true;"
                                     " cacheMode: ImageCacheMode.CacheThumbnail }\n")
                          .arg(m_url)
                          .toUtf8(),
                      QUrl());
    QScopedPointer<QObject> item(component.create());
    QVERIFY2(item, qPrintable(component.errorString()));
    QCOMPARE(m_fixture.service.requested, QStringList{m_url});
    m_fixture.deliver(m_url, CacheFixture::picture(8, 8));
    QVERIFY(m_fixture.manager->engine(ImageCacheMode::CacheThumbnail)->contains(m_url));
}

QTEST_MAIN(TestCacheableImageLoader)
#include "tst_cacheableimageloader.moc"
