#pragma once

#include "service/tavoimageinfo.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QTimer;

/**
 * The photos waiting to be posted, each kept in a folder of its own under
 * ".TAVIRO/queues", uploaded one at a time, oldest first, through the
 * service controller. Transient failures are retried with growing pauses;
 * a photo the service refuses stays queued as failed, with the reason,
 * until the user retries or removes it, and the photos behind it go on.
 */
class UploaderQueueModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        FolderCodeRole = 86,
        UploadStateRole,
        FailureReasonRole,
        BytesSentRole,
        BytesTotalRole,
    };
    enum class State { Queued, Uploading, Retrying, Failed };

    static constexpr int StartDelayMs = 500;
    static constexpr int FirstRetryDelayMs = 2000;
    static constexpr int MaxRetryDelayMs = 5 * 60 * 1000;

    explicit UploaderQueueModel(QObject *parent = nullptr);
    ~UploaderQueueModel() override;

    static UploaderQueueModel *getInstance();
    static void setInstance(UploaderQueueModel *instance);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE void loadQueues();
    Q_INVOKABLE int getQueueCount();
    Q_INVOKABLE QString getQueueMiniImagePath(QString folderCode);
    Q_INVOKABLE QString getQueueThumbImagePath(QString folderCode);
    Q_INVOKABLE void appendImageFileToQueue(QString filename, QVariant imageInfo);
    Q_INVOKABLE void removeQueueFromFolderCode(QString aFolderCode);
    Q_INVOKABLE void removeQueue(int queueIndex);
    Q_INVOKABLE void removeAllQueues();

    // "queued", "uploading", "retrying" or "failed"; empty for no entry.
    Q_INVOKABLE QString getQueueState(int queueIndex);
    // Why the entry failed (or why the last attempt did); empty otherwise.
    Q_INVOKABLE QString getQueueFailureReason(int queueIndex);
    // Puts a failed entry back in line; it uploads in its turn.
    Q_INVOKABLE void retryQueue(int queueIndex);

signals:
    void imageUploaded();
    // appendImageFileToQueue could not queue the photo.
    void queueingFailed(QString reason);

public slots:
    void onQueueStartTimerTimeOut();
    void onTaviroServiceDataReceived(QVariant success, QVariant data);
    void onTaviroServiceError(QVariant statusCode, QVariant message);

private:
    struct Entry
    {
        TavoImageInfo info;
        State state = State::Queued;
        QString reason;
        qint64 bytesSent = 0;
        qint64 bytesTotal = 0;
    };

    void armStartTimer();
    int uploadingIndex() const;
    int nextIndex() const;
    void cancelRunningUpload();
    // Drops the entry and its folder; returns its code.
    QString takeEntry(int index);
    void announceCanceled(const QStringList &codes);
    void attemptFailed(bool transient, const QString &reason);
    void setEntryState(int index, State state, const QString &reason);
    void uploadProgress(int transactionId, qint64 bytesSent, qint64 bytesTotal);

    QList<Entry> m_entries;
    bool m_uploading = false;
    int m_currentTransactionId = 0;
    int m_retryDelayMs = 0;
    QTimer *m_startTimer = nullptr;
};
