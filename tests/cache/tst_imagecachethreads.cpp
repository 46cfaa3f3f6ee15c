#include "app/smartimageprovider.h"
#include "cache/imagecachemode.h"
#include "tests/cache/cachefixture.h"

#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

/**
 * The engine's image reader threads ask the smart provider for pictures
 * while the GUI thread loads, shares, drops and finally replaces the whole
 * cache. Run under ThreadSanitizer too (scripts/tsan).
 */
class TestImageCacheThreads : public QObject
{
    Q_OBJECT

    CacheFixture m_fixture;

private slots:
    void init() { m_fixture.setUp(); }
    void cleanup() { m_fixture.tearDown(); }

    void readersWhileTheTableChanges();
};

void TestImageCacheThreads::readersWhileTheTableChanges()
{
    constexpr int urlCount = 8;
    QStringList urls;
    for (int n = 0; n < urlCount; ++n)
        urls << QStringLiteral("http://127.0.0.1:8480/photos/p%1/medium").arg(n);
    const QByteArray bytes = CacheFixture::picture(64, 48);

    std::atomic<bool> stop{false};
    std::atomic<int> seen{0};
    std::atomic<int> wrong{0};
    SmartImageProvider provider;
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&, r] {
            for (int i = r; !stop; ++i) {
                QSize size;
                const QImage image = provider.requestImage(urls.at(i % urlCount), &size, QSize(32, 32));
                if (image.isNull())
                    continue;
                ++seen;
                if (image.size() != QSize(32, 24) || size != image.size() || image.pixel(5, 5) != qRgb(30, 140, 200))
                    ++wrong;
            }
        });
    }

    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 400; ++i) {
            const QString &url = urls.at(i % urlCount);
            m_fixture.manager->requestImage(url, true, ImageCacheMode::NoCache);
            m_fixture.deliver(url, bytes);
            m_fixture.manager->requestImage(url, true, ImageCacheMode::NoCache);
            m_fixture.manager->releaseImage(url, true);
            if (i % 3)
                m_fixture.manager->releaseImage(urls.at((i + urlCount - 2) % urlCount), true);
        }
        // A whole new cache (and hub) while the readers keep asking.
        m_fixture.startHub();
    }
    // Keep one picture loaded until every reader has met it.
    m_fixture.manager->requestImage(urls.at(0), true, ImageCacheMode::NoCache);
    m_fixture.deliver(urls.at(0), bytes);
    const bool readersSawPictures = QTest::qWaitFor([&] { return seen.load() > 100; }, 20000);
    stop = true;
    for (std::thread &reader : readers)
        reader.join();

    QVERIFY(readersSawPictures);
    QCOMPARE(wrong.load(), 0);
}

QTEST_MAIN(TestImageCacheThreads)
#include "tst_imagecachethreads.moc"
