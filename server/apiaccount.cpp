#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/credentials.h"
#include "server/database.h"
#include "server/paramreader.h"

using namespace apicommon;

// The account: profile changes, linked networks, terms, badges.

void ApiService::linkNetwork(qint64 userId, const QString &network, const QString &account, const QString &token,
                             const QString &tokenSecret)
{
    Statement st(m_db, "INSERT OR REPLACE INTO links(user_id, network, account, token, token_secret) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(userId).bind(network).bind(account).bind(token).bind(tokenSecret);
    st.exec();
}

ApiResult ApiService::userUpdate(ParamReader &in, qint64 viewer)
{
    // One endpoint, several forms: the parameters tell which.
    if (in.has("old_password") || in.has("password")) {
        const QString oldPassword = in.requiredText("old_password", 128);
        const QString password = in.requiredText("password", 128);
        if (!in.ok())
            return badParameter(in);
        Statement st(m_db, "SELECT password_hash, password_salt FROM users WHERE id = ?1");
        st.bind(viewer);
        if (!st.next() || !Credentials::verifyPassword(oldPassword, st.text(1), st.text(0)))
            return error(403, WrongCredentials, QStringLiteral("The old password is wrong"));
        if (password.size() < 6)
            return error(400, InvalidParameter, QStringLiteral("The new password needs at least 6 characters"));
        const QString salt = Credentials::randomHex(16);
        Statement update(m_db, "UPDATE users SET password_hash = ?2, password_salt = ?3 WHERE id = ?1");
        update.bind(viewer).bind(Credentials::hashPassword(password, salt)).bind(salt);
        update.exec();
        return {200, profile(viewer, viewer)};
    }
    if (in.has("profile_picture_code")) {
        const QString code = in.text("profile_picture_code", 64);
        if (!in.ok())
            return badParameter(in);
        qint64 photoId = 0;
        if (!code.isEmpty()) {
            Statement st(m_db, "SELECT id FROM photos WHERE code = ?1 AND user_id = ?2");
            st.bind(code).bind(viewer);
            if (!st.next())
                return error(404, NotFound, QStringLiteral("No such photo of yours"));
            photoId = st.integer(0);
        }
        setProfilePicture(viewer, photoId);
        return {200, profile(viewer, viewer)};
    }
    bool touchedNetwork = false;
    for (const char *network : kNetworks) {
        const std::string flag = std::string(network) + "_on";
        if (!in.has(flag.c_str()))
            continue;
        touchedNetwork = true;
        const bool on = in.boolean(flag.c_str(), false);
        const QString name = QLatin1String(network);
        if (!on) {
            Statement st(m_db, "DELETE FROM links WHERE user_id = ?1 AND network = ?2");
            st.bind(viewer).bind(name);
            st.exec();
            continue;
        }
        const std::string prefix = std::string(network) + "_";
        const QString token = in.requiredText((prefix + "token").c_str(), 1000);
        const QString secret = in.text((prefix + "token_secret").c_str(), 1000);
        QString account = in.text((prefix + "username").c_str(), 200);
        if (account.isEmpty())
            account = in.text((prefix + "user_id").c_str(), 200);
        in.boolean("twitter_follow_taviro", false);
        in.integer("vk_expires_in", 0, 0, kMaxId);
        if (!in.ok())
            return badParameter(in);
        if (token.isEmpty())
            return error(400, InvalidParameter, QStringLiteral("%1 is empty").arg(name + QStringLiteral("_token")));
        linkNetwork(viewer, name, account, token, secret);
    }
    if (touchedNetwork)
        return in.ok() ? ApiResult{200, profile(viewer, viewer)} : badParameter(in);

    const QString email = in.text("email", 200).trimmed();
    const QString description = in.text("description", 500);
    const bool isProtected = in.boolean("protected", false);
    const bool changeAccessLevel = in.boolean("change_access_level", false);
    if (!in.ok())
        return badParameter(in);
    if (!in.has("email") && !in.has("description") && !in.has("protected"))
        return error(400, InvalidParameter, QStringLiteral("Nothing to update"));
    if (in.has("email") && !validEmail(email))
        return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    if (in.has("email")) {
        Statement st(m_db, "UPDATE users SET email = ?2 WHERE id = ?1");
        st.bind(viewer).bind(email);
        st.exec();
    }
    if (in.has("description")) {
        Statement st(m_db, "UPDATE users SET description = ?2 WHERE id = ?1");
        st.bind(viewer).bind(description);
        st.exec();
    }
    if (in.has("protected")) {
        Statement st(m_db, "UPDATE users SET protected = ?2 WHERE id = ?1");
        st.bind(viewer).bind(isProtected);
        st.exec();
        if (changeAccessLevel)
            setAllAccessLevels(viewer, isProtected ? 1 : 0);
    }
    return {200, profile(viewer, viewer)};
}

ApiResult ApiService::linkCall(const std::string &name, ParamReader &in, qint64 viewer)
{
    const bool unlink = name.rfind("unlink_", 0) == 0;
    const QString network = QString::fromStdString(name.substr(unlink ? 7 : 5));
    if (unlink) {
        Statement st(m_db, "DELETE FROM links WHERE user_id = ?1 AND network = ?2");
        st.bind(viewer).bind(network);
        st.exec();
        return {200, profile(viewer, viewer)};
    }
    QString account;
    if (network == QLatin1String("twitter") || network == QLatin1String("tumblr")) {
        account = in.requiredText("username", 200);
        const QString password = in.requiredText("password", 200);
        in.boolean("twitter_follow_taviro", false);
        if (!in.ok())
            return badParameter(in);
        if (account.isEmpty() || password.isEmpty())
            return error(401, WrongCredentials, QStringLiteral("The %1 name or password is wrong").arg(network));
    } else {
        const QString code = in.requiredText("code", 1000);
        if (!in.ok())
            return badParameter(in);
        if (code.isEmpty())
            return error(400, InvalidParameter, QStringLiteral("code is empty"));
        account = username(viewer);
    }
    linkNetwork(viewer, network, account, Credentials::randomHex(16), Credentials::randomHex(16));
    return {200, profile(viewer, viewer)};
}

ApiResult ApiService::answerTerms(ParamReader &in, qint64 viewer)
{
    const QString package = in.requiredText("package_code", 200);
    const bool agree = in.boolean("agree_terms", false);
    in.boolean("checked", false);
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db, "UPDATE users SET terms_package = ?2 WHERE id = ?1");
    st.bind(viewer).bind(agree ? package : QString());
    st.exec();
    return success({{QStringLiteral("agree_terms"), agree}});
}

void ApiService::setProfilePicture(qint64 userId, qint64 photoId)
{
    Statement st(m_db, "UPDATE users SET profile_picture_id = ?2 WHERE id = ?1");
    st.bind(userId);
    if (photoId > 0)
        st.bind(photoId);
    else
        st.bindNull();
    st.exec();
}

qint64 ApiService::createBadge(const QString &name, const QString &description, const QString &colour)
{
    Statement st(m_db, "INSERT INTO badges(name, description, colour) VALUES(?1, ?2, ?3)");
    st.bind(name).bind(description).bind(colour);
    return st.exec() ? m_db.lastInsertId() : 0;
}

void ApiService::awardBadge(qint64 userId, qint64 badgeId, qint64 when)
{
    Statement st(m_db, "INSERT OR IGNORE INTO user_badges(user_id, badge_id, created) VALUES(?1, ?2, ?3)");
    st.bind(userId).bind(badgeId).bind(when);
    st.exec();
    if (m_db.changes() == 0)
        return;
    Statement name(m_db, "SELECT name FROM badges WHERE id = ?1");
    name.bind(badgeId);
    name.next();
    notify(userId, BadgeType, userId, 0, badgeId, QStringLiteral("You earned the %1 badge").arg(name.text(0)), when);
}
