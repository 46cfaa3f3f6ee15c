// The simple image item: loading, reloading a rewritten file, stretching.
#include "camera/simpleimage.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Left half red, right half blue: shows where and how big it was drawn.
QImage halves(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return image;
}

QImage paintOf(SimpleImage &item, const QSize &canvasSize)
{
    QImage canvas(canvasSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    item.paint(&painter);
    return canvas;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24;
}

} // namespace

class TstSimpleImage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeJpeg(const QString &name, const QImage &image)
    {
        const QString path = m_dir.filePath(name);
        if (!image.save(path, "JPG", 95))
            return {};
        return path;
    }

private slots:
    void loadsSource()
    {
        const QString path = writeJpeg(QStringLiteral("photo.jpg"), halves(QSize(800, 600)));
        QVERIFY(!path.isEmpty());
        SimpleImage item;
        QSignalSpy loaded(&item, &SimpleImage::imageLoaded);
        QSignalSpy sourceChanged(&item, &SimpleImage::sourceChanged);
        item.setSource(path);
        QCOMPARE(item.sourceSizeWidth(), 800);
        QCOMPARE(item.sourceSizeHeight(), 600);
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(sourceChanged.count(), 0);
        QCOMPARE(item.source(), path);
        QCOMPARE(item.image().size(), QSize(800, 600));
    }

    // The format comes from the content, not the name.
    void formatFromContent()
    {
        const QString path = m_dir.filePath(QStringLiteral("misnamed.png"));
        QVERIFY(halves(QSize(40, 30)).save(path, "JPG"));
        SimpleImage item;
        item.setSource(path);
        QCOMPARE(item.sourceSizeWidth(), 40);
    }

    void emptySourceClears()
    {
        const QString path = writeJpeg(QStringLiteral("keep.jpg"), halves(QSize(80, 60)));
        SimpleImage item;
        item.setSize(QSizeF(80, 60));
        item.setSource(path);
        QSignalSpy loaded(&item, &SimpleImage::imageLoaded);
        QSignalSpy sourceChanged(&item, &SimpleImage::sourceChanged);
        item.setSource(QString());
        QCOMPARE(loaded.count(), 0);
        QCOMPARE(sourceChanged.count(), 0);
        QCOMPARE(item.sourceSizeWidth(), 80);
        QCOMPARE(item.sourceSizeHeight(), 60);
        QVERIFY(item.image().isNull());
        QCOMPARE(paintOf(item, QSize(80, 60)).pixel(10, 10), qRgb(255, 255, 255));

        item.reload();
        QCOMPARE(loaded.count(), 0);
    }

    void unreadableFile()
    {
        SimpleImage item;
        QSignalSpy loaded(&item, &SimpleImage::imageLoaded);
        item.setSource(m_dir.filePath(QStringLiteral("missing.jpg")));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(item.sourceSizeWidth(), 0);
        QCOMPARE(item.sourceSizeHeight(), 0);
        QVERIFY(item.image().isNull());
    }

    void rewrittenFile_data()
    {
        QTest::addColumn<bool>("setSourceAgain");
        QTest::newRow("reload") << false;
        QTest::newRow("same source again") << true;
    }

    void rewrittenFile()
    {
        QFETCH(bool, setSourceAgain);
        QImage green(50, 40, QImage::Format_RGB32);
        green.fill(Qt::green);
        const QString path = writeJpeg(QStringLiteral("rewritten.jpg"), green);
        SimpleImage item;
        item.setSize(QSizeF(100, 100));
        item.setSource(path);
        QVERIFY(near(paintOf(item, QSize(100, 100)).pixel(10, 10), qRgb(0, 255, 0)));

        QImage magenta(70, 60, QImage::Format_RGB32);
        magenta.fill(Qt::magenta);
        QVERIFY(magenta.save(path, "JPG", 95));
        QSignalSpy loaded(&item, &SimpleImage::imageLoaded);
        if (setSourceAgain)
            item.setSource(path);
        else
            item.reload();
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(item.sourceSizeWidth(), 70);
        QCOMPARE(item.sourceSizeHeight(), 60);
        QVERIFY(near(paintOf(item, QSize(100, 100)).pixel(10, 10), qRgb(255, 0, 255)));
    }

    void setImage()
    {
        SimpleImage item;
        QSignalSpy loaded(&item, &SimpleImage::imageLoaded);
        const QImage image = halves(QSize(30, 20));
        item.setImage(image);
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(item.sourceSizeWidth(), 30);
        QCOMPARE(item.sourceSizeHeight(), 20);
        QCOMPARE(item.image(), image);
    }

    // A 200 x 100 picture in a 100 x 50 item: squeezed in, or at its own size.
    void stretch_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QPoint>("lastRed");
        QTest::addColumn<QPoint>("firstBlue");
        QTest::addColumn<QPoint>("lastBlue");
        QTest::newRow("stretched") << true << QPoint(48, 49) << QPoint(51, 0) << QPoint(99, 49);
        QTest::newRow("own size") << false << QPoint(99, 99) << QPoint(100, 0) << QPoint(199, 99);
    }

    void stretch()
    {
        QFETCH(bool, stretch);
        QFETCH(QPoint, lastRed);
        QFETCH(QPoint, firstBlue);
        QFETCH(QPoint, lastBlue);
        SimpleImage item;
        item.setSize(QSizeF(100, 50));
        item.setImage(halves(QSize(200, 100)));
        item.setStretch(stretch);
        QCOMPARE(item.stretch(), stretch);
        const QImage canvas = paintOf(item, QSize(220, 120));
        QVERIFY(near(canvas.pixel(0, 0), qRgb(255, 0, 0)));
        QVERIFY(near(canvas.pixel(lastRed), qRgb(255, 0, 0)));
        QVERIFY(near(canvas.pixel(firstBlue), qRgb(0, 0, 255)));
        QVERIFY(near(canvas.pixel(lastBlue), qRgb(0, 0, 255)));
        QCOMPARE(canvas.pixel(lastBlue + QPoint(1, 1)), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TstSimpleImage)
#include "tst_simpleimage.moc"
