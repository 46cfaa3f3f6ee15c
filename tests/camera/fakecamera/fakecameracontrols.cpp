#include "fakecameracontrols.h"

void FakeCameraControl::setState(QCamera::State state)
{
    if (state == m_state)
        return;
    m_state = state;
    switch (state) {
    case QCamera::ActiveState:
        m_status = QCamera::ActiveStatus;
        break;
    case QCamera::LoadedState:
        m_status = QCamera::LoadedStatus;
        break;
    case QCamera::UnloadedState:
        m_status = QCamera::UnloadedStatus;
        break;
    }
    emit stateChanged(m_state);
    emit statusChanged(m_status);
}

int FakeImageCaptureControl::capture(const QString &)
{
    const int count = property("captureCount").toInt() + 1;
    setProperty("captureCount", count);
    return count;
}

QList<QSize> FakeImageEncoderControl::supportedResolutions(const QImageEncoderSettings &, bool *continuous) const
{
    if (continuous)
        *continuous = true;
    return {QSize(640, 480), QSize(1280, 960), QSize(2592, 1944)};
}

void FakeImageEncoderControl::setImageSettings(const QImageEncoderSettings &settings)
{
    m_settings = settings;
    setProperty("settingsCount", property("settingsCount").toInt() + 1);
}

void FakeFlashControl::setFlashMode(QCameraExposure::FlashModes mode)
{
    if (isFlashModeSupported(mode))
        m_mode = mode;
}

void FakeFocusControl::setFocusMode(QCameraFocus::FocusModes mode)
{
    if (!isFocusModeSupported(mode) || mode == m_mode)
        return;
    m_mode = mode;
    emit focusModeChanged(mode);
}

bool FakeFocusControl::isFocusModeSupported(QCameraFocus::FocusModes mode) const
{
    return mode == QCameraFocus::AutoFocus || mode == QCameraFocus::MacroFocus || mode == QCameraFocus::ContinuousFocus;
}

void FakeLocksControl::searchAndLock(QCamera::LockTypes)
{
    m_status = QCamera::Searching;
    emit lockStatusChanged(QCamera::LockFocus, m_status, QCamera::UserRequest);
}

void FakeLocksControl::unlock(QCamera::LockTypes)
{
    m_status = QCamera::Unlocked;
    emit lockStatusChanged(QCamera::LockFocus, m_status, QCamera::UserRequest);
}

void FakeLocksControl::finishSearch(int status, int reason)
{
    m_status = QCamera::LockStatus(status);
    emit lockStatusChanged(QCamera::LockFocus, m_status, QCamera::LockChangeReason(reason));
}
