#pragma once

// A camera backend for tests: every control answers at once and counts the
// requests that matter in dynamic properties ("captureCount",
// "settingsCount"), so a test can read them through the standard control
// interfaces and drive the backend by emitting the controls' signals.

#include <QCameraControl>
#include <QCameraFlashControl>
#include <QCameraFocusControl>
#include <QCameraImageCaptureControl>
#include <QCameraLocksControl>
#include <QImageEncoderControl>
#include <QVideoRendererControl>

class FakeCameraControl : public QCameraControl
{
    Q_OBJECT
public:
    explicit FakeCameraControl(QObject *parent) : QCameraControl(parent) {}
    QCamera::State state() const override { return m_state; }
    void setState(QCamera::State state) override;
    QCamera::Status status() const override { return m_status; }
    QCamera::CaptureModes captureMode() const override { return m_mode; }
    void setCaptureMode(QCamera::CaptureModes mode) override { m_mode = mode; }
    bool isCaptureModeSupported(QCamera::CaptureModes) const override { return true; }
    bool canChangeProperty(PropertyChangeType, QCamera::Status) const override { return true; }

private:
    QCamera::State m_state = QCamera::UnloadedState;
    QCamera::Status m_status = QCamera::UnloadedStatus;
    QCamera::CaptureModes m_mode = QCamera::CaptureViewfinder;
};

class FakeImageCaptureControl : public QCameraImageCaptureControl
{
    Q_OBJECT
public:
    explicit FakeImageCaptureControl(QObject *parent) : QCameraImageCaptureControl(parent) {}
    bool isReadyForCapture() const override { return true; }
    QCameraImageCapture::DriveMode driveMode() const override { return QCameraImageCapture::SingleImageCapture; }
    void setDriveMode(QCameraImageCapture::DriveMode) override {}
    int capture(const QString &fileName) override;
    void cancelCapture() override {}
};

class FakeImageEncoderControl : public QImageEncoderControl
{
    Q_OBJECT
public:
    explicit FakeImageEncoderControl(QObject *parent) : QImageEncoderControl(parent) {}
    QStringList supportedImageCodecs() const override { return {QStringLiteral("jpeg")}; }
    QString imageCodecDescription(const QString &) const override { return QStringLiteral("JPEG"); }
    QList<QSize> supportedResolutions(const QImageEncoderSettings &, bool *continuous) const override;
    QImageEncoderSettings imageSettings() const override { return m_settings; }
    void setImageSettings(const QImageEncoderSettings &settings) override;

private:
    QImageEncoderSettings m_settings;
};

// Takes every flash mode but the manual one.
class FakeFlashControl : public QCameraFlashControl
{
    Q_OBJECT
public:
    explicit FakeFlashControl(QObject *parent) : QCameraFlashControl(parent) {}
    QCameraExposure::FlashModes flashMode() const override { return m_mode; }
    void setFlashMode(QCameraExposure::FlashModes mode) override;
    bool isFlashModeSupported(QCameraExposure::FlashModes mode) const override { return mode != QCameraExposure::FlashManual; }
    bool isFlashReady() const override { return true; }

private:
    QCameraExposure::FlashModes m_mode = QCameraExposure::FlashOff;
};

class FakeFocusControl : public QCameraFocusControl
{
    Q_OBJECT
public:
    explicit FakeFocusControl(QObject *parent) : QCameraFocusControl(parent) {}
    QCameraFocus::FocusModes focusMode() const override { return m_mode; }
    void setFocusMode(QCameraFocus::FocusModes mode) override;
    bool isFocusModeSupported(QCameraFocus::FocusModes mode) const override;
    QCameraFocus::FocusPointMode focusPointMode() const override { return QCameraFocus::FocusPointAuto; }
    void setFocusPointMode(QCameraFocus::FocusPointMode) override {}
    bool isFocusPointModeSupported(QCameraFocus::FocusPointMode mode) const override { return mode == QCameraFocus::FocusPointAuto; }
    QPointF customFocusPoint() const override { return {0.5, 0.5}; }
    void setCustomFocusPoint(const QPointF &) override {}
    QCameraFocusZoneList focusZones() const override { return {}; }

private:
    QCameraFocus::FocusModes m_mode = QCameraFocus::ContinuousFocus;
};

class FakeLocksControl : public QCameraLocksControl
{
    Q_OBJECT
public:
    explicit FakeLocksControl(QObject *parent) : QCameraLocksControl(parent) {}
    QCamera::LockTypes supportedLocks() const override { return QCamera::LockFocus; }
    QCamera::LockStatus lockStatus(QCamera::LockType) const override { return m_status; }
    void searchAndLock(QCamera::LockTypes) override;
    void unlock(QCamera::LockTypes) override;
    // Ends a search the way the device would.
    Q_INVOKABLE void finishSearch(int status, int reason);

private:
    QCamera::LockStatus m_status = QCamera::Unlocked;
};

class FakeRendererControl : public QVideoRendererControl
{
    Q_OBJECT
public:
    explicit FakeRendererControl(QObject *parent) : QVideoRendererControl(parent) {}
    QAbstractVideoSurface *surface() const override { return m_surface; }
    void setSurface(QAbstractVideoSurface *surface) override { m_surface = surface; }

private:
    QAbstractVideoSurface *m_surface = nullptr;
};
