#pragma once

#include "models/recordlistmodel.h"

/**
 * A list of photo records. Rows are found by "picture_id"; every row that
 * holds the id is updated, since a photo may be listed twice.
 */
class PhotoListModel : public RecordListModel
{
    Q_OBJECT
protected:
    explicit PhotoListModel(QObject *parent, const RoleTable &roles = photoRoles());

    // The full photo role table: ids 33 to 54.
    static const RoleTable &photoRoles();

    qint64 pictureIdAt(int row) const;
    QStringList pictureCodes() const;

    // Field updates as the views' edits need them: the counters announce a
    // layout change even when no row holds the photo, the caption none.
    void updateLovedData(int picture_id, int count, bool done_love);
    void updateCommentedData(int picture_id, int count, bool done_comment);
    void updateLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    void updatePhotoName(int picture_id, const QString &name);
    // Announces a layout change only when a row was written.
    void updateAccessLevelSalt(int picture_id, const QString &access_level, const QString &salt);
    void removePicture(int pictureId);

    static QVariantMap lovedFields(int count, bool done_love);
    static QVariantMap commentedFields(int count, bool done_comment);
    static QVariantMap accessFields(const QString &access_level, const QString &salt);

private:
    int updatePicture(int picture_id, const QVariantMap &fields);
};
