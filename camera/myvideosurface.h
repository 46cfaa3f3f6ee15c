#pragma once

#include <QAbstractVideoSurface>
#include <QImage>
#include <QMutex>
#include <QVideoFrame>

class VideoIF;

/**
 * Viewfinder surface: keeps the newest frame for the camera item to paint
 * straight from frame memory. present() may run on the platform's video
 * thread, so the frame is guarded and the sink only asked to repaint.
 */
class MyVideoSurface : public QAbstractVideoSurface
{
    Q_OBJECT
public:
    MyVideoSurface(VideoIF *sink, QObject *parent = nullptr);

    QList<QVideoFrame::PixelFormat> supportedPixelFormats(
        QAbstractVideoBuffer::HandleType handleType = QAbstractVideoBuffer::NoHandle) const override;
    bool start(const QVideoSurfaceFormat &format) override;
    void stop() override;
    bool present(const QVideoFrame &frame) override;

    QVideoFrame currentFrame() const;
    QImage::Format imageFormat() const;

private:
    VideoIF *m_sink;
    mutable QMutex m_mutex;
    QVideoFrame m_currentFrame;
    QImage::Format m_imageFormat = QImage::Format_Invalid;
};
