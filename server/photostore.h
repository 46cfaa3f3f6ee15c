#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

/**
 * The picture files of the service: each photo is cut to a square and kept
 * in the four sizes the app shows ("thumb" 150, "small" 320, "medium" 480,
 * "large" 800 pixels) under <data>/photos/<code>/<size>.jpg. Badge pictures
 * are drawn on first use under <data>/badges/.
 */
class PhotoStore
{
public:
    explicit PhotoStore(const QString &dataFolder);

    static const QStringList &sizeNames();
    static int sizeInPixels(const QString &sizeName);

    enum Result { Stored, NotAPicture, WriteFailed };

    // Decodes `encoded` and writes every size. Nothing of the photo stays
    // on disk unless every size was written.
    Result store(const QString &code, const QByteArray &encoded);
    Result store(const QString &code, const QImage &image);
    void remove(const QString &code);
    // Path of an existing size of the photo, or empty.
    QString path(const QString &code, const QString &sizeName) const;
    // PNG of a round badge in that colour, drawn once; empty on failure.
    QString badgePath(int badgeId, const QString &colour, int pixels);

private:
    QString m_folder;
};
