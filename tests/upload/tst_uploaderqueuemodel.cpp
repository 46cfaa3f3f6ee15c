#include "app/globalservices.h"
#include "app/usermanager.h"
#include "captureserver.h"
#include "service/taviroservicecontroller.h"
#include "service/taviroserviceengine.h"
#include "upload/queuefolder.h"
#include "upload/uploaderqueuemodel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/time.h>

/**
 * The queue on disk and in the model, without uploading: the details file,
 * the folders, loading what an earlier run left. Every request the app
 * makes goes to a capture server that has no answer for it, so an upload
 * started by mistake fails the test.
 */
class TestUploaderQueueModel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_previousDir;
    std::unique_ptr<GlobalServices> m_hub;
    UploaderQueueModel *m_queue = nullptr;
    CaptureServer m_noUploads;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

    QString photo(const QString &name, int width = 640, int height = 480)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(200, 90, 40));
        const QString path = m_folder.filePath(name);
        image.save(path, "JPEG");
        return path;
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A folder as any version of the app leaves it, last changed `age` ago.
    void oldFolder(const QString &code, qint64 ageSeconds, const QByteArray &name)
    {
        const QString folder = QStringLiteral(".TAVIRO/queues/") + code + QLatin1Char('/');
        writeFile(folder + QStringLiteral("save.jpg"), readAll(photo(QString::fromLatin1(name) + ".jpg")));
        writeFile(folder + QStringLiteral("details.txt"),
                  "/etc/passwd\n" + name + "\ncaption\n13.75\n100.5\n3\n1354000000\n0\n0\n1\n0\n0\n0\n0\n0\n0\n0\n2\n");
        QImage(130, 97, QImage::Format_RGB32).save(folder + QStringLiteral("thumb.jpg"));
        QImage(36, 27, QImage::Format_RGB32).save(folder + QStringLiteral("mini.jpg"));
        QVERIFY(QDir(folder).exists());
        utime(folder, ageSeconds);
    }

    static void utime(const QString &path, qint64 ageSeconds)
    {
        const struct timeval when[2] = {{time(nullptr) - ageSeconds, 0}, {time(nullptr) - ageSeconds, 0}};
        QCOMPARE(::utimes(QFile::encodeName(path).constData(), when), 0);
    }

    QStringList codes() const
    {
        QStringList list;
        for (int row = 0; row < m_queue->rowCount(); ++row)
            list << m_queue->data(m_queue->index(row), UploaderQueueModel::FolderCodeRole).toString();
        return list;
    }

    static QStringList folders()
    {
        return QDir(QStringLiteral(".TAVIRO/queues"))
            .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    void signIn() { UserManager().setLoggedUserInformation(5, QStringLiteral("demo"), QStringLiteral("t"), QStringLiteral("s")); }

private slots:
    void initTestCase() { QVERIFY(m_noUploads.listenOnLoopback()); }

    void init()
    {
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        QVERIFY(QDir().mkpath(QStringLiteral(".TAVIRO")));
        m_hub = std::make_unique<GlobalServices>();
        GlobalServices::setInstance(m_hub.get());
        m_queue = UploaderQueueModel::getInstance();
        m_tester = std::make_unique<QAbstractItemModelTester>(m_queue);
        auto *engine = TAVIROServiceController::getInstance()->findChild<TAVIROServiceEngine *>();
        engine->findChild<QNetworkAccessManager *>()->setProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_noUploads.serverPort()));
    }

    void cleanup()
    {
        m_tester.reset();
        m_hub.reset();
        GlobalServices::setInstance(nullptr);
        QDir(QStringLiteral(".TAVIRO")).removeRecursively();
        QDir::setCurrent(m_previousDir);
        QVERIFY(m_noUploads.requests().isEmpty());
    }

    void detailsFileHoldsTheDesignedLines_data();
    void detailsFileHoldsTheDesignedLines();
    void queuedTimeThatIsNoDate_data();
    void queuedTimeThatIsNoDate();
    void photosQueuedInOneSecondGetFoldersOfTheirOwn();
    void unreadablePhotoIsNotQueued();
    void loadQueuesOldestFirstAndLeavesIncompleteFoldersAlone();
    void loadQueuesWithoutAccountChangesNothing();
    void removingEntriesRemovesTheirFolders();
    void pathsAndRoles();
};

void TestUploaderQueueModel::detailsFileHoldsTheDesignedLines_data()
{
    QTest::addColumn<QVariantMap>("info");
    QTest::addColumn<QStringList>("lines"); // from line 2; line 1 and 7 are checked apart
    QTest::newRow("no location") << QVariantMap{{"imageName", "Sunset"}, {"imageDescription", "à l'été"},
                                                {"effectFilterType", 7}, {"imageSource", 2},
                                                {"shareToFacebook", true}, {"shareToWeibo", true},
                                                {"accessLevel", 1}}
                                 << QStringList{"Sunset", "à l'été", "0", "0", "7", "", "0", "1", "2", "0", "1",
                                                "0", "0", "0", "0", "0", "1"};
    QTest::newRow("location, every network")
        << QVariantMap{{"imageName", "Bangkok"}, {"geoLocationLat", 13.75}, {"geoLocationLong", 0.00001},
                       {"shareToTwitter", true}, {"shareToFacebook", true}, {"shareToTumblr", true},
                       {"shareToWeibo", true}, {"shareToFlickr", true}, {"shareToVk", true},
                       {"shareToDropBox", true}, {"shareToGDrive", true}, {"shareToPicasa", true}}
        << QStringList{"Bangkok", "", "13.75", "1e-05", "0", "", "1", "1", "0", "1", "1", "1", "1", "1", "1", "1",
                       "0"};
    QTest::newRow("line breaks in texts")
        << QVariantMap{{"imageName", "two\nlines"}, {"imageDescription", "a\r\nb\rc"}}
        << QStringList{"two lines", "a b c", "0", "0", "0", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
}

void TestUploaderQueueModel::detailsFileHoldsTheDesignedLines()
{
    QFETCH(QVariantMap, info);
    QFETCH(QStringList, lines);
    const QString source = photo(QStringLiteral("source.jpg"));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    m_queue->appendImageFileToQueue(source, info);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    QCOMPARE(m_queue->getQueueCount(), 1);
    const QString code = codes().value(0);
    const QString folder = QStringLiteral(".TAVIRO/queues/") + code + QLatin1Char('/');

    const QByteArray details = readAll(folder + QStringLiteral("details.txt"));
    QVERIFY(details.endsWith('\n'));
    QStringList written = QString::fromUtf8(details).split(QLatin1Char('\n'));
    QCOMPARE(written.takeLast(), QString());
    QCOMPARE(written.size(), 18);
    QCOMPARE(written.at(0), folder + QStringLiteral("save.jpg"));
    const qint64 created = written.at(6).toLongLong();
    QVERIFY(created >= before && created <= after);
    written[6].clear();
    QCOMPARE(written.mid(1), lines);

    QCOMPARE(readAll(folder + QStringLiteral("save.jpg")), readAll(source));
    const QImage thumb(folder + QStringLiteral("thumb.jpg"));
    const QImage mini(folder + QStringLiteral("mini.jpg"));
    QCOMPARE(thumb.width(), 130);
    QVERIFY(qAbs(thumb.height() - 97) <= 1);
    QCOMPARE(mini.width(), 36);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

void TestUploaderQueueModel::queuedTimeThatIsNoDate_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("a date") << QByteArray("1354000050") << qint64(1354000050);
    QTest::newRow("past the last date") << QByteArray("13588888888840000") << qint64(1354000200);
    QTest::newRow("before 1970") << QByteArray("-5") << qint64(1354000200);
    QTest::newRow("no number") << QByteArray("yesterday") << qint64(1354000200);
    QTest::newRow("empty") << QByteArray() << qint64(1354000200);
}

// The time falls back to the folder's code, and what the queue writes for
// the entry reads back the same.
void TestUploaderQueueModel::queuedTimeThatIsNoDate()
{
    QFETCH(QByteArray, line);
    QFETCH(qint64, seconds);
    const QString code = QStringLiteral("1354000200");
    oldFolder(code, 60, "older");
    const QString details = QStringLiteral(".TAVIRO/queues/1354000200/details.txt");
    writeFile(details, "/etc/passwd\nolder\ncaption\n13.75\n100.5\n3\n" + line + "\n0\n0\n1\n0\n0\n0\n0\n0\n0\n0\n2\n");

    TavoImageInfo first;
    QVERIFY(QueueFolder::read(code, &first));
    QCOMPARE(first.createdTime.toSecsSinceEpoch(), seconds);
    const QByteArray written = QueueFolder::detailsText(first);
    writeFile(details, written);
    TavoImageInfo second;
    QVERIFY(QueueFolder::read(code, &second));
    QCOMPARE(QueueFolder::detailsText(second), written);
}

void TestUploaderQueueModel::photosQueuedInOneSecondGetFoldersOfTheirOwn()
{
    const QString source = photo(QStringLiteral("burst.jpg"));
    const QStringList names = {"one", "two", "three"};
    for (const QString &name : names)
        m_queue->appendImageFileToQueue(source, QVariantMap{{"imageName", name}});
    const QStringList queued = codes();
    QCOMPARE(queued.size(), 3);
    QCOMPARE(QSet<QString>(queued.begin(), queued.end()).size(), 3);
    QCOMPARE(folders(), QStringList(queued));
    for (int i = 0; i < 3; ++i) {
        const QString details = QString::fromUtf8(readAll(QStringLiteral(".TAVIRO/queues/") + queued.at(i)
                                                          + QStringLiteral("/details.txt")));
        QCOMPARE(details.section(QLatin1Char('\n'), 1, 1), names.at(i));
    }
}

void TestUploaderQueueModel::unreadablePhotoIsNotQueued()
{
    QSignalSpy refused(m_queue, &UploaderQueueModel::queueingFailed);
    QSignalSpy changed(m_hub.get(), &GlobalServices::uploadingQueueChanged);
    m_queue->appendImageFileToQueue(m_folder.filePath(QStringLiteral("missing.jpg")), QVariantMap());
    writeFile(QStringLiteral("empty.jpg"), QByteArray());
    m_queue->appendImageFileToQueue(QStringLiteral("empty.jpg"), QVariantMap());
    QCOMPARE(refused.count(), 2);
    QVERIFY(refused.at(0).at(0).toString().contains(QStringLiteral("missing.jpg")));
    QCOMPARE(m_queue->getQueueCount(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(folders(), QStringList());
}

void TestUploaderQueueModel::loadQueuesOldestFirstAndLeavesIncompleteFoldersAlone()
{
    // The name is no order: the older folder goes first.
    oldFolder(QStringLiteral("1354000200"), 600, "older");
    oldFolder(QStringLiteral("1354000100"), 60, "newer");
    // No details; an empty photo; a photo that is a link; a half-written entry.
    oldFolder(QStringLiteral("1354000300"), 30, "x");
    QVERIFY(QFile::remove(QStringLiteral(".TAVIRO/queues/1354000300/details.txt")));
    oldFolder(QStringLiteral("1354000400"), 30, "x");
    writeFile(QStringLiteral(".TAVIRO/queues/1354000400/save.jpg"), QByteArray());
    oldFolder(QStringLiteral("1354000600"), 30, "x");
    QVERIFY(QFile::remove(QStringLiteral(".TAVIRO/queues/1354000600/save.jpg")));
    QVERIFY(QFile::link(photo(QStringLiteral("elsewhere.jpg")), QStringLiteral(".TAVIRO/queues/1354000600/save.jpg")));
    writeFile(QStringLiteral(".TAVIRO/queues/.incoming-1354000500/details.txt"), "half");
    signIn();

    QSignalSpy changed(m_hub.get(), &GlobalServices::uploadingQueueChanged);
    m_queue->loadQueues();
    QCOMPARE(codes(), (QStringList{"1354000200", "1354000100"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(folders(), (QStringList{"1354000100", "1354000200", "1354000300", "1354000400", "1354000600"}));

    // A second load lists nothing twice.
    m_queue->loadQueues();
    QCOMPARE(codes(), (QStringList{"1354000200", "1354000100"}));
}

void TestUploaderQueueModel::loadQueuesWithoutAccountChangesNothing()
{
    oldFolder(QStringLiteral("1354000100"), 60, "waiting");
    QSignalSpy changed(m_hub.get(), &GlobalServices::uploadingQueueChanged);
    m_queue->loadQueues();
    QCOMPARE(m_queue->getQueueCount(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(folders(), QStringList{"1354000100"});
}

void TestUploaderQueueModel::removingEntriesRemovesTheirFolders()
{
    const QString source = photo(QStringLiteral("source.jpg"));
    for (const char *name : {"a", "b", "c", "d"})
        m_queue->appendImageFileToQueue(source, QVariantMap{{"imageName", name}});
    const QStringList queued = codes();
    QStringList events;
    connect(m_hub.get(), &GlobalServices::uploadingQueueCanceled, this,
            [&events](const QString &code) { events << QStringLiteral("canceled ") + code; });
    connect(m_hub.get(), &GlobalServices::uploadingQueueChanged, this, [&events] { events << QStringLiteral("changed"); });

    m_queue->removeQueue(4);
    m_queue->removeQueue(-1);
    QVERIFY(events.isEmpty());
    m_queue->removeQueue(1);
    m_queue->removeQueueFromFolderCode(queued.at(3));
    m_queue->removeQueueFromFolderCode(QStringLiteral("no such code"));
    QCOMPARE(codes(), (QStringList{queued.at(0), queued.at(2)}));
    QCOMPARE(folders(), (QStringList{queued.at(0), queued.at(2)}));

    m_queue->removeAllQueues();
    QCOMPARE(m_queue->getQueueCount(), 0);
    QCOMPARE(folders(), QStringList());
    const QStringList expected = {"canceled " + queued.at(1), "changed", "canceled " + queued.at(3), "changed",
                                  "canceled " + queued.at(0), "changed", "canceled " + queued.at(2), "changed"};
    QCOMPARE(events, expected);
}

void TestUploaderQueueModel::pathsAndRoles()
{
    QCOMPARE(m_queue->getQueueThumbImagePath(QStringLiteral("1354000100")),
             QStringLiteral("image://imageprovider/.TAVIRO/queues/1354000100/thumb.jpg"));
    QCOMPARE(m_queue->getQueueMiniImagePath(QStringLiteral("1354000100")),
             QStringLiteral("image://imageprovider/.TAVIRO/queues/1354000100/mini.jpg"));

    const QHash<int, QByteArray> roles = m_queue->roleNames();
    QCOMPARE(roles.value(86), QByteArray("folder_code"));
    QCOMPARE(roles.value(87), QByteArray("upload_state"));
    QCOMPARE(roles.value(88), QByteArray("failure_reason"));
    QCOMPARE(roles.value(89), QByteArray("bytes_sent"));
    QCOMPARE(roles.value(90), QByteArray("bytes_total"));

    m_queue->appendImageFileToQueue(photo(QStringLiteral("source.jpg")), QVariantMap());
    const QModelIndex first = m_queue->index(0);
    QCOMPARE(m_queue->data(first, 86).toString(), codes().value(0));
    QCOMPARE(m_queue->data(first, 87).toString(), QStringLiteral("queued"));
    QCOMPARE(m_queue->getQueueState(0), QStringLiteral("queued"));
    QCOMPARE(m_queue->getQueueState(1), QString());
    QVERIFY(!m_queue->data(first, Qt::DisplayRole).isValid());
    QCOMPARE(m_queue->data(first, 91), QVariant(0));
}

QTEST_MAIN(TestUploaderQueueModel)
#include "tst_uploaderqueuemodel.moc"
