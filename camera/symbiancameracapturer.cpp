#include "camera/symbiancameracapturer.h"

#include <QKeyEvent>

SymbianCameraCapturer::SymbianCameraCapturer(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void SymbianCameraCapturer::startCaptureKeys()
{
}

void SymbianCameraCapturer::stopCaptureKeys()
{
}

void SymbianCameraCapturer::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    if (!event->isAutoRepeat())
        emit keyPressed(event->key());
}

void SymbianCameraCapturer::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (!event->isAutoRepeat())
        emit keyReleased(event->key());
}
