// The gallery model over the user's picture folder: order, roles, and
// changes on disk showing up by themselves.
#include "camera/photomodel.h"
#include "camera/photomodelbuilder.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool writePhoto(const QString &path, qint64 secondsAgo = 0)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "JPG"))
        return false;
    if (secondsAgo == 0)
        return true;
    QFile file(path);
    return file.open(QIODevice::ReadWrite)
        && file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime);
}

QStringList pathsOf(const QAbstractItemModel &model)
{
    QStringList paths;
    for (int row = 0; row < model.rowCount(); ++row)
        paths.append(model.index(row, 0).data(PhotoModel::UrlRole).toUrl().toLocalFile());
    return paths;
}

QVector<PhotoModel::Photo> photosOf(const QString &listing)
{
    QVector<PhotoModel::Photo> photos;
    const QStringList entries = listing.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const QStringList parts = entry.split(QLatin1Char('@'));
        photos.append({QStringLiteral("/p/") + parts.at(0), parts.at(1).toLongLong()});
    }
    std::sort(photos.begin(), photos.end(), &PhotoModel::before);
    return photos;
}

} // namespace

class TstPhotoModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
        qunsetenv("XDG_PICTURES_DIR");
    }

    void roles()
    {
        PhotoModel model;
        QCOMPARE(model.roleNames().value(PhotoModel::UrlRole), QByteArray("url"));
        QCOMPARE(model.roleNames().value(PhotoModel::TrackerIdRole), QByteArray("trackerid"));
    }

    // A new listing is applied as insertions and removals of rows.
    void setPhotos_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("fill") << "" << "a@3 b@2 c@1";
        QTest::newRow("empty") << "a@3 b@2 c@1" << "";
        QTest::newRow("new on top") << "a@3 b@2" << "n@9 m@8 a@3 b@2";
        QTest::newRow("removed in the middle") << "a@5 b@4 c@3 d@2" << "a@5 d@2";
        QTest::newRow("rewritten moves up") << "a@5 b@4 c@3" << "b@7 a@5 c@3";
        QTest::newRow("mixed") << "a@9 b@7 c@5 d@3" << "x@10 b@7 y@6 d@3 z@1";
        QTest::newRow("same time, by name") << "b@1 c@1" << "a@1 b@1 c@1 d@1";
    }

    void setPhotos()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        PhotoModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setPhotos(photosOf(before));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setPhotos(photosOf(after));
        QCOMPARE(reset.count(), 0);
        QStringList expected;
        for (const PhotoModel::Photo &photo : photosOf(after))
            expected.append(photo.path);
        QCOMPARE(pathsOf(model), expected);
    }

    void scansNewestFirst()
    {
        QTemporaryDir root;
        QVERIFY(writePhoto(root.filePath(QStringLiteral("old.jpg")), 3000));
        QVERIFY(writePhoto(root.filePath(QStringLiteral("trip/day 2/newer.png")), 1000));
        QVERIFY(writePhoto(root.filePath(QStringLiteral("trip/older.JPG")), 2000));
        QFile notes(root.filePath(QStringLiteral("trip/notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();

        PhotoModelBuilder builder(root.path());
        QAbstractItemModelTester tester(builder.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QStringList expected{root.filePath(QStringLiteral("trip/day 2/newer.png")),
                                   root.filePath(QStringLiteral("trip/older.JPG")),
                                   root.filePath(QStringLiteral("old.jpg"))};
        QTRY_COMPARE(pathsOf(*builder.model()), expected);

        const QModelIndex first = builder.model()->index(0, 0);
        QCOMPARE(first.data(PhotoModel::UrlRole).toUrl(), QUrl::fromLocalFile(expected.at(0)));
        QCOMPARE(first.data(PhotoModel::UrlRole).toUrl().scheme(), QStringLiteral("file"));

        // The same number for the same file in every run, a different one per file.
        PhotoModelBuilder again(root.path());
        QTRY_COMPARE(again.model()->rowCount(), 3);
        QSet<qint64> ids;
        for (int row = 0; row < 3; ++row) {
            const qint64 id = builder.model()->index(row, 0).data(PhotoModel::TrackerIdRole).toLongLong();
            QCOMPARE(again.model()->index(row, 0).data(PhotoModel::TrackerIdRole).toLongLong(), id);
            QVERIFY(id > 0 && id < (qint64(1) << 53));
            ids.insert(id);
        }
        QCOMPARE(ids.size(), 3);
    }

    // The process-wide gallery is the user's picture folder, kept current.
    void followsThePictureFolder()
    {
        const QString pictures = m_home.filePath(QStringLiteral("Pictures"));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), pictures);
        QVERIFY(writePhoto(pictures + QStringLiteral("/a.jpg"), 100));

        PhotoModel *model = PhotoModelBuilder::getInstance()->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTRY_COMPARE(pathsOf(*model), QStringList{pictures + QStringLiteral("/a.jpg")});

        QVERIFY(QFile::copy(pictures + QStringLiteral("/a.jpg"), pictures + QStringLiteral("/copied.jpg")));
        QTRY_COMPARE(pathsOf(*model).value(0), pictures + QStringLiteral("/copied.jpg"));
        QCOMPARE(model->rowCount(), 2);

        QVERIFY(writePhoto(pictures + QStringLiteral("/TAVIRO/posted.jpg")));
        QTRY_COMPARE(pathsOf(*model).value(0), pictures + QStringLiteral("/TAVIRO/posted.jpg"));

        QVERIFY(QFile::remove(pictures + QStringLiteral("/a.jpg")));
        QTRY_COMPARE(pathsOf(*model), (QStringList{pictures + QStringLiteral("/TAVIRO/posted.jpg"),
                                                   pictures + QStringLiteral("/copied.jpg")}));

        QVERIFY(QDir(pictures + QStringLiteral("/TAVIRO")).removeRecursively());
        QTRY_COMPARE(pathsOf(*model), QStringList{pictures + QStringLiteral("/copied.jpg")});
    }

    void folderMadeLater()
    {
        QTemporaryDir parent;
        const QString root = parent.filePath(QStringLiteral("Pictures"));
        PhotoModelBuilder builder(root);
        QCOMPARE(builder.model()->rowCount(), 0);
        // Written at once, whatever the builder is doing: a folder is listed
        // again after it is first watched, so the photo is never missed.
        QVERIFY(QDir().mkpath(root));
        QVERIFY(writePhoto(root + QStringLiteral("/first.jpg")));
        QTRY_COMPARE(pathsOf(*builder.model()), QStringList{root + QStringLiteral("/first.jpg")});
    }
};

QTEST_MAIN(TstPhotoModel)
#include "tst_photomodel.moc"
