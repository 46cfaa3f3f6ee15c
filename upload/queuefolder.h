#pragma once

#include "service/tavoimageinfo.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

/**
 * One queued photo on disk: the folder ".TAVIRO/queues/<code>/" with
 * "details.txt" (18 lines), "save.jpg", "thumb.jpg" and "mini.jpg".
 * A folder is written aside under a hidden name and renamed into place,
 * so a crash while queueing never leaves a half entry under a code.
 */
class QueueFolder
{
public:
    static QString root();
    static QString path(const QString &code);
    static QString photoPath(const QString &code);

    // Writes the entry for the photo file `source`; false with a reason
    // when nothing could be queued. Fills entry, code included.
    static bool create(const QString &source, const QVariantMap &imageInfo, TavoImageInfo *entry, QString *error);
    // Reads a folder written by create (or an earlier version of the app);
    // false when it lacks a readable details file or photo.
    static bool read(const QString &code, TavoImageInfo *entry);
    // Folder codes in upload order: oldest first.
    static QStringList listOldestFirst();
    // Removes the folder; links inside are removed, never followed.
    static bool remove(const QString &code);
    // Folders a crash left half written.
    static void removeLeftovers();
    // Why the photo of an entry cannot be sent; empty when it can.
    static QString photoProblem(const QString &photoPath);

    static QByteArray detailsText(const TavoImageInfo &entry);

private:
    static QString uniqueCode();
};
