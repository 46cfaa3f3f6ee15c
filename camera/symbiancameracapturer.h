#pragma once

#include <QQuickItem>

/**
 * Invisible item that forwards hardware key presses and releases while it
 * has focus, so the camera page can map keys to focusing and capture.
 * Automatic repeats of a held key are swallowed.
 */
class SymbianCameraCapturer : public QQuickItem
{
    Q_OBJECT
public:
    explicit SymbianCameraCapturer(QQuickItem *parent = nullptr);

public slots:
    // Kept for QML; forwarding depends on focus alone.
    void startCaptureKeys();
    void stopCaptureKeys();

signals:
    void focusKeyPressed();
    void shutterKeyPressed();
    void focusKeyReleased();
    void keyPressed(int key);
    void keyReleased(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
