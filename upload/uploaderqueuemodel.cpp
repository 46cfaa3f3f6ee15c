#include "upload/uploaderqueuemodel.h"

#include "app/globalservices.h"
#include "app/usermanager.h"
#include "service/taviroservicecontroller.h"
#include "upload/queuefolder.h"
#include "upload/uploadlog.h"

#include <QDir>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

UploaderQueueModel *s_instance = nullptr;

// Worth trying again by themselves: no answer, a timeout, too many
// requests, a fault on the service's side.
bool isTransient(int status)
{
    return status == 0 || status == 408 || status == 429 || (status >= 500 && status < 600);
}

QString stateName(UploaderQueueModel::State state)
{
    switch (state) {
    case UploaderQueueModel::State::Queued:
        return QStringLiteral("queued");
    case UploaderQueueModel::State::Uploading:
        return QStringLiteral("uploading");
    case UploaderQueueModel::State::Retrying:
        return QStringLiteral("retrying");
    case UploaderQueueModel::State::Failed:
        return QStringLiteral("failed");
    }
    return QString();
}

} // namespace

UploaderQueueModel::UploaderQueueModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_startTimer(new QTimer(this))
{
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(StartDelayMs);
    connect(m_startTimer, &QTimer::timeout, this, &UploaderQueueModel::onQueueStartTimerTimeOut);
    QDir().mkpath(QueueFolder::root());
}

UploaderQueueModel::~UploaderQueueModel()
{
    m_startTimer->stop();
    if (s_instance == this)
        s_instance = nullptr;
}

UploaderQueueModel *UploaderQueueModel::getInstance()
{
    return s_instance;
}

void UploaderQueueModel::setInstance(UploaderQueueModel *instance)
{
    s_instance = instance;
}

int UploaderQueueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

QVariant UploaderQueueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const Entry &entry = m_entries.at(index.row());
    switch (role) {
    case FolderCodeRole:
        return entry.info.folderCode;
    case UploadStateRole:
        return stateName(entry.state);
    case FailureReasonRole:
        return entry.reason;
    case BytesSentRole:
        return entry.bytesSent;
    case BytesTotalRole:
        return entry.bytesTotal;
    default:
        // Qt's own display roles (all below 32) stay empty, as views expect;
        // any other role is 0.
        return role < 32 ? QVariant() : QVariant(0);
    }
}

QHash<int, QByteArray> UploaderQueueModel::roleNames() const
{
    return {
        {FolderCodeRole, "folder_code"},
        {UploadStateRole, "upload_state"},
        {FailureReasonRole, "failure_reason"},
        {BytesSentRole, "bytes_sent"},
        {BytesTotalRole, "bytes_total"},
    };
}

void UploaderQueueModel::armStartTimer()
{
    if (!m_startTimer->isActive())
        m_startTimer->start(StartDelayMs);
}

int UploaderQueueModel::uploadingIndex() const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).state == State::Uploading)
            return i;
    }
    return -1;
}

int UploaderQueueModel::nextIndex() const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).state == State::Queued || m_entries.at(i).state == State::Retrying)
            return i;
    }
    return -1;
}

void UploaderQueueModel::loadQueues()
{
    if (!UserManager::getInstance()->isLoggedIn())
        return;
    QueueFolder::removeLeftovers();
    beginResetModel();
    for (const QString &code : QueueFolder::listOldestFirst()) {
        const bool listed = std::any_of(m_entries.cbegin(), m_entries.cend(),
                                        [&code](const Entry &entry) { return entry.info.folderCode == code; });
        if (listed)
            continue;
        Entry entry;
        if (!QueueFolder::read(code, &entry.info)) {
            qCDebug(lcUpload) << "not a complete queue entry, left on disk:" << code;
            continue;
        }
        m_entries.append(entry);
    }
    endResetModel();
    if (GlobalServices *hub = GlobalServices::getInstance())
        hub->emitUploadingQueueChanged();
    armStartTimer();
}

int UploaderQueueModel::getQueueCount()
{
    return m_entries.size();
}

QString UploaderQueueModel::getQueueMiniImagePath(QString folderCode)
{
    return QStringLiteral("image://imageprovider/") + QStringLiteral(".TAVIRO/") + QStringLiteral("queues")
        + QLatin1Char('/') + folderCode + QStringLiteral("/mini.jpg");
}

QString UploaderQueueModel::getQueueThumbImagePath(QString folderCode)
{
    return QStringLiteral("image://imageprovider/") + QStringLiteral(".TAVIRO/") + QStringLiteral("queues")
        + QLatin1Char('/') + folderCode + QStringLiteral("/thumb.jpg");
}

void UploaderQueueModel::appendImageFileToQueue(QString filename, QVariant imageInfo)
{
    // QML may hand over a file URL as well as a path.
    if (filename.startsWith(QLatin1String("file:")))
        filename = QUrl(filename).toLocalFile();
    Entry entry;
    QString error;
    if (!QueueFolder::create(filename, imageInfo.toMap(), &entry.info, &error)) {
        qCDebug(lcUpload) << "not queued:" << error;
        emit queueingFailed(error);
        return;
    }
    beginResetModel();
    m_entries.append(entry);
    endResetModel();
    if (GlobalServices *hub = GlobalServices::getInstance())
        hub->emitUploadingQueueChanged();
    armStartTimer();
}

void UploaderQueueModel::removeQueueFromFolderCode(QString aFolderCode)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).info.folderCode == aFolderCode) {
            removeQueue(i);
            return;
        }
    }
}

void UploaderQueueModel::cancelRunningUpload()
{
    if (!m_uploading)
        return;
    m_uploading = false;
    if (TAVIROServiceController *controller = TAVIROServiceController::getInstance())
        controller->cancelTransactionByTransactionID(m_currentTransactionId);
}

QString UploaderQueueModel::takeEntry(int index)
{
    const Entry entry = m_entries.takeAt(index);
    // The pause before a retry belonged to that entry.
    if (entry.state == State::Retrying) {
        m_retryDelayMs = 0;
        m_startTimer->stop();
    }
    if (!QueueFolder::remove(entry.info.folderCode))
        qCDebug(lcUpload) << "queue folder not removed:" << entry.info.folderCode;
    return entry.info.folderCode;
}

void UploaderQueueModel::announceCanceled(const QStringList &codes)
{
    GlobalServices *hub = GlobalServices::getInstance();
    for (const QString &code : codes) {
        if (hub) {
            hub->emitUploadingQueueCanceled(code);
            hub->emitUploadingQueueChanged();
        }
    }
}

void UploaderQueueModel::removeQueue(int queueIndex)
{
    if (queueIndex < 0 || queueIndex >= m_entries.size())
        return;
    if (m_entries.at(queueIndex).state == State::Uploading)
        cancelRunningUpload();
    beginResetModel();
    const QString code = takeEntry(queueIndex);
    endResetModel();
    announceCanceled({code});
    armStartTimer();
}

void UploaderQueueModel::removeAllQueues()
{
    cancelRunningUpload();
    beginResetModel();
    QStringList codes;
    while (!m_entries.isEmpty())
        codes << takeEntry(0);
    endResetModel();
    announceCanceled(codes);
    armStartTimer();
}

QString UploaderQueueModel::getQueueState(int queueIndex)
{
    return queueIndex >= 0 && queueIndex < m_entries.size() ? stateName(m_entries.at(queueIndex).state) : QString();
}

QString UploaderQueueModel::getQueueFailureReason(int queueIndex)
{
    return queueIndex >= 0 && queueIndex < m_entries.size() ? m_entries.at(queueIndex).reason : QString();
}

void UploaderQueueModel::retryQueue(int queueIndex)
{
    if (queueIndex < 0 || queueIndex >= m_entries.size() || m_entries.at(queueIndex).state != State::Failed)
        return;
    setEntryState(queueIndex, State::Queued, QString());
    armStartTimer();
}

void UploaderQueueModel::setEntryState(int index, State state, const QString &reason)
{
    Entry &entry = m_entries[index];
    entry.state = state;
    entry.reason = reason;
    if (state != State::Uploading) {
        entry.bytesSent = 0;
        entry.bytesTotal = 0;
    }
    const QModelIndex changed = this->index(index);
    emit dataChanged(changed, changed, {UploadStateRole, FailureReasonRole, BytesSentRole, BytesTotalRole});
    if (state != State::Uploading) {
        if (GlobalServices *hub = GlobalServices::getInstance())
            hub->emitUploadingQueueChanged();
    }
}

void UploaderQueueModel::onQueueStartTimerTimeOut()
{
    if (m_uploading)
        return;
    const int index = nextIndex();
    if (index < 0)
        return;
    const TavoImageInfo &info = m_entries.at(index).info;
    // Never an empty photo: an entry whose file went away fails here, with
    // the reason, and the ones behind it go on.
    const QString problem = QueueFolder::photoProblem(info.imagePath);
    if (!problem.isEmpty()) {
        setEntryState(index, State::Failed, problem);
        armStartTimer();
        return;
    }
    TAVIROServiceController *controller = TAVIROServiceController::getInstance();
    if (!controller) {
        qCDebug(lcUpload) << "no service controller to upload through";
        return;
    }
    connect(controller, &TAVIROServiceController::uploadProgressUpdated, this, &UploaderQueueModel::uploadProgress,
            Qt::UniqueConnection);
    m_uploading = true;
    setEntryState(index, State::Uploading, m_entries.at(index).reason);
    m_currentTransactionId = controller->uploadTavoImage(info, this);
}

void UploaderQueueModel::uploadProgress(int transactionId, qint64 bytesSent, qint64 bytesTotal)
{
    const int index = uploadingIndex();
    if (!m_uploading || transactionId != m_currentTransactionId || index < 0)
        return;
    m_entries[index].bytesSent = bytesSent;
    m_entries[index].bytesTotal = bytesTotal;
    const QModelIndex changed = this->index(index);
    emit dataChanged(changed, changed, {BytesSentRole, BytesTotalRole});
}

void UploaderQueueModel::onTaviroServiceDataReceived(QVariant success, QVariant data)
{
    Q_UNUSED(success)
    const int index = uploadingIndex();
    if (!m_uploading || index < 0)
        return;
    const QVariantMap answer = QJsonDocument::fromJson(data.toByteArray()).toVariant().toMap();
    if (answer.value(QStringLiteral("success")).toBool() != true) {
        const QString reason = answer.value(QStringLiteral("reason")).toString();
        attemptFailed(false, reason.isEmpty() ? tr("The service did not accept the photo.") : reason);
        return;
    }

    m_uploading = false;
    m_retryDelayMs = 0;
    beginResetModel();
    const QString code = m_entries.takeAt(index).info.folderCode;
    endResetModel();
    if (!QueueFolder::remove(code))
        qCDebug(lcUpload) << "uploaded, but its folder stays:" << code;
    emit imageUploaded();
    if (GlobalServices *hub = GlobalServices::getInstance()) {
        hub->emitImageUploaded();
        hub->emitUploadingQueueChanged();
        hub->emitTimelineRefreshRequested();
        hub->emitProfileRefreshRequested();
    }
    armStartTimer();
}

void UploaderQueueModel::onTaviroServiceError(QVariant statusCode, QVariant message)
{
    if (!m_uploading || uploadingIndex() < 0)
        return;
    const int status = statusCode.toInt();
    QString reason = message.toString();
    if (reason.isEmpty())
        reason = status ? tr("The service answered %1.").arg(status) : tr("The service cannot be reached.");
    attemptFailed(isTransient(status), reason);
}

void UploaderQueueModel::attemptFailed(bool transient, const QString &reason)
{
    const int index = uploadingIndex();
    m_uploading = false;
    if (transient) {
        m_retryDelayMs = m_retryDelayMs ? std::min(2 * m_retryDelayMs, MaxRetryDelayMs) : FirstRetryDelayMs;
        qCDebug(lcUpload) << "upload failed, next try in" << m_retryDelayMs << "ms:" << reason;
        setEntryState(index, State::Retrying, reason);
        m_startTimer->start(m_retryDelayMs);
        return;
    }
    // The service answered, so the line works: the entries behind go on.
    m_retryDelayMs = 0;
    qCDebug(lcUpload) << "upload refused:" << reason;
    setEntryState(index, State::Failed, reason);
    armStartTimer();
}
