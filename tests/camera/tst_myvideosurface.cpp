// The viewfinder surface on its own: formats it takes, frames it keeps.
#include "camera/myvideosurface.h"
#include "camera/videoif.h"

#include <QVideoSurfaceFormat>
#include <QtTest>

namespace {

class CountingSink : public VideoIF
{
public:
    void updateVideo() override { ++updates; }
    int updates = 0;
};

QVideoFrame frameOf(const QSize &size, QImage::Format format)
{
    QImage image(size, format);
    image.fill(Qt::green);
    return QVideoFrame(image);
}

} // namespace

class TstMyVideoSurface : public QObject
{
    Q_OBJECT

private slots:
    void supportedPixelFormats()
    {
        CountingSink sink;
        MyVideoSurface surface(&sink);
        const QList<QVideoFrame::PixelFormat> expected{QVideoFrame::Format_RGB32, QVideoFrame::Format_ARGB32,
                                                       QVideoFrame::Format_ARGB32_Premultiplied,
                                                       QVideoFrame::Format_RGB565, QVideoFrame::Format_RGB555};
        QCOMPARE(surface.supportedPixelFormats(), expected);
        QVERIFY(surface.supportedPixelFormats(QAbstractVideoBuffer::GLTextureHandle).isEmpty());
    }

    void start_data()
    {
        QTest::addColumn<QVideoFrame::PixelFormat>("pixelFormat");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QImage::Format>("imageFormat");
        QTest::newRow("rgb32") << QVideoFrame::Format_RGB32 << QSize(640, 480) << true << QImage::Format_RGB32;
        QTest::newRow("argb32") << QVideoFrame::Format_ARGB32 << QSize(640, 480) << true << QImage::Format_ARGB32;
        QTest::newRow("rgb565") << QVideoFrame::Format_RGB565 << QSize(2, 1) << true << QImage::Format_RGB16;
        QTest::newRow("yuv has no image format") << QVideoFrame::Format_YUV420P << QSize(640, 480) << false
                                                 << QImage::Format_Invalid;
        QTest::newRow("no width") << QVideoFrame::Format_RGB32 << QSize(0, 480) << false << QImage::Format_Invalid;
        QTest::newRow("no height") << QVideoFrame::Format_RGB32 << QSize(640, 0) << false << QImage::Format_Invalid;
    }

    void start()
    {
        QFETCH(QVideoFrame::PixelFormat, pixelFormat);
        QFETCH(QSize, size);
        QFETCH(bool, accepted);
        QFETCH(QImage::Format, imageFormat);
        CountingSink sink;
        MyVideoSurface surface(&sink);
        QCOMPARE(surface.start(QVideoSurfaceFormat(size, pixelFormat)), accepted);
        QCOMPARE(surface.isActive(), accepted);
        QCOMPARE(surface.imageFormat(), imageFormat);
    }

    void present_data()
    {
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QImage::Format>("frameFormat");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("matching") << QSize(320, 240) << QImage::Format_RGB32 << true;
        QTest::newRow("other size") << QSize(240, 320) << QImage::Format_RGB32 << false;
        QTest::newRow("other pixel format") << QSize(320, 240) << QImage::Format_RGB16 << false;
    }

    // A frame that does not match the surface stops it.
    void present()
    {
        QFETCH(QSize, frameSize);
        QFETCH(QImage::Format, frameFormat);
        QFETCH(bool, accepted);
        CountingSink sink;
        MyVideoSurface surface(&sink);
        QVERIFY(surface.start(QVideoSurfaceFormat(QSize(320, 240), QVideoFrame::Format_RGB32)));

        QCOMPARE(surface.present(frameOf(frameSize, frameFormat)), accepted);
        QCOMPARE(sink.updates, accepted ? 1 : 0);
        QCOMPARE(surface.isActive(), accepted);
        QCOMPARE(surface.currentFrame().isValid(), accepted);
        QCOMPARE(surface.error(), accepted ? QAbstractVideoSurface::NoError : QAbstractVideoSurface::IncorrectFormatError);
    }

    void presentWhenStopped()
    {
        CountingSink sink;
        MyVideoSurface surface(&sink);
        QVERIFY(!surface.present(frameOf(QSize(320, 240), QImage::Format_RGB32)));
        QCOMPARE(surface.error(), QAbstractVideoSurface::StoppedError);

        QVERIFY(surface.start(QVideoSurfaceFormat(QSize(320, 240), QVideoFrame::Format_RGB32)));
        QVERIFY(surface.present(frameOf(QSize(320, 240), QImage::Format_RGB32)));
        surface.stop();
        QVERIFY(!surface.currentFrame().isValid());
        QVERIFY(!surface.present(frameOf(QSize(320, 240), QImage::Format_RGB32)));
        QCOMPARE(sink.updates, 1);
    }
};

QTEST_MAIN(TstMyVideoSurface)
#include "tst_myvideosurface.moc"
