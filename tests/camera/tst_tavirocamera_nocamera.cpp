// With no camera at all the item says so, through captureFailed and
// available, and never blocks.
#include "camera/tavirocamera.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstTaviroCameraNoCamera : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_noPlugins;

private slots:
    void initTestCase()
    {
        // No camera backend can be found: the item gets no camera service.
        QCoreApplication::setLibraryPaths({m_noPlugins.path()});
        qmlRegisterType<TAVIROCamera>("TAVIROLib", 1, 0, "TAVIROCamera");
    }

    void reportsNoCamera()
    {
        TAVIROCamera camera;
        QVERIFY(!camera.isAvailable());
        QSignalSpy failed(&camera, &TAVIROCamera::captureFailed);
        QSignalSpy saved(&camera, &TAVIROCamera::imageSaved);

        camera.captureImage();
        camera.captureImage();
        camera.start();
        QCOMPARE(failed.count(), 3);
        QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("No camera is available"));
        QCOMPARE(saved.count(), 0);

        camera.setCaptureResolution(QSize(640, 480));
        QCoreApplication::processEvents();
        QCOMPARE(camera.captureResolution(), QSize(640, 480));
        QVERIFY(!camera.focusModeSupported());
        camera.searchAndLock();
        camera.unlock();
        camera.stop();
    }

    void qmlSeesIt()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick 2.15
            import TAVIROLib 1.0
            TAVIROCamera {
                property string failure
                property bool shown: !available
                onCaptureFailed: failure = message
            }
        )", QUrl());
        QScopedPointer<QObject> camera(component.create());
        QVERIFY2(camera, qPrintable(component.errorString()));
        QCOMPARE(camera->property("failure").toString(), QStringLiteral("No camera is available"));
        QCOMPARE(camera->property("shown").toBool(), true);
    }
};

QTEST_MAIN(TstTaviroCameraNoCamera)
#include "tst_tavirocamera_nocamera.moc"
