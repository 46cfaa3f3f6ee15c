// A real capture, end to end, through QtMultimedia's GStreamer backend and a
// stand-in video device (tests/camera/privatedevice.sh). Skipped where the
// device cannot be put in place.
#include "camera/myvideosurface.h"
#include "camera/tavirocamera.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
const char device[] = "/dev/video0";
}

class TstCameraCapture : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        if (!qgetenv("LD_PRELOAD").contains("v4l2shim"))
            QSKIP("the V4L2 shim is not preloaded (run through ctest)");
        // The stand-in exists only in the private /dev that
        // privatedevice.sh gives this process; the test never makes one.
        struct stat status;
        if (::stat(device, &status) != 0)
            QSKIP("no stand-in video device: run through ctest, as root (see privatedevice.sh)");
        if (!S_ISFIFO(status.st_mode))
            QSKIP("a real video device is present; it is left alone");
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".cache"))));
    }

    void captureToFile()
    {
        TAVIROCamera camera;
        if (!camera.isAvailable())
            QSKIP("the GStreamer camera backend did not take the stand-in device");
        QSignalSpy readiness(&camera, &TAVIROCamera::readyForCaptureChanged);
        auto *surface = camera.findChild<MyVideoSurface *>();
        QVERIFY(surface);
        QTRY_VERIFY_WITH_TIMEOUT(surface->currentFrame().isValid(), 30000);
        // The shutter's enabled state follows this property.
        QTRY_VERIFY_WITH_TIMEOUT(camera.isReadyForCapture(), 30000);
        QVERIFY(!readiness.isEmpty());

        QSignalSpy saved(&camera, &TAVIROCamera::imageSaved);
        QSignalSpy failed(&camera, &TAVIROCamera::captureFailed);
        camera.captureImage();
        camera.captureImage();
        QTRY_COMPARE_WITH_TIMEOUT(saved.count() + failed.count(), 1, 30000);
        QCOMPARE(failed.count(), 0);

        const QString path = saved.at(0).at(0).toString();
        QCOMPARE(camera.capturedImagePath(), path);
        QVERIFY(QFileInfo(path).isAbsolute());
        QVERIFY(path.startsWith(m_home.path()));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QVERIFY(!reader.size().isEmpty());
        QTRY_COMPARE(camera.cameraState(), TAVIROCamera::LoadedState);

        camera.start();
        QCOMPARE(camera.cameraState(), TAVIROCamera::ActiveState);
        QTRY_VERIFY_WITH_TIMEOUT(surface->currentFrame().isValid(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(camera.isReadyForCapture(), 30000);
        // A last capture is saved next: the refused second one never was.
        camera.captureImage();
        QTRY_COMPARE_WITH_TIMEOUT(saved.count() + failed.count(), 2, 30000);
        QCOMPARE(failed.count(), 0);
        QVERIFY(saved.at(1).at(0).toString() != path);
        QTRY_COMPARE(camera.cameraState(), TAVIROCamera::LoadedState);
    }
};

QTEST_MAIN(TstCameraCapture)
#include "tst_camera_capture.moc"
