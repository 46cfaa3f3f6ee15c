#include "models/notificationsmodel.h"

#include "models/jsonrows.h"
#include "models/modelslog.h"
#include "models/roletable.h"
#include "models/savefilewriter.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <limits>

namespace {

// A count as an answer sends it: never below 0 and never past what an int
// holds, whatever the number (or text) was.
int countFrom(const QVariant &value)
{
    const double number = value.toDouble();
    return number >= 1 ? int(std::min(number, double(std::numeric_limits<int>::max()))) : 0;
}

NotificationsModel *s_instance = nullptr;

// Index order of the lists: the answer's "type" names and the saved file's keys.
const std::array<QString, NotificationsModel::kListCount> kListNames{
    QStringLiteral("all"), QStringLiteral("loved"), QStringLiteral("commented"), QStringLiteral("badged"),
    QStringLiteral("followed")};
const std::array<QString, NotificationsModel::kListCount> kSavedKeys{
    QStringLiteral("all"), QStringLiteral("love"), QStringLiteral("comment"), QStringLiteral("badged"),
    QStringLiteral("follow")};
constexpr int kAll = 0;
constexpr int kFollowed = 4;

constexpr int kFollowing = 4;
constexpr int kFollowRequest = 7;
constexpr int kFollowRequestRejected = 8;
constexpr int kFollowRequestSummary = 9;

constexpr int kIsLoadMoreRole = 65;
constexpr int kIsNewRole = 74;

const QString kId = QStringLiteral("id");
const QString kPinned = QStringLiteral("pinned");
const QString kText = QStringLiteral("text");
const QString kType = QStringLiteral("notification_type");
const QString kPictureInfo = QStringLiteral("picture_info");

const RoleTable &notificationRoles()
{
    static const RoleTable roles{
        {33, "picture_info", "picture_info", RoleKind::FirstObject},
        {37, "user_id", "user_id", RoleKind::Integer},
        {38, "username", "username", RoleKind::Text},
        {40, "profile_picture_code", "profile_picture_code", RoleKind::Text},
        {43, "picture_code", "picture_code", RoleKind::Text},
        {62, "timestamp", "timestamp", RoleKind::Text},
        {63, "pinned", "pinned", RoleKind::Flag},
        {64, "notificationText", "text", RoleKind::Text},
        {kIsLoadMoreRole, "isLoadMore", nullptr, RoleKind::Model},
        {66, "notificationType", "notification_type", RoleKind::Integer},
        {67, "follow", "follow", RoleKind::Flag},
        {69, "be_followed", "be_followed", RoleKind::Flag},
        {70, "action_user_id", "action_user_id", RoleKind::Integer},
        {71, "action", "action", RoleKind::Integer},
        {72, "badge_info", "badge_info", RoleKind::FirstObject},
        {73, "url", "url", RoleKind::Text},
        {kIsNewRole, "is_new", nullptr, RoleKind::Model},
    };
    return roles;
}

int listIndexOf(const QString &listName)
{
    const auto it = std::find(kListNames.cbegin(), kListNames.cend(), listName);
    return it == kListNames.cend() ? -1 : int(it - kListNames.cbegin());
}

bool isPinned(const QVariant &row)
{
    return row.toMap().value(kPinned).toBool();
}

int typeOf(const QVariantMap &row)
{
    return row.value(kType).toInt();
}

} // namespace

NotificationsModel::NotificationsModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

NotificationsModel::~NotificationsModel()
{
    if (s_instance == this)
        s_instance = nullptr;
}

NotificationsModel *NotificationsModel::getInstance()
{
    return s_instance;
}

void NotificationsModel::setInstance(NotificationsModel *instance)
{
    s_instance = instance;
}

bool NotificationsModel::currentListValid() const
{
    return m_listIndex >= 0 && m_listIndex < kListCount;
}

const QVariantList &NotificationsModel::list(int listIndex) const
{
    static const QVariantList none;
    return listIndex >= 0 && listIndex < kListCount ? m_lists[listIndex] : none;
}

int NotificationsModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !currentListValid())
        return 0;
    return m_lists[m_listIndex].size();
}

QVariant NotificationsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role < kFirstFeedRole)
        return {};
    if (!currentListValid())
        return 0;
    const QVariantList &rows = m_lists[m_listIndex];
    const int row = index.row();
    if (row >= rows.size())
        return role == kIsLoadMoreRole ? QVariant(row == rows.size()) : QVariant(QString());

    const RoleTable::Role *entry = notificationRoles().find(role);
    if (!entry)
        return row;
    if (role == kIsLoadMoreRole)
        return false;
    if (role == kIsNewRole)
        return JsonRows::idOf(rows.at(row), kId) > m_lastReadNotificationId;
    return RoleTable::read(rows.at(row).toMap(), *entry);
}

QHash<int, QByteArray> NotificationsModel::roleNames() const
{
    return notificationRoles().names();
}

void NotificationsModel::setIsRefreshing(bool isRefreshing)
{
    if (m_isRefreshing == isRefreshing)
        return;
    m_isRefreshing = isRefreshing;
    emit isRefreshingChanged(isRefreshing);
}

void NotificationsModel::setIsLoadingMore(bool isLoadingMore)
{
    if (m_isLoadingMore == isLoadingMore)
        return;
    m_isLoadingMore = isLoadingMore;
    emit isLoadingMoreChanged(isLoadingMore);
}

void NotificationsModel::setLastReadNotificationId(int lastReadNotificationId)
{
    if (m_lastReadNotificationId == lastReadNotificationId)
        return;
    m_lastReadNotificationId = lastReadNotificationId;
    emit lastReadNotificationIdChanged(lastReadNotificationId);
    // Every row's is_new depends on it.
    announceLayoutChange();
}

bool NotificationsModel::parseJSON(QByteArray data, bool loadMore)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer))
        return false;

    beginResetModel();
    m_stats = answer.value(QStringLiteral("stats")).toMap();
    m_followRequestCount = countFrom(m_stats.value(QStringLiteral("follow_request_count")));

    // Pinned rows are always sent again; the old copies go.
    for (QVariantList &rows : m_lists)
        rows.erase(std::remove_if(rows.begin(), rows.end(), isPinned), rows.end());

    for (const QVariant &element : JsonRows::objects(answer.value(QStringLiteral("data")))) {
        const QVariantMap group = element.toMap();
        const int listIndex = listIndexOf(group.value(QStringLiteral("type")).toString());
        if (listIndex < 0)
            continue;
        const QVariantList records = JsonRows::objects(group.value(QStringLiteral("result")));
        QVariantList &rows = m_lists[listIndex];
        rows = loadMore ? rows + records : records + rows;
    }

    // Each pinned row moves to the top in turn, so the last one met ends first.
    for (QVariantList &rows : m_lists) {
        QVariantList pinned;
        QVariantList others;
        others.reserve(rows.size());
        for (const QVariant &row : qAsConst(rows)) {
            if (isPinned(row))
                pinned.prepend(row);
            else
                others.append(row);
        }
        if (!pinned.isEmpty())
            rows = pinned + others;
    }
    endResetModel();
    return true;
}

bool NotificationsModel::parseJSON(QByteArray data)
{
    return parseJSON(data, false);
}

void NotificationsModel::saveJSON()
{
}

void NotificationsModel::loadJSON()
{
}

void NotificationsModel::clear()
{
    beginResetModel();
    for (QVariantList &rows : m_lists)
        rows.clear();
    endResetModel();
}

int NotificationsModel::getNewestId(QString listName)
{
    const int listIndex = listIndexOf(listName);
    if (listIndex < 0)
        return 0;
    const bool skipPinned = listIndex == kAll || listIndex == kFollowed;
    for (const QVariant &row : m_lists[listIndex]) {
        if (!skipPinned || !isPinned(row))
            return int(JsonRows::idOf(row, kId));
    }
    return 0;
}

int NotificationsModel::getOldestId(QString listName)
{
    const int listIndex = listIndexOf(listName);
    if (listIndex < 0)
        return 0;
    const bool skipPinned = listIndex == kAll;
    const QVariantList &rows = m_lists[listIndex];
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        if (!skipPinned || !isPinned(*row))
            return int(JsonRows::idOf(*row, kId));
    }
    return 0;
}

int NotificationsModel::getStats(QString listName)
{
    return m_stats.value(listName).toInt();
}

void NotificationsModel::switchListIndex(int listIndex)
{
    beginResetModel();
    m_listIndex = listIndex;
    endResetModel();
}

void NotificationsModel::switchListIndex(int listIndex, int contentY)
{
    if (currentListValid())
        m_contentY[m_listIndex] = contentY;
    switchListIndex(listIndex);
}

bool NotificationsModel::isBlank()
{
    return std::all_of(m_lists.cbegin(), m_lists.cend(), [](const QVariantList &rows) { return rows.isEmpty(); });
}

int NotificationsModel::getContentY(int listIndex)
{
    return listIndex >= 0 && listIndex < kListCount ? m_contentY[listIndex] : 0;
}

void NotificationsModel::markAllAsRead()
{
    int lastRead = m_lastReadNotificationId;
    for (const QString &listName : kListNames)
        lastRead = std::max(lastRead, getNewestId(listName));
    for (const char *key : {"total_count", "love_count", "comment_count", "badge_count", "follow_count"})
        m_stats.insert(QLatin1String(key), 0);
    setLastReadNotificationId(lastRead);
}

void NotificationsModel::saveNotifications()
{
    QVariantMap saved;
    for (int listIndex = 0; listIndex < kListCount; ++listIndex)
        saved.insert(kSavedKeys[listIndex], m_lists[listIndex].mid(0, kSavedRows));
    SaveFileWriter::write(QStringLiteral("notifications.sav"),
                          QJsonDocument::fromVariant(saved).toJson(QJsonDocument::Compact));
}

bool NotificationsModel::loadNotifications()
{
    SaveFileWriter::waitForWrites();
    QFile file(QStringLiteral("notifications.sav"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qCDebug(lcModels) << "ignoring unreadable notifications.sav" << error.errorString();
        return false;
    }
    const QVariantMap saved = document.toVariant().toMap();
    beginResetModel();
    for (int listIndex = 0; listIndex < kListCount; ++listIndex)
        m_lists[listIndex] = JsonRows::objects(saved.value(kSavedKeys[listIndex]));
    endResetModel();
    return true;
}

bool NotificationsModel::isLoading()
{
    return false;
}

int NotificationsModel::getOldestId()
{
    return 0;
}

int NotificationsModel::decreaseFollowRequestCount()
{
    beginResetModel();
    if (m_followRequestCount > 0)
        --m_followRequestCount;
    const QString text = QString::number(m_followRequestCount) + QStringLiteral(" Pending Friend Requests");
    editRows({kFollowed}, [&text](QVariantMap &row) {
        if (typeOf(row) != kFollowRequestSummary)
            return false;
        row.insert(kText, text);
        return true;
    });
    if (m_followRequestCount < 1)
        removeRowsWhere([](const QVariantMap &row) { return typeOf(row) == kFollowRequestSummary; });
    endResetModel();
    return m_followRequestCount;
}

void NotificationsModel::removeFollowRequestItem()
{
    beginResetModel();
    removeRowsWhere([](const QVariantMap &row) { return typeOf(row) == kFollowRequestSummary; });
    endResetModel();
}

void NotificationsModel::answerFollowRequest(int user_id, bool accepted)
{
    beginResetModel();
    editAllRows([user_id, accepted](QVariantMap &row) {
        if (typeOf(row) != kFollowRequest || row.value(QStringLiteral("action_user_id")).toLongLong() != user_id)
            return false;
        const QString username = row.value(QStringLiteral("username")).toString();
        row.insert(kType, accepted ? kFollowing : kFollowRequestRejected);
        row.insert(kText, username
                       + (accepted ? QStringLiteral(" is now following you") : QStringLiteral("'s request is rejected")));
        return true;
    });
    endResetModel();
}

void NotificationsModel::setFollow(QString username, bool followed)
{
    editRows({kAll, kFollowed}, [&username, followed](QVariantMap &row) {
        if (typeOf(row) != kFollowing || row.value(QStringLiteral("username")).toString() != username)
            return false;
        row.insert(QStringLiteral("follow"), followed);
        return true;
    });
    announceLayoutChange();
}

void NotificationsModel::setLovedData(int picture_id, int count, bool done_love)
{
    updatePhoto(picture_id, {{QStringLiteral("love_count"), count}, {QStringLiteral("done_love"), done_love}});
    announceLayoutChange();
}

void NotificationsModel::setCommentedData(int picture_id, int count, bool done_comment)
{
    updatePhoto(picture_id, {{QStringLiteral("comment_count"), count}, {QStringLiteral("done_comment"), done_comment}});
    announceLayoutChange();
}

void NotificationsModel::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                               bool done_comment)
{
    updatePhoto(picture_id, {{QStringLiteral("love_count"), love_count},
                             {QStringLiteral("done_love"), done_love},
                             {QStringLiteral("comment_count"), comment_count},
                             {QStringLiteral("done_comment"), done_comment}});
    announceLayoutChange();
}

void NotificationsModel::setPhotoName(int picture_id, QString name)
{
    updatePhoto(picture_id, {{QStringLiteral("name"), name}});
}

void NotificationsModel::editRows(std::initializer_list<int> lists, const RowEdit &edit)
{
    for (int listIndex : lists) {
        for (QVariant &row : m_lists[listIndex]) {
            QVariantMap map = row.toMap();
            if (edit(map))
                row = map;
        }
    }
}

void NotificationsModel::editAllRows(const RowEdit &edit)
{
    editRows({0, 1, 2, 3, 4}, edit);
}

void NotificationsModel::updatePhoto(int picture_id, const QVariantMap &fields)
{
    editAllRows([picture_id, &fields](QVariantMap &row) {
        const QVariant info = row.value(kPictureInfo);
        if (info.userType() != QMetaType::QVariantList)
            return false;
        QVariantList photos = info.toList();
        if (photos.isEmpty() || photos.first().userType() != QMetaType::QVariantMap)
            return false;
        QVariantMap photo = photos.first().toMap();
        if (photo.value(QStringLiteral("picture_id")).toLongLong() != picture_id)
            return false;
        photo.insert(fields);
        photos[0] = photo;
        row.insert(kPictureInfo, photos);
        return true;
    });
}

void NotificationsModel::removeRowsWhere(const std::function<bool(const QVariantMap &row)> &match)
{
    for (QVariantList &rows : m_lists) {
        rows.erase(std::remove_if(rows.begin(), rows.end(), [&match](const QVariant &row) { return match(row.toMap()); }),
                   rows.end());
    }
}

void NotificationsModel::announceLayoutChange()
{
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}
