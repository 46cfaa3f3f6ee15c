#include "cache/imagecacheengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

/**
 * One mode's disk cache: the names phones already hold, the index order,
 * the file limit, and files that are not what they should be.
 */
class TestImageCacheEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_previousDir;
    const QString m_path = QStringLiteral(".TAVIRO/cache/thumb");

    static QString url(int n) { return QStringLiteral("http://127.0.0.1:8480/photos/p%1/thumb").arg(n); }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<ImageCacheEngine> makeEngine(int maxFiles = 30)
    {
        auto engine = std::make_unique<ImageCacheEngine>();
        engine->setPath(m_path);
        engine->setMaxFiles(maxFiles);
        engine->loadIndex();
        return engine;
    }

private slots:
    void init()
    {
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
    }
    void cleanup()
    {
        QDir(QStringLiteral(".TAVIRO")).removeRecursively();
        QDir::setCurrent(m_previousDir);
    }

    void namesAreTheUrlDigestAfterABackslash();
    void indexIsMostRecentFirstAndSurvivesARestart();
    void thirtyFirstThumbnailDropsTheLeastRecent();
    void missingEntryIsWrittenAgain();
    void damagedIndexNeverNamesFilesOutsideTheCache();
    void linkInAnEntrysPlaceIsReplacedNotWrittenThrough();
};

void TestImageCacheEngine::namesAreTheUrlDigestAfterABackslash()
{
    const QString url = QStringLiteral("http://127.0.0.1:8480/photos/Rw9typUyRF/thumb");
    auto engine = makeEngine();
    QCOMPARE(engine->filePath(url), QStringLiteral(".TAVIRO/cache/thumb\\ac85434ab471b3a915495d38fb4598b2"));
    QVERIFY(!engine->contains(url));

    engine->store(url, QByteArrayLiteral("bytes as sent"));
    // Everything lies in the folder above the mode's own, which stays empty.
    QCOMPARE(readAll(QStringLiteral(".TAVIRO/cache/thumb\\ac85434ab471b3a915495d38fb4598b2")),
             QByteArrayLiteral("bytes as sent"));
    QCOMPARE(readAll(QStringLiteral(".TAVIRO/cache/thumb\\index")),
             QByteArrayLiteral("ac85434ab471b3a915495d38fb4598b2\n"));
    QVERIFY(QFileInfo(m_path).isDir());
    QVERIFY(QDir(m_path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    QVERIFY(engine->contains(url));
}

void TestImageCacheEngine::indexIsMostRecentFirstAndSurvivesARestart()
{
    {
        auto engine = makeEngine();
        engine->store(url(1), "1");
        engine->store(url(2), "2");
        engine->store(url(3), "3");
        engine->touch(url(1));
        // Storing a known name only moves it; the file is not rewritten.
        engine->store(url(2), "changed");
        QCOMPARE(readAll(engine->filePath(url(2))), QByteArrayLiteral("2"));
    }
    const QStringList expected = {ImageCacheEngine::entryName(url(2)), ImageCacheEngine::entryName(url(1)),
                                  ImageCacheEngine::entryName(url(3))};
    QCOMPARE(QString::fromLatin1(readAll(m_path + QStringLiteral("\\index"))),
             expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QCOMPARE(makeEngine()->index(), expected);
}

void TestImageCacheEngine::thirtyFirstThumbnailDropsTheLeastRecent()
{
    auto engine = makeEngine();
    for (int n = 0; n < 30; ++n)
        engine->store(url(n), QByteArray::number(n));
    engine->touch(url(0));
    engine->store(url(30), "30");

    QCOMPARE(engine->index().size(), 30);
    QVERIFY(!engine->index().contains(ImageCacheEngine::entryName(url(1))));
    QVERIFY(!QFile::exists(engine->filePath(url(1))));
    QVERIFY(engine->contains(url(0)));
    QVERIFY(engine->contains(url(30)));
    QCOMPARE(QDir(QStringLiteral(".TAVIRO/cache")).entryList(QDir::Files).size(), 31); // 30 entries, the index
}

void TestImageCacheEngine::missingEntryIsWrittenAgain()
{
    auto engine = makeEngine();
    engine->store(url(1), "first");
    QVERIFY(QFile::remove(engine->filePath(url(1))));
    QVERIFY(!engine->contains(url(1)));
    engine->store(url(1), "again");
    QCOMPARE(readAll(engine->filePath(url(1))), QByteArrayLiteral("again"));
    QCOMPARE(engine->index().size(), 1);
}

void TestImageCacheEngine::damagedIndexNeverNamesFilesOutsideTheCache()
{
    QVERIFY(QDir().mkpath(m_path));
    writeFile(QStringLiteral("victim"), "keep me");
    const QString good = ImageCacheEngine::entryName(url(1));
    writeFile(m_path + QStringLiteral("\\index"),
              ("/../../../victim\n\n" + good + "\n" + good + "\nnot-a-digest\n").toUtf8());

    auto engine = makeEngine(1);
    QCOMPARE(engine->index(), QStringList{good});
    engine->store(url(2), "2");
    engine->store(url(3), "3");
    QCOMPARE(readAll(QStringLiteral("victim")), QByteArrayLiteral("keep me"));
    QCOMPARE(engine->index(), QStringList{ImageCacheEngine::entryName(url(3))});
}

void TestImageCacheEngine::linkInAnEntrysPlaceIsReplacedNotWrittenThrough()
{
    auto engine = makeEngine();
    writeFile(QStringLiteral("outside"), "outside the cache");
    QVERIFY(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("outside")), engine->filePath(url(1))));

    engine->store(url(1), "picture");
    QCOMPARE(readAll(QStringLiteral("outside")), QByteArrayLiteral("outside the cache"));
    QVERIFY(!QFileInfo(engine->filePath(url(1))).isSymLink());
    QCOMPARE(readAll(engine->filePath(url(1))), QByteArrayLiteral("picture"));

    // Dropping an entry whose file became a link removes the link only.
    engine->store(url(2), "2");
    QVERIFY(QFile::remove(engine->filePath(url(2))));
    QVERIFY(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("outside")), engine->filePath(url(2))));
    engine->setMaxFiles(1);
    engine->store(url(3), "3");
    QVERIFY(!QFileInfo(engine->filePath(url(2))).isSymLink());
    QCOMPARE(readAll(QStringLiteral("outside")), QByteArrayLiteral("outside the cache"));
}

QTEST_MAIN(TestImageCacheEngine)
#include "tst_imagecacheengine.moc"
