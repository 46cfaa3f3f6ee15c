// One viewfinder frame: presented by the video thread, painted by the item
// straight from frame memory.
#include "camera/myvideosurface.h"
#include "camera/tavirocamera.h"

#include <QPainter>
#include <QVideoSurfaceFormat>
#include <QtTest>

class BenchViewfinder : public QObject
{
    Q_OBJECT

private slots:
    void presentAndPaint_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::newRow("640x480") << QSize(640, 480);
        QTest::newRow("854x480") << QSize(854, 480);
    }

    void presentAndPaint()
    {
        QFETCH(QSize, frame);
        TAVIROCamera camera;
        auto *surface = camera.findChild<MyVideoSurface *>();
        if (!surface)
            QSKIP("no camera backend with a video renderer on this machine");
        camera.setSize(QSizeF(480, 854));
        QVERIFY(surface->start(QVideoSurfaceFormat(frame, QVideoFrame::Format_RGB32)));
        QImage image(frame, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const QVideoFrame videoFrame(image);
        QImage canvas(480, 854, QImage::Format_RGB32);
        QPainter painter(&canvas);
        QBENCHMARK {
            QVERIFY(surface->present(videoFrame));
            camera.paint(&painter);
        }
    }
};

QTEST_MAIN(BenchViewfinder)
#include "bench_viewfinder.moc"
