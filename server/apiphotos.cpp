#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/credentials.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/photostore.h"

#include <mutex>

using namespace apicommon;

// Photos: upload, flags, deletion, captions, privacy and sharing.

qint64 ApiService::insertPhoto(qint64 userId, const QImage &image, const QString &name, const QString &description,
                               int accessLevel, qint64 when)
{
    const QString code = Credentials::randomCode(10);
    if (m_photos.store(code, image) != PhotoStore::Stored)
        return 0;
    Statement st(m_db, "INSERT INTO photos(code, user_id, name, description, access_level, salt, taken, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?7)");
    st.bind(code).bind(userId).bind(name).bind(description).bind(accessLevel).bind(Credentials::randomHex(4)).bind(when);
    if (!st.exec()) {
        m_photos.remove(code);
        return 0;
    }
    return m_db.lastInsertId();
}

ApiResult ApiService::uploadPicture(qint64 userId, const FormBody &fields, const QByteArray &picture)
{
    ParamReader in(fields);
    const QString name = in.text("name", 200);
    const QString description = in.text("description", kMaxText);
    const double latitude = in.real("geo_location_lat", 0);
    const double longitude = in.real("geo_location_long", 0);
    const qint64 filter = in.integer("effect_filter_type", 0, 0, 100000);
    const qint64 source = in.integer("image_source", 0, 0, 100000);
    const qint64 taken = in.integer("timestamp", now(), 0, kMaxId);
    const int accessLevel = static_cast<int>(in.integer("access_level", 0, 0, 2));
    if (!in.ok())
        return badParameter(in);
    if (latitude < -90 || latitude > 90 || longitude < -180 || longitude > 180)
        return error(400, InvalidParameter, QStringLiteral("The location is outside the globe"));
    if (picture.isEmpty())
        return error(400, InvalidParameter, QStringLiteral("picture_file is missing or empty"));
    const QString code = Credentials::randomCode(10);
    switch (m_photos.store(code, picture)) {
    case PhotoStore::Stored:
        break;
    case PhotoStore::NotAPicture:
        return error(415, InvalidParameter, QStringLiteral("picture_file is not a picture that can be read"));
    case PhotoStore::WriteFailed:
        return error(500, ServerError, QStringLiteral("The photo could not be stored"));
    }
    QStringList shared;
    for (const char *network : kNetworks) {
        if (in.boolean((std::string("share_on_") + network).c_str(), false))
            shared << QLatin1String(network);
    }
    std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
    const ApiResult result = inTransaction([&]() -> ApiResult {
        Statement st(m_db, "INSERT INTO photos(code, user_id, name, description, latitude, longitude, "
                           "effect_filter_type, image_source, access_level, salt, taken, created) "
                           "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
        st.bind(code).bind(userId).bind(name).bind(description).bind(latitude).bind(longitude).bind(filter).bind(source);
        st.bind(accessLevel).bind(Credentials::randomHex(4)).bind(taken).bind(now());
        if (!st.exec())
            return error(500, ServerError, QStringLiteral("The photo could not be stored"));
        const qint64 photoId = m_db.lastInsertId();
        if (!shared.isEmpty()) {
            Statement share(m_db, "INSERT INTO shares(photo_id, user_id, caption, networks, created) "
                                  "VALUES(?1, ?2, ?3, ?4, ?5)");
            share.bind(photoId).bind(userId).bind(name).bind(shared.join(QLatin1Char(','))).bind(now());
            share.exec();
        }
        QJsonObject answer = photoRecord(userId, photoId);
        answer.insert(QStringLiteral("success"), true);
        answer.insert(QStringLiteral("shared_to"), QJsonArray::fromStringList(shared));
        return {200, answer};
    });
    if (result.status != 200)
        m_photos.remove(code);
    return result;
}

ApiResult ApiService::flag(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString reason = in.text("reason", kMaxText);
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    Statement st(m_db, "INSERT INTO flags(photo_id, user_id, reason, created) VALUES(?1, ?2, ?3, ?4)");
    st.bind(photoId).bind(viewer).bind(reason).bind(now());
    st.exec();
    return success();
}

ApiResult ApiService::pictureDelete(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db, "SELECT user_id, code FROM photos WHERE id = ?1");
    st.bind(photoId);
    if (!st.next())
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (st.integer(0) != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may delete a photo"));
    const QString code = st.text(1);
    Statement clear(m_db, "UPDATE users SET profile_picture_id = NULL WHERE profile_picture_id = ?1");
    clear.bind(photoId);
    Statement notes(m_db, "DELETE FROM notifications WHERE photo_id = ?1");
    notes.bind(photoId);
    Statement remove(m_db, "DELETE FROM photos WHERE id = ?1");
    remove.bind(photoId);
    // The files go only with the rows; otherwise the call is rolled back.
    if (!clear.exec() || !notes.exec() || !remove.exec())
        return error(500, ServerError, QStringLiteral("The photo could not be deleted"));
    m_photos.remove(code);
    return success({{QStringLiteral("picture_id"), photoId}});
}

ApiResult ApiService::pictureUpdate(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString name = in.requiredText("name", 200);
    if (!in.ok())
        return badParameter(in);
    const qint64 owner = photoOwner(photoId);
    if (!owner)
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (owner != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may change a caption"));
    Statement st(m_db, "UPDATE photos SET name = ?2 WHERE id = ?1");
    st.bind(photoId).bind(name);
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId}, {QStringLiteral("name"), name}});
}

ApiResult ApiService::pictureAccess(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const int level = static_cast<int>(in.requiredInteger("access_level", 0, 2));
    if (!in.ok())
        return badParameter(in);
    const qint64 owner = photoOwner(photoId);
    if (!owner)
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (owner != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may change who sees a photo"));
    // A new salt retires the addresses handed out under the old level.
    const QString salt = Credentials::randomHex(4);
    Statement st(m_db, "UPDATE photos SET access_level = ?2, salt = ?3 WHERE id = ?1");
    st.bind(photoId).bind(level).bind(salt);
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId},
                    {QStringLiteral("access_level"), QString::number(level)},
                    {QStringLiteral("salt"), salt}});
}

void ApiService::setAllAccessLevels(qint64 userId, int accessLevel)
{
    Statement ids(m_db, "SELECT id FROM photos WHERE user_id = ?1 AND access_level <> ?2 AND access_level < 2");
    ids.bind(userId).bind(accessLevel);
    QList<qint64> photoIds;
    while (ids.next())
        photoIds << ids.integer(0);
    for (qint64 id : photoIds) {
        Statement st(m_db, "UPDATE photos SET access_level = ?2, salt = ?3 WHERE id = ?1");
        st.bind(id).bind(accessLevel).bind(Credentials::randomHex(4));
        st.exec();
    }
}

ApiResult ApiService::share(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString caption = in.text("caption", kMaxText);
    QStringList networks;
    for (const char *network : {"twitter", "facebook", "tumblr", "vk", "weibo"}) {
        if (in.boolean(network, false))
            networks << QLatin1String(network);
    }
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    Statement st(m_db, "INSERT INTO shares(photo_id, user_id, caption, networks, created) VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(photoId).bind(viewer).bind(caption).bind(networks.join(QLatin1Char(','))).bind(now());
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId},
                    {QStringLiteral("shared_to"), QJsonArray::fromStringList(networks)}});
}
