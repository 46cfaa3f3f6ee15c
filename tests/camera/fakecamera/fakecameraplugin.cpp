#include "fakecameraplugin.h"

#include "fakecameracontrols.h"

FakeCameraService::FakeCameraService(QObject *parent)
    : QMediaService(parent)
{
    m_controls = {
        {QCameraControl_iid, new FakeCameraControl(this)},
        {QCameraImageCaptureControl_iid, new FakeImageCaptureControl(this)},
        {QImageEncoderControl_iid, new FakeImageEncoderControl(this)},
        {QCameraFlashControl_iid, new FakeFlashControl(this)},
        {QCameraFocusControl_iid, new FakeFocusControl(this)},
        {QCameraLocksControl_iid, new FakeLocksControl(this)},
        {QVideoRendererControl_iid, new FakeRendererControl(this)},
    };
}

QMediaControl *FakeCameraService::requestControl(const char *name)
{
    return m_controls.value(QByteArray(name));
}

QMediaService *FakeCameraPlugin::create(const QString &key)
{
    if (key == QLatin1String(Q_MEDIASERVICE_CAMERA))
        return new FakeCameraService;
    return nullptr;
}
