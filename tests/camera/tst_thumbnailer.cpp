// Gallery thumbnails and their freedesktop.org disk cache.
#include "camera/thumbnailer.h"
#include "tests/support/orientedjpeg.h"

#include <QDateTime>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TstThumbnailer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString photo(const QString &name, const QSize &size, const QColor &colour = Qt::red)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_dir.filePath(name);
        return image.save(path, "JPG", 95) ? path : QString();
    }

    // A thumbnail as another run of the program would have left it.
    static void plant(const QString &cachePath, const QColor &colour, const QString &uri, const QString &mtime)
    {
        QImage image(Thumbnailer::Size, Thumbnailer::Size, QImage::Format_RGB32);
        image.fill(colour);
        image.setText(QStringLiteral("Thumb::URI"), uri);
        image.setText(QStringLiteral("Thumb::MTime"), mtime);
        QDir().mkpath(QFileInfo(cachePath).path());
        QVERIFY(image.save(cachePath, "PNG"));
    }

    static QString mtimeOf(const QString &path)
    {
        return QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch());
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
    }


    void orientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("3: turned 180") << 3;
        QTest::newRow("6: a quarter turn clockwise") << 6;
        QTest::newRow("8: a quarter turn anticlockwise") << 8;
    }

    // The gallery shows a tagged photo as the camera meant it: the middle
    // square of the upright picture, red and green over blue.
    void orientation()
    {
        QFETCH(int, orientation);
        const QString path = m_dir.filePath(QStringLiteral("oriented%1.jpg").arg(orientation));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(orientedJpeg(uprightPicture(480), orientation)) > 0);
        file.close();
        const QImage thumbnail = Thumbnailer::thumbnail(path);
        QCOMPARE(thumbnail.size(), QSize(Thumbnailer::Size, Thumbnailer::Size));
        QCOMPARE(dominant(thumbnail.pixel(42, 42)), 'r');
        QCOMPARE(dominant(thumbnail.pixel(128, 42)), 'g');
        QCOMPARE(dominant(thumbnail.pixel(85, 128)), 'b');
    }
    void cacheFilePath_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        // The freedesktop.org thumbnail standard's own example.
        QTest::newRow("published example") << "/home/jens/photos/me.png" << "c6ee772d9e49320e97ec29a7eb5b1697.png";
        QTest::newRow("escaped URI") << "/tmp/a b.jpg" << "45f1b47640b52dc5428fd58ac89fec15.png";
    }

    void cacheFilePath()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        QCOMPARE(Thumbnailer::cacheFilePath(file), m_dir.filePath(QStringLiteral("cache/thumbnails/grid/")) + name);
    }

    void makesAndStores()
    {
        const QString path = photo(QStringLiteral("photo one.jpg"), QSize(800, 600));
        const QImage thumbnail = Thumbnailer::thumbnail(path);
        QCOMPARE(thumbnail.size(), QSize(170, 170));

        const QString cachePath = Thumbnailer::cacheFilePath(path);
        QCOMPARE(QImageReader(cachePath).format(), QByteArray("png"));
        const QImage cached(cachePath);
        QCOMPARE(cached.text(QStringLiteral("Thumb::URI")), QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
        QCOMPARE(cached.text(QStringLiteral("Thumb::MTime")), mtimeOf(path));
        QCOMPARE(cached.size(), QSize(170, 170));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(cachePath) & others, QFileDevice::Permissions());
    }

    // Another run's thumbnail is used as it is while the photo is unchanged.
    void reusedAcrossRuns()
    {
        const QString path = photo(QStringLiteral("reused.jpg"), QSize(400, 300));
        plant(Thumbnailer::cacheFilePath(path), Qt::yellow, QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded),
              mtimeOf(path));
        QCOMPARE(Thumbnailer::thumbnail(path).pixel(85, 85), qRgb(255, 255, 0));
    }

    void remadeWhenStale_data()
    {
        QTest::addColumn<bool>("otherUri");
        QTest::newRow("photo changed since") << false;
        QTest::newRow("other file's thumbnail") << true;
    }

    void remadeWhenStale()
    {
        QFETCH(bool, otherUri);
        const QString path = photo(QStringLiteral("stale.jpg"), QSize(400, 300));
        const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        plant(Thumbnailer::cacheFilePath(path), Qt::yellow, otherUri ? uri + QStringLiteral("x") : uri,
              otherUri ? mtimeOf(path) : QStringLiteral("1"));

        const QImage thumbnail = Thumbnailer::thumbnail(path);
        QVERIFY(qRed(thumbnail.pixel(85, 85)) > 230 && qGreen(thumbnail.pixel(85, 85)) < 30);
        const QImage cached(Thumbnailer::cacheFilePath(path));
        QCOMPARE(cached.text(QStringLiteral("Thumb::MTime")), mtimeOf(path));
        QCOMPARE(cached.text(QStringLiteral("Thumb::URI")), uri);
    }

    // Any photo fills the square: scaled to cover it, the middle kept.
    void square_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape") << QSize(1200, 900);
        QTest::newRow("portrait") << QSize(300, 900);
        QTest::newRow("smaller than a thumbnail") << QSize(50, 40);
    }

    void square()
    {
        QFETCH(QSize, size);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(QRect(QPoint(0, 0), size).adjusted(size.width() / 4, size.height() / 4,
                                                                       -size.width() / 4, -size.height() / 4),
                                  Qt::green);
        const QString path = m_dir.filePath(QStringLiteral("square-%1x%2.png").arg(size.width()).arg(size.height()));
        QVERIFY(image.save(path));
        const QImage thumbnail = Thumbnailer::thumbnail(path);
        QCOMPARE(thumbnail.size(), QSize(170, 170));
        QCOMPARE(qGreen(thumbnail.pixel(85, 85)), 255);
    }

    void unreadable_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("not an image") << true;
        QTest::newRow("missing") << false;
    }

    void unreadable()
    {
        QFETCH(bool, exists);
        const QString path = m_dir.filePath(exists ? QStringLiteral("notes.jpg") : QStringLiteral("gone.jpg"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        }
        QVERIFY(Thumbnailer::thumbnail(path).isNull());
        QVERIFY(!QFile::exists(Thumbnailer::cacheFilePath(path)));
    }
};

QTEST_MAIN(TstThumbnailer)
#include "tst_thumbnailer.moc"
