#include "filters/filtermanager.h"
#include "filters/imageprocessor.h"
#include "tests/support/orientedjpeg.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QVector<int>)

namespace {

const QString workFolder = QStringLiteral(".TAVIRO/output/");

// A bright photo with a darker middle band, so a black bar stands out.
QString writePhoto(const QString &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(230, 210, 160));
    QPainter painter(&image);
    painter.fillRect(QRect(width / 3, 0, width / 3, height), QColor(120, 180, 220));
    painter.end();
    const QString path = QDir::current().absoluteFilePath(name);
    if (!image.save(path, "jpg", 85))
        return {};
    return path;
}

QVector<int> bar(const QVariant &bars, const char *key, int index)
{
    const QVariantMap r = bars.toMap().value(key).toList().value(index).toMap();
    return {r.value("x").toInt(), r.value("y").toInt(), r.value("width").toInt(), r.value("height").toInt()};
}

bool isBlack(QRgb p)
{
    return qRed(p) < 16 && qGreen(p) < 16 && qBlue(p) < 16;
}

} // namespace

class TestImageProcessor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_landscape = writePhoto("landscape.jpg", 3264, 2448);
        m_portrait = writePhoto("portrait.jpg", 2448, 3264);
        QVERIFY(!m_landscape.isEmpty() && !m_portrait.isEmpty());
    }

    void init()
    {
        QDir(".TAVIRO").removeRecursively();
    }

    void resizeBeforeZoomCrop_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSize>("init");
        QTest::addColumn<QSize>("reported");
        QTest::newRow("landscape") << true << QSize(1280, 960) << QSize(3264, 2448);
        QTest::newRow("portrait") << false << QSize(960, 1280) << QSize(2448, 3264);
    }

    void resizeBeforeZoomCrop()
    {
        QFETCH(bool, landscape);
        QFETCH(QSize, init);
        QFETCH(QSize, reported);
        ImageProcessor processor;
        QSignalSpy done(&processor, &ImageProcessor::onResizeBeforeZoomCropCompleted);
        processor.resizeBeforeZoomCrop(landscape ? m_landscape : m_portrait);
        QVERIFY(done.wait(20000));
        QCOMPARE(QSize(done.at(0).at(0).toInt(), done.at(0).at(1).toInt()), reported);
        QCOMPARE(QSize(processor.getSourceWidth(), processor.getSourceHeight()), reported);
        QCOMPARE(QImage(workFolder + "init.jpg").size(), init);
    }

    void resizeOfAnUnreadablePhoto()
    {
        QFile junk("junk.jpg");
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("no picture here");
        junk.close();
        ImageProcessor processor;
        QSignalSpy done(&processor, &ImageProcessor::onResizeBeforeZoomCropCompleted);
        processor.resizeBeforeZoomCrop(QDir::current().absoluteFilePath("junk.jpg"));
        QVERIFY(done.wait(10000));
        QCOMPARE(done.at(0).at(0).toInt(), 0);
        QCOMPARE(done.at(0).at(1).toInt(), 0);
        QVERIFY(!QFile::exists(workFolder + "init.jpg"));
    }

    void zoomCrop_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QVector<int>>("largeA");
        QTest::addColumn<QVector<int>>("largeB");
        QTest::addColumn<QVector<int>>("previewA");
        QTest::addColumn<QVector<int>>("previewB");
        const QVector<int> none{0, 0, 0, 0};
        QTest::newRow("inside the photo: no bars")
            << true << QRect(0, 0, 2448, 2448) << 0 << none << none << none << none;
        const QRect zoomedOut(-408, 0, 3264, 3264);
        QTest::newRow("zoomed out: side bars") << false << zoomedOut << 0 << QVector<int>{0, 0, 100, 800}
                                               << QVector<int>{700, 0, 100, 800} << QVector<int>{0, 0, 60, 480}
                                               << QVector<int>{420, 0, 60, 480};
        QTest::newRow("zoomed out, turned 90: rows") << false << zoomedOut << 90 << QVector<int>{0, 0, 800, 100}
                                                     << QVector<int>{0, 700, 800, 100} << QVector<int>{0, 0, 480, 60}
                                                     << QVector<int>{0, 420, 480, 60};
        QTest::newRow("zoomed out, turned -90: rows") << false << zoomedOut << -90 << QVector<int>{0, 700, 800, 100}
                                                      << QVector<int>{0, 0, 800, 100} << QVector<int>{0, 420, 480, 60}
                                                      << QVector<int>{0, 0, 480, 60};
        QTest::newRow("zoomed out, turned 180") << false << zoomedOut << 180 << QVector<int>{700, 0, 100, 800}
                                                << QVector<int>{0, 0, 100, 800} << QVector<int>{420, 0, 60, 480}
                                                << QVector<int>{0, 0, 60, 480};
        QTest::newRow("zoomed out on a landscape: top and bottom bars")
            << true << QRect(0, -408, 3264, 3264) << 0 << QVector<int>{0, 0, 800, 100}
            << QVector<int>{0, 700, 800, 100} << QVector<int>{0, 0, 480, 60} << QVector<int>{0, 420, 480, 60};
        QTest::newRow("wider crop to the right only: one bar")
            << false << QRect(0, 0, 3264, 3264) << 0 << none << QVector<int>{600, 0, 200, 800} << none
            << QVector<int>{360, 0, 120, 480};
    }

    void zoomCrop()
    {
        QFETCH(bool, landscape);
        QFETCH(QRect, crop);
        QFETCH(int, rotation);
        ImageProcessor processor;
        QSignalSpy done(&processor, &ImageProcessor::onResizeBeforeZoomCropCompleted);
        processor.resizeBeforeZoomCrop(landscape ? m_landscape : m_portrait);
        const QVariant bars = processor.zoomCrop(crop.x(), crop.y(), crop.width(), crop.height(), rotation);
        QTEST(bar(bars, "large", 0), "largeA");
        QTEST(bar(bars, "large", 1), "largeB");
        QTEST(bar(bars, "preview", 0), "previewA");
        QTEST(bar(bars, "preview", 1), "previewB");

        // The bars cover exactly the black the crop painted.
        for (const auto &[name, key, side] : {std::tuple<QString, const char *, int>{"source.jpg", "large", 800},
                                              {"source_preview.jpg", "preview", 480}}) {
            const QImage written(workFolder + name);
            QCOMPARE(written.size(), QSize(side, side));
            QRegion black;
            for (int i = 0; i < 2; ++i) {
                const QVector<int> b = bar(bars, key, i);
                black += QRect(b[0], b[1], b[2], b[3]);
            }
            for (int y = 2; y < side; y += 25)
                for (int x = 2; x < side; x += 25) {
                    const bool inBar = black.contains(QPoint(x, y));
                    const bool nearEdge = black.intersects(QRect(x - 3, y - 3, 7, 7)) && !black.contains(QRect(x - 3, y - 3, 7, 7));
                    if (!nearEdge)
                        QVERIFY2(isBlack(written.pixel(x, y)) == inBar, qPrintable(QStringLiteral("%1 %2 %3").arg(name).arg(x).arg(y)));
                }
        }
        QVERIFY(done.wait(20000));
    }

    void processDeletesItsInput()
    {
        QVERIFY(QFile::copy(m_landscape, "capture.jpg"));
        ImageProcessor processor;
        processor.process(QDir::current().absoluteFilePath("capture.jpg"), 0.1, false);
        QVERIFY(!QFile::exists("capture.jpg"));
        QCOMPARE(QImage(workFolder + "source.jpg").size(), QSize(800, 800));
        QCOMPARE(QImage(workFolder + "source_preview.jpg").size(), QSize(480, 480));
    }

    // Nothing was made from the capture: it is kept.
    void processKeepsItsInput_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("unreadable capture") << false;
        QTest::newRow("source cannot be written") << true;
    }

    void processKeepsItsInput()
    {
        QFETCH(bool, readable);
        if (readable) {
            QVERIFY(QFile::copy(m_landscape, "capture.jpg"));
            QVERIFY(QDir().mkpath(workFolder + "source.jpg"));
        } else {
            QFile junk("capture.jpg");
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("broken capture");
        }
        ImageProcessor processor;
        processor.process(QDir::current().absoluteFilePath("capture.jpg"), 0, false);
        QVERIFY(QFile::exists("capture.jpg"));
        QVERIFY(!QFileInfo(workFolder + "source.jpg").isFile());
        QVERIFY(QFile::remove("capture.jpg"));
    }

    void processImageCutsTheSquare_data()
    {
        QTest::addColumn<bool>("portraitMode");
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape, gap 0: the centre square") << false << QSize(1000, 600);
        QTest::newRow("portrait: the top square turned clockwise") << true << QSize(600, 1000);
    }

    void processImageCutsTheSquare()
    {
        QFETCH(bool, portraitMode);
        QFETCH(QSize, size);
        // Landscape: red | green centre 600 | blue. Portrait: the first 600
        // rows are red above green, the rest blue.
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        if (portraitMode) {
            painter.fillRect(0, 0, 600, 300, Qt::red);
            painter.fillRect(0, 300, 600, 300, Qt::green);
            painter.fillRect(0, 600, 600, 400, Qt::blue);
        } else {
            painter.fillRect(0, 0, 200, 600, Qt::red);
            painter.fillRect(200, 0, 600, 600, Qt::green);
            painter.fillRect(800, 0, 200, 600, Qt::blue);
        }
        painter.end();
        ImageProcessor processor;
        processor.processImage(image, 0, portraitMode);
        for (const auto &[name, side] : {std::pair<QString, int>{"source.jpg", 800}, {"source_preview.jpg", 480}}) {
            const QImage written(workFolder + name);
            QCOMPARE(written.size(), QSize(side, side));
            const int in = 8;
            const int far = side - 1 - in;
            if (portraitMode) {
                // Turned a quarter clockwise, the red top is on the right.
                QVERIFY(qRed(written.pixel(far, side / 2)) > 200 && qGreen(written.pixel(far, side / 2)) < 60);
                QVERIFY(qGreen(written.pixel(in, side / 2)) > 200 && qRed(written.pixel(in, side / 2)) < 60);
            } else {
                for (const QPoint &p : {QPoint(in, in), QPoint(far, in), QPoint(in, far), QPoint(far, far)})
                    QVERIFY(qGreen(written.pixel(p)) > 200 && qRed(written.pixel(p)) < 60 && qBlue(written.pixel(p)) < 60);
            }
        }
    }

    void finalResolution()
    {
        FilterManager manager;
        manager.setFinalImageResolution(1080);
        ImageProcessor processor;
        QImage image(1000, 600, QImage::Format_RGB32);
        image.fill(Qt::gray);
        processor.processImage(image, 0, false);
        manager.setFinalImageResolution(800);
        QCOMPARE(QImage(workFolder + "source.jpg").size(), QSize(1080, 1080));
        QCOMPARE(QImage(workFolder + "source_preview.jpg").size(), QSize(480, 480));
    }

    void orientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("3: turned 180") << 3;
        QTest::newRow("6: a quarter turn clockwise") << 6;
        QTest::newRow("8: a quarter turn anticlockwise") << 8;
    }

    // A camera photo tagged with its orientation reaches the editor upright
    // on both routes, and what is written carries no EXIF data.
    void orientation()
    {
        QFETCH(int, orientation);
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("oriented%1.jpg").arg(orientation));
        const auto write = [&] {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(orientedJpeg(uprightPicture(), orientation)) > 0;
        };
        QVERIFY(write());
        const auto readBytes = [](const QString &name) {
            QFile file(workFolder + name);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };

        ImageProcessor processor;
        QSignalSpy done(&processor, &ImageProcessor::onResizeBeforeZoomCropCompleted);
        processor.resizeBeforeZoomCrop(path);
        QVERIFY(done.wait(20000));
        QCOMPARE(QSize(done.at(0).at(0).toInt(), done.at(0).at(1).toInt()), QSize(96, 48));
        const QByteArray init = readBytes(QStringLiteral("init.jpg"));
        const QImage initImage = QImage::fromData(init, "JPG");
        QCOMPARE(initImage.size(), QSize(1920, 960));
        QVERIFY(showsUpright(initImage));
        QVERIFY(!hasExif(init));

        // The crop is taken in the upright photo: its left square, red over blue.
        processor.zoomCrop(0, 0, 48, 48, 0);
        const QImage cropped(workFolder + "source_preview.jpg");
        QCOMPARE(dominant(cropped.pixel(240, 120)), 'r');
        QCOMPARE(dominant(cropped.pixel(240, 360)), 'b');
        QVERIFY(!hasExif(readBytes(QStringLiteral("source.jpg"))));

        // The camera route cuts the middle square: red, green, blue below.
        processor.process(path, 0, false);
        const QByteArray source = readBytes(QStringLiteral("source_preview.jpg"));
        const QImage square = QImage::fromData(source, "JPG");
        QCOMPARE(dominant(square.pixel(120, 120)), 'r');
        QCOMPARE(dominant(square.pixel(360, 120)), 'g');
        QCOMPARE(dominant(square.pixel(240, 360)), 'b');
        QVERIFY(!hasExif(source));
    }

private:
    QTemporaryDir m_dir;
    QString m_landscape;
    QString m_portrait;
};

QTEST_MAIN(TestImageProcessor)
#include "tst_imageprocessor.moc"
