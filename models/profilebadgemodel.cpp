#include "models/profilebadgemodel.h"

namespace {

const RoleTable &badgeRoles()
{
    static const RoleTable roles{
        {56, "_badgeSource", "path96x96", RoleKind::Text},
        {57, "_badge_id", "badge_id", RoleKind::Integer},
        {58, "_badgeName", "name", RoleKind::Text},
        {59, "_description", "description", RoleKind::Text},
        {60, "_bigBadgeSource", "path96x96", RoleKind::Text},
        {61, "_smallBadgeSource", "path", RoleKind::Text},
    };
    return roles;
}

} // namespace

ProfileBadgeModel::ProfileBadgeModel(QObject *parent)
    : RecordListModel(badgeRoles(), OtherRoles::RowNumber, parent)
{
}
