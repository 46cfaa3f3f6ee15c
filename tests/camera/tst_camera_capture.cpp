// A real capture, end to end, through QtMultimedia's GStreamer backend and a
// stand-in video device. Skipped where the device cannot be put in place.
#include "camera/myvideosurface.h"
#include "camera/tavirocamera.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const char device[] = "/dev/video0";
}

class TstCameraCapture : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    bool m_madeDevice = false;

private slots:
    void initTestCase()
    {
        if (!qgetenv("LD_PRELOAD").contains("v4l2shim"))
            QSKIP("the V4L2 shim is not preloaded (run through ctest)");
        struct stat status;
        if (::stat(device, &status) == 0) {
            if (!S_ISFIFO(status.st_mode))
                QSKIP("a real video device is present; it is left alone");
        } else {
            if (::geteuid() != 0)
                QSKIP("placing a stand-in video device needs root");
            if (::mkfifo(device, 0600) != 0)
                QSKIP("cannot place a stand-in video device");
            m_madeDevice = true;
        }
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".cache"))));
    }

    void cleanupTestCase()
    {
        if (m_madeDevice)
            ::unlink(device);
    }

    void captureToFile()
    {
        TAVIROCamera camera;
        if (!camera.isAvailable())
            QSKIP("the GStreamer camera backend did not take the stand-in device");
        auto *surface = camera.findChild<MyVideoSurface *>();
        QVERIFY(surface);
        QTRY_VERIFY_WITH_TIMEOUT(surface->currentFrame().isValid(), 30000);
        auto *capture = camera.findChild<QCameraImageCapture *>();
        QTRY_VERIFY_WITH_TIMEOUT(capture->isReadyForCapture(), 30000);

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
        QTest::qWait(200);
        QCOMPARE(saved.count(), 1);
    }
};

QTEST_MAIN(TstCameraCapture)
#include "tst_camera_capture.moc"
