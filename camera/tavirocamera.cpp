#include "camera/tavirocamera.h"

#include "camera/cameralog.h"
#include "camera/myvideosurface.h"

#include <QCameraExposure>
#include <QCameraFocus>
#include <QMediaService>
#include <QPainter>
#include <QTimer>
#include <QVideoRendererControl>

#include <cstdlib>

QPointer<QQuickWindow> TAVIROCamera::repaintTarget;

namespace {

// Flash mode bits with the same value here and in QtMultimedia.
constexpr int sharedFlashBits = TAVIROCamera::FlashAuto | TAVIROCamera::FlashOff | TAVIROCamera::FlashOn
    | TAVIROCamera::FlashRedEyeReduction | TAVIROCamera::FlashFill | TAVIROCamera::FlashTorch;

// Flash mode bits: ours and QtMultimedia's, where they differ.
struct FlashBit {
    int ours;
    int camera;
};
constexpr FlashBit flashBits[] = {
    {TAVIROCamera::FlashSlowSyncFrontCurtain, QCameraExposure::FlashSlowSyncFrontCurtain},
    {TAVIROCamera::FlashSlowSyncRearCurtain, QCameraExposure::FlashSlowSyncRearCurtain},
    {TAVIROCamera::FlashManual, QCameraExposure::FlashManual},
};

QCameraExposure::FlashModes toCameraFlash(int mode)
{
    int camera = mode & sharedFlashBits;
    for (const FlashBit &bit : flashBits) {
        if (mode & bit.ours)
            camera |= bit.camera;
    }
    return QCameraExposure::FlashModes(camera);
}

// The video light has no value of ours: it lights like the torch.
int fromCameraFlash(QCameraExposure::FlashModes modes)
{
    const int camera = int(modes);
    int mode = camera & sharedFlashBits;
    if (camera & QCameraExposure::FlashVideoLight)
        mode |= TAVIROCamera::FlashTorch;
    for (const FlashBit &bit : flashBits) {
        if (camera & bit.camera)
            mode |= bit.ours;
    }
    return mode;
}

} // namespace

TAVIROCamera::TAVIROCamera(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , m_camera(std::make_unique<QCamera>())
{
    m_camera->setCaptureMode(QCamera::CaptureStillImage);
    m_exposure = m_camera->exposure();
    m_focus = m_camera->focus();

    connect(m_camera.get(), qOverload<QCamera::LockStatus, QCamera::LockChangeReason>(&QCamera::lockStatusChanged),
            this, &TAVIROCamera::lockStatusChanged);
    connect(m_camera.get(),
            qOverload<QCamera::LockType, QCamera::LockStatus, QCamera::LockChangeReason>(&QCamera::lockStatusChanged),
            this, &TAVIROCamera::_q_updateLockStatus);
    connect(m_camera.get(), &QCamera::stateChanged, this, &TAVIROCamera::_q_updateState);
    connect(m_camera.get(), &QCamera::statusChanged, this, &TAVIROCamera::updateAvailable);
    connect(m_camera.get(), qOverload<bool>(&QMediaObject::availabilityChanged), this, &TAVIROCamera::updateAvailable);
    connect(m_camera.get(), &QCamera::errorOccurred, this, &TAVIROCamera::onCameraError);

    m_imageCapture = new QCameraImageCapture(m_camera.get(), this);
    connect(m_imageCapture, &QCameraImageCapture::imageCaptured, this, &TAVIROCamera::_q_imageCaptured);
    connect(m_imageCapture, &QCameraImageCapture::imageSaved, this, &TAVIROCamera::_q_imageSaved);
    connect(m_imageCapture, qOverload<int, QCameraImageCapture::Error, const QString &>(&QCameraImageCapture::error),
            this, &TAVIROCamera::_q_captureFailed);
    connect(m_imageCapture, &QCameraImageCapture::readyForCaptureChanged, this,
            &TAVIROCamera::readyForCaptureChanged);

    attachViewfinder();

    if (m_camera->state() == QCamera::ActiveState)
        m_camera->stop();
    m_camera->start();
    m_available = m_camera->isAvailable();
}

TAVIROCamera::~TAVIROCamera()
{
    if (m_surface)
        m_surface->stop();
    m_camera->unload();
    if (m_rendererControl) {
        m_rendererControl->setSurface(nullptr);
        m_camera->service()->releaseControl(m_rendererControl);
    }
    delete m_imageCapture;
    m_camera.reset();
}

void TAVIROCamera::attachViewfinder()
{
    QMediaService *service = m_camera->service();
    if (!service)
        return;
    QMediaControl *control = service->requestControl(QVideoRendererControl_iid);
    m_rendererControl = qobject_cast<QVideoRendererControl *>(control);
    if (!m_rendererControl) {
        if (control)
            service->releaseControl(control);
        qCDebug(lcCamera) << "camera service offers no video renderer: no viewfinder";
        return;
    }
    m_surface = new MyVideoSurface(this, this);
    m_rendererControl->setSurface(m_surface);
}

void TAVIROCamera::componentComplete()
{
    QQuickPaintedItem::componentComplete();
    if (!isAvailable())
        reportNoCamera();
}

void TAVIROCamera::reportNoCamera()
{
    qCDebug(lcCamera) << "no camera available";
    emit captureFailed(tr("No camera is available"));
}

QSize TAVIROCamera::captureResolution() const
{
    return m_encoderSettings.resolution();
}

TAVIROCamera::State TAVIROCamera::cameraState() const
{
    return static_cast<State>(m_camera->state());
}

QString TAVIROCamera::capturedImagePath() const
{
    return m_capturedImagePath;
}

TAVIROCamera::LockStatus TAVIROCamera::lockStatus() const
{
    return static_cast<LockStatus>(m_camera->lockStatus());
}

int TAVIROCamera::flashMode() const
{
    return fromCameraFlash(m_exposure->flashMode());
}

int TAVIROCamera::focusMode() const
{
    return static_cast<int>(m_focus->focusMode());
}

bool TAVIROCamera::isAvailable() const
{
    return m_available;
}

bool TAVIROCamera::isReadyForCapture() const
{
    return m_imageCapture && m_imageCapture->isReadyForCapture();
}

// A camera error makes the camera unavailable until it starts again; the
// camera announces neither change itself.
void TAVIROCamera::updateAvailable()
{
    const bool available = m_camera->isAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availableChanged();
}

void TAVIROCamera::start()
{
    m_camera->start();
    updateAvailable();
    if (!isAvailable())
        reportNoCamera();
}

void TAVIROCamera::stop()
{
    m_camera->stop();
}

void TAVIROCamera::setCaptureResolution(QSize size)
{
    if (size == m_encoderSettings.resolution())
        return;
    m_encoderSettings.setResolution(size);
    if (!m_settingsUpdatePending) {
        m_settingsUpdatePending = true;
        QMetaObject::invokeMethod(this, &TAVIROCamera::_q_updateImageSettings, Qt::QueuedConnection);
    }
    emit captureResolutionChanged(size);
}

void TAVIROCamera::_q_updateImageSettings()
{
    if (!m_settingsUpdatePending)
        return;
    m_settingsUpdatePending = false;
    m_imageCapture->setEncodingSettings(m_encoderSettings);
}

void TAVIROCamera::setCameraState(State state)
{
    Q_UNUSED(state)
}

void TAVIROCamera::searchAndLock()
{
    m_camera->searchAndLock();
}

void TAVIROCamera::unlock()
{
    m_camera->unlock();
}

// A mode the camera does not take leaves the reading unchanged: only a change
// that really happened is announced.
void TAVIROCamera::setFlashMode(int mode)
{
    const int before = flashMode();
    if (before == mode)
        return;
    m_exposure->setFlashMode(toCameraFlash(mode));
    if (flashMode() != before)
        emit flashModeChanged(flashMode());
}

void TAVIROCamera::setFocusMode(int mode)
{
    const int before = focusMode();
    if (before == mode)
        return;
    m_focus->setFocusMode(static_cast<QCameraFocus::FocusModes>(mode));
    if (focusMode() != before)
        emit focusModeChanged(focusMode());
}

bool TAVIROCamera::focusModeSupported()
{
    return m_focus->isFocusModeSupported(QCameraFocus::AutoFocus)
        && m_focus->isFocusModeSupported(QCameraFocus::MacroFocus);
}

void TAVIROCamera::captureImage()
{
    if (m_capturePending)
        return;
    if (!isAvailable()) {
        reportNoCamera();
        return;
    }
    m_capturePending = true;
    // An empty location lets the platform choose the folder and file name.
    m_imageCapture->capture(QString());
}

void TAVIROCamera::_q_updateState(QCamera::State state)
{
    emit cameraStateChanged(static_cast<State>(state));
}

void TAVIROCamera::_q_imageCaptured(int id, const QImage &preview)
{
    Q_UNUSED(id)
    emit imageCaptured(preview);
}

void TAVIROCamera::_q_imageSaved(int id, const QString &fileName)
{
    Q_UNUSED(id)
    m_capturePending = false;
    m_camera->stop();
    m_capturedImagePath = fileName;
    emit imageSaved(fileName);
}

void TAVIROCamera::_q_captureFailed(int id, QCameraImageCapture::Error error, const QString &errorString)
{
    Q_UNUSED(id)
    qCDebug(lcCamera) << "capture failed:" << error << errorString;
    m_capturePending = false;
    emit captureFailed(errorString);
}

// A camera that fails while a photo is being taken never saves it: end the
// capture so that the next captureImage() is not ignored forever.
void TAVIROCamera::onCameraError()
{
    qCDebug(lcCamera) << "camera error:" << m_camera->error() << m_camera->errorString();
    updateAvailable();
    if (!m_capturePending)
        return;
    m_capturePending = false;
    emit captureFailed(m_camera->errorString());
}

void TAVIROCamera::_q_updateLockStatus(QCamera::LockType type, QCamera::LockStatus status, QCamera::LockChangeReason reason)
{
    if (type != QCamera::LockFocus)
        return;
    if (status == QCamera::Unlocked && reason == QCamera::LockFailed) {
        m_lockFailureTime = QTime::currentTime();
        QTimer::singleShot(1000, this, &TAVIROCamera::_q_updateFocusZones);
    } else {
        m_lockFailureTime = QTime();
    }
    _q_updateFocusZones();
}

// The focus frame on screen is a FocusZoneItem driven by QML; this only
// expires a lock failure after a second and traces the zones.
void TAVIROCamera::_q_updateFocusZones()
{
    if (m_lockFailureTime.isValid() && m_lockFailureTime.msecsTo(QTime::currentTime()) >= 1000)
        m_lockFailureTime = QTime();
    const QCameraFocusZoneList zones = m_focus->focusZones();
    qCDebug(lcCamera) << "focus zones:" << zones.size() << "lock failed recently:" << m_lockFailureTime.isValid();
}

void TAVIROCamera::updateVideo()
{
    if (m_repaintQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(this, &TAVIROCamera::repaintViewfinder, Qt::QueuedConnection);
}

void TAVIROCamera::repaintViewfinder()
{
    m_repaintQueued = false;
    update();
    if (repaintTarget)
        repaintTarget->update();
}

void TAVIROCamera::paint(QPainter *painter)
{
    if (!m_surface || !m_surface->isActive())
        return;
    QVideoFrame frame = m_surface->currentFrame();
    if (!frame.isValid() || !frame.map(QAbstractVideoBuffer::ReadOnly))
        return;
    const QImage image(frame.bits(), frame.width(), frame.height(), frame.bytesPerLine(), m_surface->imageFormat());
    if (!image.isNull()) {
        const QRectF bounds = boundingRect();
        const int itemWidth = static_cast<int>(bounds.width());
        const int itemHeight = static_cast<int>(bounds.height());
        const int x = std::abs(itemWidth - image.width()) / 2;
        const int y = std::abs(itemHeight - image.height()) / 2;
        painter->drawImage(x, y, image);
    }
    frame.unmap();
}
