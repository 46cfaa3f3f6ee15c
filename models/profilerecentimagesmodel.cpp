#include "models/profilerecentimagesmodel.h"

ProfileRecentImagesModel::ProfileRecentImagesModel(QObject *parent)
    : PhotoListModel(parent)
{
}
