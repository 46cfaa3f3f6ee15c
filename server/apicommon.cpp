#include "server/apicommon.h"

#include "server/paramreader.h"
#include "server/statement.h"

#include <QDateTime>
#include <QRegularExpression>

namespace apicommon {

const char *const kNetworks[9] = {"twitter", "facebook", "tumblr", "flickr", "weibo", "vk", "dropbox", "gdrive", "picasa"};

const char kPhotoVisible[] =
    "(p.user_id = ?1 OR (p.access_level = 0 AND u.protected = 0) OR (p.access_level <= 1 AND EXISTS("
    "SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = p.user_id))) "
    "AND NOT EXISTS(SELECT 1 FROM blocks b WHERE (b.user_id = p.user_id AND b.blocked_id = ?1) "
    "OR (b.user_id = ?1 AND b.blocked_id = p.user_id))";

QJsonValue codeOrNull(const QString &code)
{
    return code.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(code);
}

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

ApiResult success(QJsonObject body)
{
    body.insert(QStringLiteral("success"), true);
    return {200, body};
}

ApiResult refusal(ApiService::ErrorCode code, const QString &reason)
{
    return {200, QJsonObject{{QStringLiteral("success"), false},
                             {QStringLiteral("error_code"), code},
                             {QStringLiteral("reason"), reason}}};
}

ApiResult badParameter(const ParamReader &in)
{
    return ApiService::error(400, ApiService::InvalidParameter, in.error());
}

bool validEmail(const QString &email)
{
    static const QRegularExpression pattern(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return pattern.match(email).hasMatch();
}

bool readPage(Statement &st, int count, const std::function<void(Statement &)> &row)
{
    for (int taken = 0; st.next(); ++taken) {
        if (taken == count)
            return true;
        row(st);
    }
    return false;
}

} // namespace apicommon
