#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QVariant>

/**
 * Turns a photo into the editor's square working images "source.jpg" (final
 * size) and "source_preview.jpg" (480): straight from a camera picture, or
 * through a screen-size copy and the user's zoom, crop and quarter turns,
 * reporting the black bars where the crop leaves the photo.
 */
class ImageProcessor : public QObject
{
    Q_OBJECT
public:
    explicit ImageProcessor(QObject *parent = nullptr);

    Q_INVOKABLE void process(QString path, double gapRatio, bool portraitMode);
    Q_INVOKABLE void processImage(QImage image, double gapRatio, bool portraitMode);
    Q_INVOKABLE void resizeBeforeZoomCrop(QString path);
    Q_INVOKABLE QVariant zoomCrop(int x, int y, int width, int height, int rotation);
    Q_INVOKABLE int getSourceWidth();
    Q_INVOKABLE int getSourceHeight();

Q_SIGNALS:
    void onResizeBeforeZoomCropCompleted(int width, int height);

private Q_SLOTS:
    void resizeBeforeZoomCropCompleted(int width, int height);

private:
    // Cuts the square out of image and writes both sources; false when a
    // source could not be written.
    bool writeSources(const QImage &image, double gapRatio, bool portraitMode);
    // Draws the crop into an S x S canvas and writes it; returns the two bars
    // (absent bars are null rectangles), turned with the rotation.
    QPair<QRect, QRect> renderCrop(const QImage &photo, const QRect &crop, int rotation, int side, bool preview,
                                   const QString &path);

    QString m_sourcePath;
    int m_sourceWidth = 0;
    int m_sourceHeight = 0;
};
