#include "app/common.h"
#include "cache/cachepruner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

/**
 * The background pruner over the cache folders: ages in calendar days per
 * folder, and nothing it must not touch.
 */
class TestCachePruner : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_previousDir;

    // A file last modified `days` calendar days ago (at noon, clear of
    // midnight and clock changes).
    static void makeFile(const QString &path, int days)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush();
        const QDateTime when(QDate::currentDate().addDays(-days), QTime(12, 0));
        QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
    }

    static void runPruner()
    {
        auto *pruner = new CachePruner;
        QPointer<CachePruner> guard(pruner);
        pruner->start(QThread::LowPriority);
        // It deletes itself once its run has ended.
        QTRY_VERIFY_WITH_TIMEOUT(!guard, 10000);
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

    void filesGoOnceOlderThanTheirFoldersLimit_data();
    void filesGoOnceOlderThanTheirFoldersLimit();
    void missingFolderIsSkipped();
    void subFoldersLinksAndCacheEntriesAreLeftAlone();
    void commonStartsAPruner();
};

void TestCachePruner::filesGoOnceOlderThanTheirFoldersLimit_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("kept");
    QTest::newRow("badge 30 days") << "badge" << 30 << true;
    QTest::newRow("badge 31 days") << "badge" << 31 << false;
    QTest::newRow("profile 7 days") << "profile" << 7 << true;
    QTest::newRow("profile 8 days") << "profile" << 8 << false;
    QTest::newRow("photo 2 days") << "photo" << 2 << true;
    QTest::newRow("photo 3 days") << "photo" << 3 << false;
    QTest::newRow("else 3 days") << "else" << 3 << true;
    QTest::newRow("else 4 days") << "else" << 4 << false;
    QTest::newRow("large 3 days") << "large" << 3 << false;
    QTest::newRow("thumb has no rule") << "thumb" << 400 << true;
}

void TestCachePruner::filesGoOnceOlderThanTheirFoldersLimit()
{
    QFETCH(QString, folder);
    QFETCH(int, days);
    QFETCH(bool, kept);
    const QString path = QStringLiteral(".TAVIRO/cache/") + folder + QStringLiteral("/picture");
    makeFile(path, days);
    makeFile(QStringLiteral(".TAVIRO/cache/") + folder + QStringLiteral("/.hidden"), days);
    runPruner();
    QCOMPARE(QFile::exists(path), kept);
    QCOMPARE(QFile::exists(QStringLiteral(".TAVIRO/cache/") + folder + QStringLiteral("/.hidden")), kept);
}

void TestCachePruner::missingFolderIsSkipped()
{
    makeFile(QStringLiteral(".TAVIRO/cache/else/old"), 10);
    QVERIFY(!QFileInfo::exists(QStringLiteral(".TAVIRO/cache/photo")));
    runPruner();
    QVERIFY(!QFile::exists(QStringLiteral(".TAVIRO/cache/else/old")));
}

void TestCachePruner::subFoldersLinksAndCacheEntriesAreLeftAlone()
{
    makeFile(QStringLiteral(".TAVIRO/cache/badge/inner/old"), 100);
    makeFile(QStringLiteral("outside/old"), 100);
    QVERIFY(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("outside/old")),
                        QStringLiteral(".TAVIRO/cache/badge/link")));
    // The image cache's own files lie beside the folders, not in them.
    makeFile(QStringLiteral(".TAVIRO/cache/badge\\0123456789abcdef0123456789abcdef"), 100);
    makeFile(QStringLiteral(".TAVIRO/cache/large/old"), 100);
    runPruner();

    QVERIFY(!QFile::exists(QStringLiteral(".TAVIRO/cache/large/old")));
    QVERIFY(QFile::exists(QStringLiteral(".TAVIRO/cache/badge/inner/old")));
    QVERIFY(QFileInfo(QStringLiteral(".TAVIRO/cache/badge/link")).isSymLink());
    QVERIFY(QFile::exists(QStringLiteral("outside/old")));
    QVERIFY(QFile::exists(QStringLiteral(".TAVIRO/cache/badge\\0123456789abcdef0123456789abcdef")));
}

void TestCachePruner::commonStartsAPruner()
{
    makeFile(QStringLiteral(".TAVIRO/cache/badge/young"), 1);
    makeFile(QStringLiteral(".TAVIRO/cache/large/old"), 10);
    Common common;
    common.pruningCache();
    // The large folder comes last: once its file is gone the run is over.
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral(".TAVIRO/cache/large/old")), 10000);
    QVERIFY(QFile::exists(QStringLiteral(".TAVIRO/cache/badge/young")));
}

QTEST_MAIN(TestCachePruner)
#include "tst_cachepruner.moc"
