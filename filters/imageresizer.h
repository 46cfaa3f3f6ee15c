#pragma once

#include <QObject>
#include <QString>

/**
 * Makes the screen-size copy "init.jpg" of a picked photo (shorter side 960)
 * on a worker thread and reports the photo's full size.
 */
class ImageResizer : public QObject
{
    Q_OBJECT
public:
    explicit ImageResizer(const QString &path, QObject *parent = nullptr);

Q_SIGNALS:
    void resizeBeforeZoomCropCompleted(int width, int height);
    void finished();

private Q_SLOTS:
    void doResizeBeforeZoomCrop();

private:
    QString m_path;
};
