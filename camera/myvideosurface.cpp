#include "camera/myvideosurface.h"

#include "camera/videoif.h"

#include <QMutexLocker>
#include <QVideoSurfaceFormat>

MyVideoSurface::MyVideoSurface(VideoIF *sink, QObject *parent)
    : QAbstractVideoSurface(parent)
    , m_sink(sink)
{
}

QList<QVideoFrame::PixelFormat> MyVideoSurface::supportedPixelFormats(QAbstractVideoBuffer::HandleType handleType) const
{
    if (handleType != QAbstractVideoBuffer::NoHandle)
        return {};
    return {QVideoFrame::Format_RGB32, QVideoFrame::Format_ARGB32, QVideoFrame::Format_ARGB32_Premultiplied,
            QVideoFrame::Format_RGB565, QVideoFrame::Format_RGB555};
}

bool MyVideoSurface::start(const QVideoSurfaceFormat &format)
{
    const QImage::Format imageFormat = QVideoFrame::imageFormatFromPixelFormat(format.pixelFormat());
    const QSize size = format.frameSize();
    if (imageFormat == QImage::Format_Invalid || size.width() < 1 || size.height() < 1)
        return false;
    {
        QMutexLocker lock(&m_mutex);
        m_imageFormat = imageFormat;
    }
    return QAbstractVideoSurface::start(format);
}

void MyVideoSurface::stop()
{
    {
        QMutexLocker lock(&m_mutex);
        m_currentFrame = QVideoFrame();
    }
    QAbstractVideoSurface::stop();
}

bool MyVideoSurface::present(const QVideoFrame &frame)
{
    if (!isActive()) {
        setError(StoppedError);
        return false;
    }
    const QVideoSurfaceFormat format = surfaceFormat();
    if (frame.pixelFormat() != format.pixelFormat() || frame.size() != format.frameSize()) {
        setError(IncorrectFormatError);
        stop();
        return false;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_currentFrame = frame;
    }
    m_sink->updateVideo();
    return true;
}

QVideoFrame MyVideoSurface::currentFrame() const
{
    QMutexLocker lock(&m_mutex);
    return m_currentFrame;
}

QImage::Format MyVideoSurface::imageFormat() const
{
    QMutexLocker lock(&m_mutex);
    return m_imageFormat;
}
