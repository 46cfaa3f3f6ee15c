#include "models/timelinemodel.h"

#include "app/globalservices.h"
#include "models/jsonrows.h"
#include "models/modelslog.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace {

TimelineModel *s_instance = nullptr;

const QString kSaveFolder = QStringLiteral("sav");
const QString kSaveFile = QStringLiteral("sav/timeline.sav");

} // namespace

TimelineModel::TimelineModel(QObject *parent)
    : PhotoListModel(parent)
{
    loadJSON();
}

TimelineModel::~TimelineModel()
{
    if (s_instance == this)
        s_instance = nullptr;
}

TimelineModel *TimelineModel::getInstance()
{
    return s_instance;
}

void TimelineModel::setInstance(TimelineModel *instance)
{
    s_instance = instance;
}

void TimelineModel::setIsRefreshing(bool isRefreshing)
{
    if (m_isRefreshing == isRefreshing)
        return;
    m_isRefreshing = isRefreshing;
    emit isRefreshingChanged(isRefreshing);
}

void TimelineModel::setIsLoadingMore(bool isLoadingMore)
{
    if (m_isLoadingMore == isLoadingMore)
        return;
    m_isLoadingMore = isLoadingMore;
    emit isLoadingMoreChanged(isLoadingMore);
}

bool TimelineModel::parseJSON(QByteArray data, bool loadMore)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer))
        return false;
    const QVariantList page = JsonRows::objects(answer.value(QStringLiteral("data")));
    m_lastParsedRowCount = page.size();
    // No de-duplication: callers ask only for photos newer than the newest
    // row on refresh and older than the oldest on load-more.
    if (loadMore)
        appendRows(page);
    else
        replaceRows(page + m_rows);
    saveJSON();
    return true;
}

bool TimelineModel::parseJSON(QByteArray data)
{
    return parseJSON(data, false);
}

bool TimelineModel::parsePhotoSummaryJSON(QByteArray data)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer))
        return false;
    const QVariantList summaries = JsonRows::objects(answer.value(QStringLiteral("data")));
    for (const QVariant &element : summaries) {
        const QVariantMap summary = element.toMap();
        const qint64 pictureId = summary.value(QStringLiteral("picture_id")).toLongLong();
        const auto row = std::find_if(m_rows.begin(), m_rows.end(), [pictureId](const QVariant &candidate) {
            return JsonRows::idOf(candidate, QStringLiteral("picture_id")) == pictureId;
        });
        if (row == m_rows.end())
            continue;

        QVariantMap photo = row->toMap();
        const int loveCount = summary.value(QStringLiteral("love_count")).toInt();
        const int commentCount = summary.value(QStringLiteral("comment_count")).toInt();
        const bool doneLove = summary.value(QStringLiteral("done_love")).toBool();
        if (photo.value(QStringLiteral("love_count")).toInt() != loveCount
            || photo.value(QStringLiteral("comment_count")).toInt() != commentCount
            || photo.value(QStringLiteral("done_love")).toBool() != doneLove) {
            photo.insert(QStringLiteral("love_count"), loveCount);
            photo.insert(QStringLiteral("comment_count"), commentCount);
            photo.insert(QStringLiteral("done_love"), doneLove);
            *row = photo;
        }

        const QString accessLevel = summary.value(QStringLiteral("access_level")).toString();
        const QString salt = summary.value(QStringLiteral("salt")).toString();
        if (photo.value(QStringLiteral("access_level")).toString() != accessLevel
            || photo.value(QStringLiteral("salt")).toString() != salt) {
            photo.insert(accessFields(accessLevel, salt));
            *row = photo;
            if (GlobalServices *hub = GlobalServices::getInstance())
                emit hub->accessLevelSaltChanged(int(pictureId), accessLevel, salt);
        }
    }
    saveJSON();
    announceLayoutChange();
    return true;
}

void TimelineModel::saveJSON()
{
    QDir().mkdir(kSaveFolder);
    const QVariantList saved = m_rows.mid(0, kSavedRows);
    JsonRows::writeFile(kSaveFile, QJsonDocument::fromVariant(saved).toJson(QJsonDocument::Compact));
}

void TimelineModel::loadJSON()
{
    QFile file(kSaveFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        qCDebug(lcModels) << "ignoring unreadable" << kSaveFile << error.errorString();
        return;
    }
    const QVariantList rows = JsonRows::objects(document.toVariant());
    m_lastParsedRowCount = rows.size();
    replaceRows(rows);
}

void TimelineModel::clear()
{
    replaceRows({});
    saveJSON();
}

int TimelineModel::getNewestId()
{
    return m_rows.isEmpty() ? 0 : int(pictureIdAt(0));
}

int TimelineModel::getOldestId()
{
    return m_rows.isEmpty() ? 0 : int(pictureIdAt(m_rows.size() - 1));
}

int TimelineModel::getCount()
{
    return m_rows.size();
}

int TimelineModel::getLastParsedRowCount()
{
    return m_lastParsedRowCount;
}

QString TimelineModel::getPictureIds()
{
    return pictureCodes().join(QLatin1Char(','));
}

void TimelineModel::removePictureById(int pictureId)
{
    removePicture(pictureId);
}

void TimelineModel::setLovedData(int picture_id, int count, bool done_love)
{
    updateLovedData(picture_id, count, done_love);
}

void TimelineModel::setCommentedData(int picture_id, int count, bool done_comment)
{
    updateCommentedData(picture_id, count, done_comment);
}

void TimelineModel::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                          bool done_comment)
{
    updateLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}

void TimelineModel::setPhotoName(int picture_id, QString name)
{
    updatePhotoName(picture_id, name);
}

void TimelineModel::setAccessLevelSalt(int picture_id, QString access_level, QString salt)
{
    updateAccessLevelSalt(picture_id, access_level, salt);
}
