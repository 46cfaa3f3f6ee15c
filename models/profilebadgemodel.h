#pragma once

#include "models/recordlistmodel.h"

/** The badges shown on a profile; its ProfileViewManager fills it. */
class ProfileBadgeModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit ProfileBadgeModel(QObject *parent = nullptr);

    using RecordListModel::replaceRows;
};
