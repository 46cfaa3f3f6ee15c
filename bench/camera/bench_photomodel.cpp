// The gallery: a full scan of a picture folder, and applying a new listing
// where one photo came in on top.
#include "camera/photomodel.h"
#include "camera/photomodelbuilder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class BenchPhotoModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    static constexpr int photos = 3000;

private slots:
    void initTestCase()
    {
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < photos; ++i) {
            const QString folder = m_root.filePath(QStringLiteral("album%1").arg(i % 30));
            QDir().mkpath(folder);
            QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setFileTime(now.addSecs(-i * 60), QFileDevice::FileModificationTime));
        }
    }

    void scanFolder()
    {
        QBENCHMARK {
            PhotoModelBuilder builder(m_root.path());
            QTRY_COMPARE(builder.model()->rowCount(), photos);
        }
    }

    void newPhotoOnTop()
    {
        QVector<PhotoModel::Photo> listing;
        for (int i = 0; i < photos; ++i)
            listing.append({QStringLiteral("/p/IMG_%1.jpg").arg(i), qint64(photos - i) * 1000});
        QVector<PhotoModel::Photo> withNew = listing;
        withNew.prepend({QStringLiteral("/p/new.jpg"), qint64(photos + 1) * 1000});
        PhotoModel model;
        model.setPhotos(listing);
        QBENCHMARK {
            model.setPhotos(withNew);
            model.setPhotos(listing);
        }
    }
};

QTEST_MAIN(BenchPhotoModel)
#include "bench_photomodel.moc"
