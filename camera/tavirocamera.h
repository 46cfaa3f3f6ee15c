#pragma once

#include "camera/videoif.h"

#include <QCamera>
#include <QCameraImageCapture>
#include <QImageEncoderSettings>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QQuickWindow>
#include <QTime>

#include <atomic>
#include <memory>

class MyVideoSurface;
class QCameraExposure;
class QCameraFocus;
class QVideoRendererControl;

/**
 * The camera screen's viewfinder and still capture. The camera runs as soon
 * as the item exists; frames reach the item through MyVideoSurface and are
 * painted centred and unscaled. One capture can be outstanding at a time;
 * a saved photo stops the camera until start() is called again.
 */
class TAVIROCamera : public QQuickPaintedItem, public VideoIF
{
    Q_OBJECT
    Q_PROPERTY(QSize captureResolution READ captureResolution WRITE setCaptureResolution NOTIFY captureResolutionChanged)
    Q_PROPERTY(State cameraState READ cameraState WRITE setCameraState NOTIFY cameraStateChanged)
    Q_PROPERTY(QString capturedImagePath READ capturedImagePath NOTIFY imageSaved)
    Q_PROPERTY(LockStatus lockStatus READ lockStatus NOTIFY lockStatusChanged)
    Q_PROPERTY(int flashMode READ flashMode WRITE setFlashMode NOTIFY flashModeChanged)
    Q_PROPERTY(int focusMode READ focusMode WRITE setFocusMode NOTIFY focusModeChanged)
    Q_PROPERTY(bool available READ isAvailable NOTIFY availableChanged)
    // Whether captureImage() would take a photo now: a started camera is
    // available before its pipeline can capture.
    Q_PROPERTY(bool readyForCapture READ isReadyForCapture NOTIFY readyForCaptureChanged)

public:
    enum State {
        ActiveState = QCamera::ActiveState,
        LoadedState = QCamera::LoadedState,
        UnloadedState = QCamera::UnloadedState,
    };
    Q_ENUM(State)

    enum LockStatus {
        Unlocked = QCamera::Unlocked,
        Searching = QCamera::Searching,
        Locked = QCamera::Locked,
    };
    Q_ENUM(LockStatus)

    // The values QML knows. QtMultimedia has put its video light at 64 and
    // moved the last three up by one bit; flashMode translates.
    enum FlashMode {
        FlashAuto = 1,
        FlashOff = 2,
        FlashOn = 4,
        FlashRedEyeReduction = 8,
        FlashFill = 16,
        FlashTorch = 32,
        FlashSlowSyncFrontCurtain = 64,
        FlashSlowSyncRearCurtain = 128,
        FlashManual = 256,
    };
    Q_ENUM(FlashMode)

    enum FocusMode {
        ManualFocus = QCameraFocus::ManualFocus,
        AutoFocus = QCameraFocus::AutoFocus,
        ContinuousFocus = QCameraFocus::ContinuousFocus,
        InfinityFocus = QCameraFocus::InfinityFocus,
        HyperfocalFocus = QCameraFocus::HyperfocalFocus,
        MacroFocus = QCameraFocus::MacroFocus,
    };
    Q_ENUM(FocusMode)

    explicit TAVIROCamera(QQuickItem *parent = nullptr);
    ~TAVIROCamera() override;

    // The window repainted on every viewfinder frame (the main view).
    static QPointer<QQuickWindow> repaintTarget;

    QSize captureResolution() const;
    State cameraState() const;
    QString capturedImagePath() const;
    LockStatus lockStatus() const;
    int flashMode() const;
    int focusMode() const;
    bool isAvailable() const;
    bool isReadyForCapture() const;

    Q_INVOKABLE void captureImage();

    void paint(QPainter *painter) override;
    void updateVideo() override;

public slots:
    void start();
    void stop();
    void setCaptureResolution(QSize size);
    void setCameraState(State state);
    void searchAndLock();
    void unlock();
    void setFlashMode(int mode);
    void setFocusMode(int mode);
    bool focusModeSupported();

signals:
    void cameraStateChanged(TAVIROCamera::State state);
    void lockStatusChanged();
    void imageCaptured(QImage image);
    void imageSaved(QString path);
    void captureFailed(QString message);
    void captureResolutionChanged(QSize);
    void flashModeChanged(int);
    void focusModeChanged(int);
    void availableChanged();
    void readyForCaptureChanged();

protected:
    void componentComplete() override;

private slots:
    void _q_updateState(QCamera::State state);
    void _q_imageCaptured(int id, const QImage &preview);
    void _q_imageSaved(int id, const QString &fileName);
    void _q_captureFailed(int id, QCameraImageCapture::Error error, const QString &errorString);
    void _q_updateFocusZones();
    void _q_updateLockStatus(QCamera::LockType type, QCamera::LockStatus status, QCamera::LockChangeReason reason);
    void _q_updateImageSettings();

private:
    void attachViewfinder();
    void onCameraError();
    void repaintViewfinder();
    void reportNoCamera();
    void updateAvailable();

    std::unique_ptr<QCamera> m_camera;
    QCameraImageCapture *m_imageCapture = nullptr;
    QCameraExposure *m_exposure = nullptr;
    QCameraFocus *m_focus = nullptr;
    QVideoRendererControl *m_rendererControl = nullptr;
    MyVideoSurface *m_surface = nullptr;
    QImageEncoderSettings m_encoderSettings;
    bool m_settingsUpdatePending = false;
    QTime m_lockFailureTime;
    QString m_capturedImagePath;
    bool m_capturePending = false;
    bool m_available = false;
    std::atomic_bool m_repaintQueued{false};
};
