#pragma once

#include "camera/photomodel.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

/**
 * Keeps the gallery model (photomodel) in step with the user's picture
 * folder: scanned recursively off the GUI thread, and scanned again shortly
 * after any of its folders changes.
 */
class PhotoModelBuilder : public QObject
{
    Q_OBJECT
public:
    // The builder of the user's picture folder, made on first use.
    static PhotoModelBuilder *getInstance();

    explicit PhotoModelBuilder(const QString &rootPath, QObject *parent = nullptr);
    ~PhotoModelBuilder() override;

    PhotoModel *model() { return &m_model; }

public slots:
    // Something below the folder changed: scan again once things settle.
    void changed(const QString &path);

private:
    struct Listing {
        QVector<PhotoModel::Photo> photos;
        QStringList folders;
    };

    static Listing scan(const QString &rootPath);
    void startScan();
    void onScanFinished();
    // True when a folder was not watched before.
    bool watch(const QStringList &folders);

    QString m_rootPath;
    PhotoModel m_model;
    QFileSystemWatcher m_watcher;
    QTimer m_settleTimer;
    QFutureWatcher<Listing> m_scan;
    bool m_rescanWanted = false;
};
