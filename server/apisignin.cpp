#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/credentials.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/serverlog.h"

#include <QRegularExpression>

using namespace apicommon;

// Sign-in, registration, the password reminder and tokens.

qint64 ApiService::createUser(const QString &username, const QString &password, const QString &email,
                              const QString &description, bool isProtected, qint64 when)
{
    const QString salt = Credentials::randomHex(16);
    Statement st(m_db, "INSERT INTO users(username, email, password_hash, password_salt, description, "
                                "protected, created) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    st.bind(username).bind(email).bind(Credentials::hashPassword(password, salt)).bind(salt).bind(description);
    st.bind(isProtected).bind(when);
    return st.exec() ? m_db.lastInsertId() : 0;
}

ApiResult ApiService::signedInAnswer(qint64 userId)
{
    const QString token = Credentials::randomHex(20);
    const QString secret = Credentials::randomHex(20);
    Statement st(m_db, "INSERT INTO tokens(token, secret, user_id, created) VALUES(?1, ?2, ?3, ?4)");
    st.bind(token).bind(secret).bind(userId).bind(now());
    if (!st.exec())
        return error(500, ServerError, QStringLiteral("No token could be issued"));
    const QJsonObject account = profile(userId, userId);
    return success({{QStringLiteral("user_id"), userId},
                    {QStringLiteral("username"), account.value(QStringLiteral("username"))},
                    {QStringLiteral("oauth_token"), token},
                    {QStringLiteral("oauth_token_secret"), secret},
                    {QStringLiteral("profile_picture_code"), account.value(QStringLiteral("profile_picture_code"))},
                    {QStringLiteral("protected"), account.value(QStringLiteral("protected"))}});
}

ApiResult ApiService::signIn(const FormBody &params)
{
    return inTransaction([&] { return signInNow(params); });
}

ApiResult ApiService::registerUser(const FormBody &params)
{
    return inTransaction([&] { return registerNow(params); });
}

ApiResult ApiService::remindPassword(const FormBody &params, qint64 userId)
{
    return inTransaction([&] { return remindNow(params, userId); });
}

ApiResult ApiService::signInNow(const FormBody &params)
{
    ParamReader in(params);
    const QString mode = in.requiredText("x_auth_mode", 32);
    const QString name = in.requiredText("x_auth_username", 64);
    const QString password = in.requiredText("x_auth_password", 128);
    if (!in.ok())
        return badParameter(in);
    if (mode != QLatin1String("client_auth"))
        return error(400, InvalidParameter, QStringLiteral("x_auth_mode must be client_auth"));
    Statement st(m_db, "SELECT id, password_hash, password_salt FROM users WHERE username = ?1");
    st.bind(name);
    if (!st.next() || !Credentials::verifyPassword(password, st.text(2), st.text(1)))
        return error(401, WrongCredentials, QStringLiteral("Wrong username or password"));
    return signedInAnswer(st.integer(0));
}

ApiResult ApiService::registerNow(const FormBody &params)
{
    ParamReader in(params);
    const QString mode = in.requiredText("x_auth_mode", 32);
    const QString name = in.requiredText("x_auth_username", 64);
    const QString password = in.requiredText("x_auth_password", 128);
    const QString email = in.requiredText("x_auth_email", 200).trimmed();
    if (!in.ok())
        return badParameter(in);
    if (mode != QLatin1String("client_auth"))
        return error(400, InvalidParameter, QStringLiteral("x_auth_mode must be client_auth"));
    static const QRegularExpression namePattern(QStringLiteral("^[A-Za-z0-9_]{3,20}$"));
    if (!namePattern.match(name).hasMatch())
        return error(400, InvalidParameter, QStringLiteral("A username has 3 to 20 letters, digits or underscores"));
    if (password.size() < 6)
        return error(400, InvalidParameter, QStringLiteral("A password needs at least 6 characters"));
    if (!validEmail(email))
        return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    if (userIdByName(name))
        return error(409, UsernameTaken, QStringLiteral("That username is taken"));
    const qint64 userId = createUser(name, password, email, QString(), false, now());
    if (!userId)
        return error(500, ServerError, QStringLiteral("The account could not be created"));
    return signedInAnswer(userId);
}

ApiResult ApiService::remindNow(const FormBody &params, qint64 userId)
{
    ParamReader in(params);
    in.boolean("confirm", true);
    QString email;
    if (userId == 0) {
        email = in.requiredText("email", 200).trimmed();
        if (in.ok() && !validEmail(email))
            return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    }
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db, userId ? "SELECT id FROM users WHERE id = ?1"
                                       : "SELECT id FROM users WHERE email = ?1 COLLATE NOCASE");
    if (userId)
        st.bind(userId);
    else
        st.bind(email);
    // The answer does not tell whether the address belongs to an account.
    while (st.next()) {
        Statement note(m_db, "INSERT INTO password_reminders(user_id, created) VALUES(?1, ?2)");
        note.bind(st.integer(0)).bind(now());
        note.exec();
        qCInfo(lcServer) << "Password reminder recorded for user" << st.integer(0);
    }
    return success({{QStringLiteral("message"),
                     QStringLiteral("If an account uses that address, a reminder is on its way.")}});
}

bool ApiService::tokenOwner(const QString &token, qint64 *userId, QString *secret)
{
    Statement st(m_db, "SELECT user_id, secret FROM tokens WHERE token = ?1");
    st.bind(token);
    if (!st.next())
        return false;
    *userId = st.integer(0);
    *secret = st.text(1);
    return true;
}
