#pragma once

#include "server/formbody.h"

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class Database;
class ParamReader;
class PhotoStore;
class SqlQuery;

/** One answer of the service: HTTP status and JSON body. */
struct ApiResult
{
    int status = 200;
    QJsonObject body;
};

/**
 * The photo service's catalogue, sign-in and community rules on top of the
 * SQLite store: every "/v1" call, the picture upload, sign-in, registration
 * and the password reminder. Callers have verified the request's signature
 * and hold the database mutex.
 */
class ApiService
{
public:
    // Error codes of the answers' "error_code".
    enum ErrorCode {
        InvalidParameter = 1,
        NotAuthorised = 2,
        WrongCredentials = 3,
        UsernameTaken = 4,
        NotFound = 5,
        NotPermitted = 6,
        PrivateAccount = 7,
        Blocked = 8,
        TooLarge = 9,
        UnknownCall = 10,
        ServerError = 11,
    };

    ApiService(Database &db, PhotoStore &photos, const QString &webBase);

    static bool isKnownCall(const std::string &name);
    // Calls that also answer without a signed-in user.
    static bool allowsAnonymous(const std::string &name);
    static ApiResult error(int status, ErrorCode code, const QString &reason);
    static QString formatTime(qint64 secondsSinceEpoch);

    ApiResult call(const std::string &name, const FormBody &params, qint64 userId);
    // Called without the database mutex: the picture is decoded, resized
    // and written before the mutex is taken for its rows.
    ApiResult uploadPicture(qint64 userId, const FormBody &fields, const QByteArray &picture);
    ApiResult signIn(const FormBody &params);
    ApiResult registerUser(const FormBody &params);
    // By e-mail address (anonymous) or for the signed-in user (userId > 0).
    ApiResult remindPassword(const FormBody &params, qint64 userId);

    bool tokenOwner(const QString &token, qint64 *userId, QString *secret);
    // Picture file for a public URL: the salt must match unless the photo is
    // public (or the size is a thumbnail of a profile picture).
    QString pictureFile(const QString &code, const QString &sizeName, const QString &salt);
    QString badgeFile(qint64 badgeId, const QString &sizeName);
    // Public photo page data (public photos only); empty when not public.
    QJsonObject publicPhoto(const QString &code);

    // The community's building blocks, also used by the demo seed.
    qint64 createUser(const QString &username, const QString &password, const QString &email,
                      const QString &description, bool isProtected, qint64 when);
    qint64 insertPhoto(qint64 userId, const QImage &image, const QString &name, const QString &description,
                       int accessLevel, qint64 when);
    void setProfilePicture(qint64 userId, qint64 photoId);
    bool love(qint64 userId, qint64 photoId, qint64 when);
    qint64 comment(qint64 userId, qint64 photoId, const QString &text, qint64 inReplyTo, qint64 when);
    // Follows, or asks to follow a private account; true when now following.
    bool follow(qint64 userId, qint64 targetId, qint64 when);
    bool answerFollowRequest(qint64 userId, qint64 followerId, bool accept, qint64 when);
    qint64 createBadge(const QString &name, const QString &description, const QString &colour);
    void awardBadge(qint64 userId, qint64 badgeId, qint64 when);
    void linkNetwork(qint64 userId, const QString &network, const QString &account, const QString &token,
                     const QString &tokenSecret);
    bool canSeePhoto(qint64 viewer, qint64 photoId);

private:
    struct Call
    {
        const char *name;
        bool anonymous;
        std::function<ApiResult(ApiService &, ParamReader &, qint64 viewer)> answer;
    };
    static const std::vector<Call> &calls();
    static const Call *findCall(const std::string &name);
    // All of the work's writes, or none of them when it refused, failed or
    // the store failed anywhere in it (then a 500).
    ApiResult inTransaction(const std::function<ApiResult()> &work);
    ApiResult signInNow(const FormBody &params);
    ApiResult registerNow(const FormBody &params);
    ApiResult remindNow(const FormBody &params, qint64 userId);

    struct Paging
    {
        qint64 sinceId = 0;
        qint64 beforeId = 0;
        int page = 1;
        int perPage = 20;
    };

    ApiResult homeTimeline(ParamReader &in, qint64 viewer);
    ApiResult publicTimeline(ParamReader &in, qint64 viewer, bool popular);
    ApiResult userTimeline(ParamReader &in, qint64 viewer);
    ApiResult notifications(ParamReader &in, qint64 viewer);
    ApiResult followInsert(ParamReader &in, qint64 viewer);
    ApiResult followDelete(ParamReader &in, qint64 viewer);
    ApiResult loveCall(ParamReader &in, qint64 viewer, bool add);
    ApiResult userSelect(ParamReader &in, qint64 viewer);
    ApiResult userList(const std::string &name, ParamReader &in, qint64 viewer);
    ApiResult followRequests(ParamReader &in, qint64 viewer);
    ApiResult commentSelect(ParamReader &in, qint64 viewer);
    ApiResult commentInsert(ParamReader &in, qint64 viewer);
    ApiResult commentDelete(ParamReader &in, qint64 viewer);
    ApiResult flag(ParamReader &in, qint64 viewer);
    ApiResult pictureDelete(ParamReader &in, qint64 viewer);
    ApiResult pictureUpdate(ParamReader &in, qint64 viewer);
    ApiResult pictureAccess(ParamReader &in, qint64 viewer);
    ApiResult share(ParamReader &in, qint64 viewer);
    ApiResult photoSummary(ParamReader &in, qint64 viewer);
    ApiResult userUpdate(ParamReader &in, qint64 viewer);
    ApiResult linkCall(const std::string &name, ParamReader &in, qint64 viewer);
    ApiResult block(ParamReader &in, qint64 viewer, bool add);
    ApiResult answerRequest(ParamReader &in, qint64 viewer);
    ApiResult answerTerms(ParamReader &in, qint64 viewer);

    ApiResult signedInAnswer(qint64 userId);
    QJsonObject profile(qint64 viewer, qint64 userId);
    QJsonArray photos(qint64 viewer, const SqlQuery &condition, const Paging &paging, const QString &order);
    QJsonObject photoRecord(qint64 viewer, qint64 photoId);
    QJsonObject photoStats(qint64 viewer, qint64 photoId);
    QJsonArray users(qint64 viewer, const SqlQuery &fromWhere, const QString &cursor, qint64 sinceId,
                     qint64 beforeId, int count, const QString &order);
    QJsonObject badge(qint64 badgeId);
    QJsonArray notificationList(qint64 viewer, const QString &list, qint64 sinceId, qint64 beforeId, int count);
    QJsonObject pendingSummary(qint64 viewer);
    bool readPaging(ParamReader &in, Paging *paging, const char *perPageName);

    qint64 userIdByName(const QString &username);
    bool userExists(qint64 userId);
    bool isFollowing(qint64 follower, qint64 target);
    bool isBlockedEitherWay(qint64 a, qint64 b);
    bool canSeeUserPhotos(qint64 viewer, qint64 userId);
    qint64 photoOwner(qint64 photoId);
    void notify(qint64 userId, int type, qint64 actionUserId, qint64 photoId, qint64 badgeId, const QString &text,
                qint64 when);
    QString username(qint64 userId);
    void setAllAccessLevels(qint64 userId, int accessLevel);

    Database &m_db;
    PhotoStore &m_photos;
    QString m_webBase;
};
