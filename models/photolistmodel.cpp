#include "models/photolistmodel.h"

#include "models/jsonrows.h"

namespace {

const QString kPictureId = QStringLiteral("picture_id");

} // namespace

PhotoListModel::PhotoListModel(QObject *parent, const RoleTable &roles)
    : RecordListModel(roles, OtherRoles::RowNumber, parent)
{
}

const RoleTable &PhotoListModel::photoRoles()
{
    static const RoleTable roles{
        {33, "picture_info", nullptr, RoleKind::Record},
        {34, "picture_id", "picture_id", RoleKind::Integer},
        {35, "name", nullptr, RoleKind::RowNumber},
        {38, "username", "username", RoleKind::Text},
        {43, "picture_code", "picture_code", RoleKind::Text},
        {45, "love_count", "love_count", RoleKind::Integer},
        {46, "comment_count", "comment_count", RoleKind::Integer},
        {48, "create_time", "create_time", RoleKind::Text},
        {51, "done_love", "done_love", RoleKind::Flag},
        {53, "access_level", "access_level", RoleKind::Text},
        {54, "salt", "salt", RoleKind::Text},
    };
    return roles;
}

qint64 PhotoListModel::pictureIdAt(int row) const
{
    return JsonRows::idOf(m_rows.value(row), kPictureId);
}

QStringList PhotoListModel::pictureCodes() const
{
    QStringList codes;
    codes.reserve(m_rows.size());
    for (const QVariant &row : m_rows)
        codes.append(row.toMap().value(QStringLiteral("picture_code")).toString());
    return codes;
}

QVariantMap PhotoListModel::lovedFields(int count, bool done_love)
{
    return {{QStringLiteral("love_count"), count}, {QStringLiteral("done_love"), done_love}};
}

QVariantMap PhotoListModel::commentedFields(int count, bool done_comment)
{
    return {{QStringLiteral("comment_count"), count}, {QStringLiteral("done_comment"), done_comment}};
}

QVariantMap PhotoListModel::accessFields(const QString &access_level, const QString &salt)
{
    return {{QStringLiteral("access_level"), access_level}, {QStringLiteral("salt"), salt}};
}

int PhotoListModel::updatePicture(int picture_id, const QVariantMap &fields)
{
    return updateRows([picture_id](const QVariantMap &row) { return row.value(kPictureId).toLongLong() == picture_id; },
                      fields);
}

void PhotoListModel::updateLovedData(int picture_id, int count, bool done_love)
{
    updatePicture(picture_id, lovedFields(count, done_love));
    announceLayoutChange();
}

void PhotoListModel::updateCommentedData(int picture_id, int count, bool done_comment)
{
    updatePicture(picture_id, commentedFields(count, done_comment));
    announceLayoutChange();
}

void PhotoListModel::updateLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                              bool done_comment)
{
    QVariantMap fields = lovedFields(love_count, done_love);
    fields.insert(commentedFields(comment_count, done_comment));
    updatePicture(picture_id, fields);
    announceLayoutChange();
}

void PhotoListModel::updatePhotoName(int picture_id, const QString &name)
{
    updatePicture(picture_id, {{QStringLiteral("name"), name}});
}

void PhotoListModel::updateAccessLevelSalt(int picture_id, const QString &access_level, const QString &salt)
{
    if (updatePicture(picture_id, accessFields(access_level, salt)) > 0)
        announceLayoutChange();
}

void PhotoListModel::removePicture(int pictureId)
{
    removeRowsAsLayoutChange([pictureId](const QVariantMap &row) { return row.value(kPictureId).toLongLong() == pictureId; });
}
