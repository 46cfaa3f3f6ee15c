#pragma once

#include "models/photolistmodel.h"

/** The strip of a profile's recent photos; its ProfileViewManager fills it. */
class ProfileRecentImagesModel : public PhotoListModel
{
    Q_OBJECT
public:
    explicit ProfileRecentImagesModel(QObject *parent = nullptr);

    using PhotoListModel::replaceRows;
    using PhotoListModel::updateAccessLevelSalt;
    using PhotoListModel::updateLovedCommentedData;
    using PhotoListModel::updatePhotoName;
};
