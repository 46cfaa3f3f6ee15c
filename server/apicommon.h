#pragma once

#include "server/apiservice.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <limits>

class ParamReader;
class Statement;

// Pieces that the service's call families (the api*.cpp files) share.
namespace apicommon {

// Notification kinds. The app itself acts on 4, 7, 8 and 9.
enum NotificationType {
    LovedType = 1,
    CommentedType = 2,
    BadgeType = 3,
    FollowedType = 4,
    RepliedType = 5,
    AcceptedType = 6,
    RequestType = 7,
    RejectedType = 8,
    PendingSummaryType = 9,
};

constexpr qint64 kMaxId = std::numeric_limits<qint64>::max();
constexpr int kMaxText = 1000;

extern const char *const kNetworks[9];
// Whether the viewer (?1) may see photo p of owner u.
extern const char kPhotoVisible[];

QJsonValue codeOrNull(const QString &code);
qint64 now();
ApiResult success(QJsonObject body = {});
// A refusal that the app's models read from a successful HTTP answer.
ApiResult refusal(ApiService::ErrorCode code, const QString &reason);
ApiResult badParameter(const ParamReader &in);
bool validEmail(const QString &email);

// Steps through a list query asked for `count` + 1 rows ("LIMIT count + 1"),
// handing the first `count` to `row`; answers whether the extra row came,
// the list's "has_more".
bool readPage(Statement &st, int count, const std::function<void(Statement &)> &row);

} // namespace apicommon
