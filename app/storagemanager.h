#pragma once

#include <QObject>
#include <QString>

/** Copies the editor's processed photo into the gallery folder; deletes files. */
class StorageManager : public QObject
{
    Q_OBJECT
public:
    explicit StorageManager(QObject *parent = nullptr);

    Q_INVOKABLE bool isMemoryCardAvailable();
    Q_INVOKABLE void saveProcessedImageToGallery(bool inMemoryCard);
    Q_INVOKABLE void saveProcessedImageToGallery();
    Q_INVOKABLE void deleteFile(QString filepath);

    // The user's picture folder + "/TAVIRO".
    static QString galleryFolder();
    // The first free name of the form S.jpg, S_0.jpg, S_1.jpg, ... in folder.
    static QString freeGalleryName(const QString &folder, qint64 stamp);
};
