#include "app/storagemanager.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestStorageManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void galleryNamesWithinOneSecond();
    void saveCreatesTheMissingPictureFolder();
    void saveWithoutProcessedImageCopiesNothing();
    void deleteFile();
    void noMemoryCard();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_previousDir;
};

void TestStorageManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestStorageManager::init()
{
    m_previousDir = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QDir::setCurrent(m_dir->path());
    QDir(StorageManager::galleryFolder()).removeRecursively();
}

void TestStorageManager::cleanup()
{
    QDir(StorageManager::galleryFolder()).removeRecursively();
    QDir::setCurrent(m_previousDir);
    delete m_dir;
}

void TestStorageManager::galleryNamesWithinOneSecond()
{
    const QString folder = m_dir->filePath(QStringLiteral("gallery"));
    QDir().mkpath(folder);
    const qint64 stamp = 1331000000;
    const QStringList expected = {QStringLiteral("1331000000.jpg"), QStringLiteral("1331000000_0.jpg"),
                                  QStringLiteral("1331000000_1.jpg")};
    for (const QString &name : expected) {
        const QString chosen = StorageManager::freeGalleryName(folder, stamp);
        QCOMPARE(QFileInfo(chosen).fileName(), name);
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestStorageManager::saveCreatesTheMissingPictureFolder()
{
    QDir().mkpath(QStringLiteral(".TAVIRO/output"));
    QFile processed(QStringLiteral(".TAVIRO/output/processed.jpg"));
    QVERIFY(processed.open(QIODevice::WriteOnly));
    processed.write("jpeg bytes");
    processed.close();

    StorageManager storage;
    QVERIFY(!QFileInfo::exists(StorageManager::galleryFolder()));
    storage.saveProcessedImageToGallery();
    storage.saveProcessedImageToGallery(false);

    const QStringList copies = QDir(StorageManager::galleryFolder()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(copies.size(), 2);
    for (const QString &copy : copies) {
        QFile file(StorageManager::galleryFolder() + QLatin1Char('/') + copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("jpeg bytes"));
    }
}

void TestStorageManager::saveWithoutProcessedImageCopiesNothing()
{
    StorageManager().saveProcessedImageToGallery();
    QVERIFY(QDir(StorageManager::galleryFolder()).entryList(QDir::Files).isEmpty());
}

void TestStorageManager::deleteFile()
{
    QFile file(QStringLiteral("victim.jpg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    StorageManager storage;
    storage.deleteFile(QStringLiteral("victim.jpg"));
    QVERIFY(!QFile::exists(QStringLiteral("victim.jpg")));
    storage.deleteFile(QStringLiteral("victim.jpg"));
}

void TestStorageManager::noMemoryCard()
{
    QVERIFY(!StorageManager().isMemoryCardAvailable());
}

QTEST_GUILESS_MAIN(TestStorageManager)
#include "tst_storagemanager.moc"
