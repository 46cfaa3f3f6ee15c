#pragma once

#include <QByteArray>
#include <QString>

/**
 * Replaces the feed models' save files off the GUI thread, one file at a
 * time and in the order asked, so that a slow disk never stalls a view.
 * A file is replaced whole: a reader or a crash finds the old content or the
 * new, never a mix.
 */
class SaveFileWriter
{
public:
    // Queues the replacement of the file (a path relative to the current
    // working directory at the time of the call) by the bytes.
    static void write(const QString &path, const QByteArray &bytes);

    // Blocks until every queued replacement is done.
    static void waitForWrites();
};
