#pragma once

#include <QThread>

/**
 * Deletes files that have aged past their folder's limit from the cache
 * folders, on a low-priority thread of its own; deletes itself when done.
 * Only plain files directly in those folders are looked at: sub-folders and
 * links are left alone, so pruning never reaches outside the cache.
 */
class CachePruner : public QThread
{
    Q_OBJECT
public:
    explicit CachePruner(QObject *parent = nullptr);

protected:
    void run() override;
};
