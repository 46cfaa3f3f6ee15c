// Gallery thumbnails: decoding a camera-sized JPEG straight at thumbnail
// size, against decoding it whole and scaling, and a thumbnail from the cache.
#include "camera/thumbnailer.h"

#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class BenchThumbnailer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_photo;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        QImage image(3264, 2448, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, image.width(), image.height());
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(image.rect(), gradient);
        painter.end();
        m_photo = m_dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(image.save(m_photo, "JPG", 90));
    }

    void decodeWholeThenScale()
    {
        QBENCHMARK {
            const QImage image = QImage(m_photo).scaled(170, 170, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            QVERIFY(!image.isNull());
        }
    }

    void makeThumbnail()
    {
        const QString cachePath = Thumbnailer::cacheFilePath(m_photo);
        QBENCHMARK {
            QFile::remove(cachePath);
            QCOMPARE(Thumbnailer::thumbnail(m_photo).size(), QSize(170, 170));
        }
    }

    void cachedThumbnail()
    {
        QVERIFY(!Thumbnailer::thumbnail(m_photo).isNull());
        QBENCHMARK {
            QCOMPARE(Thumbnailer::thumbnail(m_photo).size(), QSize(170, 170));
        }
    }
};

QTEST_MAIN(BenchThumbnailer)
#include "bench_thumbnailer.moc"
