// The camera item over a fake camera backend: capture flow, deferred encoder
// settings, flash and focus modes, lock status and the viewfinder.
#include "camera/myvideosurface.h"
#include "camera/tavirocamera.h"

#include <QCameraControl>
#include <QCameraFlashControl>
#include <QCameraImageCaptureControl>
#include <QCameraLocksControl>
#include <QImageEncoderControl>
#include <QMediaService>
#include <QPainter>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QThread>
#include <QVideoSurfaceFormat>
#include <QtTest>

class TstTaviroCamera : public QObject
{
    Q_OBJECT

private:
    template<typename Control>
    static Control *control(TAVIROCamera &camera)
    {
        auto *capture = camera.findChild<QCameraImageCapture *>();
        return capture->mediaObject()->service()->requestControl<Control *>();
    }
    static int captureCount(TAVIROCamera &camera)
    {
        return control<QCameraImageCaptureControl>(camera)->property("captureCount").toInt();
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<TAVIROCamera::State>();
        QCoreApplication::addLibraryPath(QStringLiteral(TAVIRO_TEST_PLUGIN_DIR));
        TAVIROCamera camera;
        QVERIFY2(camera.isAvailable(), "the fake camera backend was not picked");
        QCOMPARE(camera.findChild<QCameraImageCapture *>()->mediaObject()->service()->metaObject()->className(),
                 "FakeCameraService");
    }

    void startsWithTheItem()
    {
        TAVIROCamera camera;
        QCOMPARE(camera.cameraState(), TAVIROCamera::ActiveState);
        QVERIFY(camera.findChild<MyVideoSurface *>());
        QVERIFY(!camera.captureResolution().isValid());
        QVERIFY(camera.capturedImagePath().isEmpty());
    }

    void oneCaptureAtATime()
    {
        TAVIROCamera camera;
        QSignalSpy saved(&camera, &TAVIROCamera::imageSaved);
        QSignalSpy captured(&camera, &TAVIROCamera::imageCaptured);
        QSignalSpy state(&camera, &TAVIROCamera::cameraStateChanged);

        camera.captureImage();
        camera.captureImage();
        QCOMPARE(captureCount(camera), 1);

        auto *backend = control<QCameraImageCaptureControl>(camera);
        QImage preview(64, 48, QImage::Format_RGB32);
        preview.fill(Qt::red);
        emit backend->imageCaptured(1, preview);
        QCOMPARE(captured.count(), 1);
        QCOMPARE(captured.at(0).at(0).value<QImage>(), preview);

        emit backend->imageSaved(1, QStringLiteral("/photos/IMG_0001.jpg"));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).toString(), QStringLiteral("/photos/IMG_0001.jpg"));
        QCOMPARE(camera.capturedImagePath(), QStringLiteral("/photos/IMG_0001.jpg"));
        QCOMPARE(camera.cameraState(), TAVIROCamera::LoadedState);
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).value<TAVIROCamera::State>(), TAVIROCamera::LoadedState);

        camera.start();
        QCOMPARE(camera.cameraState(), TAVIROCamera::ActiveState);
        camera.captureImage();
        QCOMPARE(captureCount(camera), 2);
    }

    void failedCaptureEnds_data()
    {
        QTest::addColumn<bool>("cameraError");
        QTest::newRow("capture error") << false;
        QTest::newRow("camera error") << true;
    }

    void failedCaptureEnds()
    {
        QFETCH(bool, cameraError);
        TAVIROCamera camera;
        QSignalSpy failed(&camera, &TAVIROCamera::captureFailed);
        QSignalSpy available(&camera, &TAVIROCamera::availableChanged);
        camera.captureImage();
        if (cameraError)
            emit control<QCameraControl>(camera)->error(QCamera::CameraError, QStringLiteral("device lost"));
        else
            emit control<QCameraImageCaptureControl>(camera)->error(1, QCameraImageCapture::ResourceError,
                                                                    QStringLiteral("device lost"));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("device lost"));
        QCOMPARE(camera.isAvailable(), !cameraError);
        camera.start();
        QVERIFY(camera.isAvailable());
        QCOMPARE(available.count(), cameraError ? 2 : 0);
        camera.captureImage();
        QCOMPARE(captureCount(camera), 2);
        QCOMPARE(failed.count(), 1);
    }

    void captureResolutionIsDeferred()
    {
        TAVIROCamera camera;
        auto *encoder = control<QImageEncoderControl>(camera);
        QSignalSpy changed(&camera, &TAVIROCamera::captureResolutionChanged);

        camera.setCaptureResolution(QSize());
        QCOMPARE(changed.count(), 0);

        camera.setCaptureResolution(QSize(640, 480));
        camera.setCaptureResolution(QSize(1280, 960));
        camera.setCaptureResolution(QSize(1280, 960));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toSize(), QSize(1280, 960));
        QCOMPARE(camera.captureResolution(), QSize(1280, 960));
        QCOMPARE(encoder->property("settingsCount").toInt(), 0);

        QCoreApplication::processEvents();
        QCOMPARE(encoder->property("settingsCount").toInt(), 1);
        QCOMPARE(encoder->imageSettings().resolution(), QSize(1280, 960));

        QCoreApplication::processEvents();
        QCOMPARE(encoder->property("settingsCount").toInt(), 1);
    }

    void flashMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("backend");
        QTest::addColumn<int>("emitted");
        QTest::newRow("same") << 2 << 2 << int(QCameraExposure::FlashOff) << 0;
        QTest::newRow("on") << 4 << 4 << int(QCameraExposure::FlashOn) << 1;
        QTest::newRow("auto") << 1 << 1 << int(QCameraExposure::FlashAuto) << 1;
        QTest::newRow("red eye") << 12 << 12 << int(QCameraExposure::FlashOn | QCameraExposure::FlashRedEyeReduction) << 1;
        QTest::newRow("front curtain") << 64 << 64 << int(QCameraExposure::FlashSlowSyncFrontCurtain) << 1;
        QTest::newRow("rear curtain") << 128 << 128 << int(QCameraExposure::FlashSlowSyncRearCurtain) << 1;
        QTest::newRow("not taken") << 256 << 2 << int(QCameraExposure::FlashOff) << 0;
    }

    void flashMode()
    {
        QFETCH(int, mode);
        QFETCH(int, expected);
        QFETCH(int, backend);
        QFETCH(int, emitted);
        TAVIROCamera camera;
        QCOMPARE(camera.flashMode(), int(TAVIROCamera::FlashOff));
        QSignalSpy changed(&camera, &TAVIROCamera::flashModeChanged);
        camera.setFlashMode(mode);
        QCOMPARE(camera.flashMode(), expected);
        QCOMPARE(int(control<QCameraFlashControl>(camera)->flashMode()), backend);
        QCOMPARE(changed.count(), emitted);
        if (emitted)
            QCOMPARE(changed.at(0).at(0).toInt(), expected);
    }

    void focusMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("emitted");
        QTest::newRow("same") << int(TAVIROCamera::ContinuousFocus) << int(TAVIROCamera::ContinuousFocus) << 0;
        QTest::newRow("auto") << int(TAVIROCamera::AutoFocus) << int(TAVIROCamera::AutoFocus) << 1;
        QTest::newRow("macro") << int(TAVIROCamera::MacroFocus) << int(TAVIROCamera::MacroFocus) << 1;
        QTest::newRow("not taken") << int(TAVIROCamera::InfinityFocus) << int(TAVIROCamera::ContinuousFocus) << 0;
    }

    void focusMode()
    {
        QFETCH(int, mode);
        QFETCH(int, expected);
        QFETCH(int, emitted);
        TAVIROCamera camera;
        QVERIFY(camera.focusModeSupported());
        QSignalSpy changed(&camera, &TAVIROCamera::focusModeChanged);
        camera.setFocusMode(mode);
        QCOMPARE(camera.focusMode(), expected);
        QCOMPARE(changed.count(), emitted);
        if (emitted)
            QCOMPARE(changed.at(0).at(0).toInt(), expected);
    }

    void lockStatus()
    {
        TAVIROCamera camera;
        QSignalSpy changed(&camera, &TAVIROCamera::lockStatusChanged);
        auto *locks = control<QCameraLocksControl>(camera);
        camera.searchAndLock();
        QCOMPARE(camera.lockStatus(), TAVIROCamera::Searching);
        QMetaObject::invokeMethod(locks, "finishSearch", Q_ARG(int, QCamera::Locked), Q_ARG(int, QCamera::LockAcquired));
        QCOMPARE(camera.lockStatus(), TAVIROCamera::Locked);
        camera.unlock();
        QCOMPARE(camera.lockStatus(), TAVIROCamera::Unlocked);
        QCOMPARE(changed.count(), 3);

        camera.searchAndLock();
        QMetaObject::invokeMethod(locks, "finishSearch", Q_ARG(int, QCamera::Unlocked), Q_ARG(int, QCamera::LockFailed));
        QCOMPARE(camera.lockStatus(), TAVIROCamera::Unlocked);
        QCOMPARE(changed.count(), 5);
    }


    void viewfinderIsCentred_data()
    {
        QTest::addColumn<QSize>("item");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("landscape frame, portrait item") << QSize(480, 640) << QSize(640, 480) << QPoint(80, 80);
        QTest::newRow("smaller frame") << QSize(480, 640) << QSize(320, 240) << QPoint(80, 200);
        QTest::newRow("same size") << QSize(480, 640) << QSize(480, 640) << QPoint(0, 0);
    }

    // Frames come from another thread; the item paints the newest unscaled.
    void viewfinderIsCentred()
    {
        QFETCH(QSize, item);
        QFETCH(QSize, frame);
        QFETCH(QPoint, topLeft);
        TAVIROCamera camera;
        camera.setSize(item);
        auto *surface = camera.findChild<MyVideoSurface *>();
        QVERIFY(surface->start(QVideoSurfaceFormat(frame, QVideoFrame::Format_RGB32)));

        QImage red(frame, QImage::Format_RGB32);
        red.fill(Qt::red);
        bool presented = false;
        QScopedPointer<QThread> video(QThread::create([&] { presented = surface->present(QVideoFrame(red)); }));
        video->start();
        QVERIFY(video->wait(5000));
        QVERIFY(presented);

        QImage canvas(item, QImage::Format_RGB32);
        canvas.fill(Qt::blue);
        QPainter painter(&canvas);
        camera.paint(&painter);
        painter.end();

        const QRect drawn = QRect(topLeft, frame) & canvas.rect();
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const QRgb expected = drawn.contains(x, y) ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
                if (canvas.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }

    // In a scene: a frame from the video thread reaches the screen by itself.
    void frameRepaintsTheScene()
    {
        QQuickWindow window;
        window.resize(480, 640);
        auto *camera = new TAVIROCamera(window.contentItem());
        camera->setSize(QSizeF(480, 640));
        TAVIROCamera::repaintTarget = &window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *surface = camera->findChild<MyVideoSurface *>();
        QVERIFY(surface->start(QVideoSurfaceFormat(QSize(640, 480), QVideoFrame::Format_RGB32)));
        QImage red(640, 480, QImage::Format_RGB32);
        red.fill(Qt::red);
        QSignalSpy rendered(&window, &QQuickWindow::afterRendering);
        QTRY_VERIFY(rendered.count() > 0);
        rendered.clear();
        QScopedPointer<QThread> video(QThread::create([&] { surface->present(QVideoFrame(red)); }));
        video->start();
        QVERIFY(video->wait(5000));
        QTRY_VERIFY(rendered.count() > 0);

        QSharedPointer<QQuickItemGrabResult> grab = camera->grabToImage();
        QVERIFY(grab);
        QSignalSpy ready(grab.data(), &QQuickItemGrabResult::ready);
        QVERIFY(ready.wait());
        const QImage shown = grab->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(80, 80), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(79, 80) == qRgb(255, 0, 0), false);
        TAVIROCamera::repaintTarget = nullptr;
    }

    void stoppedViewfinderPaintsNothing()
    {
        TAVIROCamera camera;
        camera.setSize(QSizeF(100, 100));
        auto *surface = camera.findChild<MyVideoSurface *>();
        QVERIFY(surface->start(QVideoSurfaceFormat(QSize(100, 100), QVideoFrame::Format_RGB32)));
        QImage red(100, 100, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(surface->present(QVideoFrame(red)));
        surface->stop();

        QImage canvas(100, 100, QImage::Format_RGB32);
        canvas.fill(Qt::blue);
        QPainter painter(&canvas);
        camera.paint(&painter);
        painter.end();
        QCOMPARE(canvas.pixel(50, 50), qRgb(0, 0, 255));
    }
};

QTEST_MAIN(TstTaviroCamera)
#include "tst_tavirocamera.moc"
