#include "app/usermanager.h"

#include "app/bitpairs.h"
#include "app/shelllog.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

constexpr qint32 kPhotoCountMask = 0x7AAA;
constexpr std::pair<int, int> kSwappedBits[] = {{1, 24}, {2, 8}, {3, 16}, {4, 14}, {5, 13}, {6, 10}};

// Each value owns one line: a line break inside a text (a bio of several
// lines) would shift every later value, so it is stored as a space.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

UserManager::UserManager(QObject *parent)
    : QObject(parent)
    , m_path(QStringLiteral(".TAVIRO/trash"))
{
    loadLoggedInAccount();
}

std::unique_ptr<UserManager> UserManager::getInstance()
{
    return std::make_unique<UserManager>();
}

qint32 UserManager::encodePhotoCount(qint32 count)
{
    return qint32(swapBitPairs(quint32(count), kSwappedBits)) ^ kPhotoCountMask;
}

qint32 UserManager::decodePhotoCount(qint32 stored)
{
    if (stored == 0)
        return 0;
    return qint32(swapBitPairs(quint32(stored ^ kPhotoCountMask), kSwappedBits));
}

void UserManager::loadLoggedInAccount()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_loggedIn = false;
        return;
    }
    m_loggedIn = true;

    QTextStream in(&file);
    const auto line = [&in] { return in.atEnd() ? QString() : in.readLine(); };
    const auto number = [&line] { return line().toInt(); };

    m_userId = line().toUInt();
    m_token = line();
    m_tokenSecret = line();
    m_username = line();
    m_twitter = number() != 0;
    m_facebook = number() != 0;
    m_photoCount = decodePhotoCount(number());
    m_email = line();
    m_bio = line();
    m_tumblr = number() != 0;
    m_weibo = number() != 0;
    m_flickr = number() != 0;
    m_vk = number() != 0;
    m_dropBox = number() != 0;
    m_gDrive = number() != 0;
    m_picasa = number() != 0;
    m_protected = number();
}

void UserManager::write(uint userId, const QString &token, const QString &tokenSecret, const QString &username)
{
    // Written beside the old file and renamed over it, owner-only: a crash
    // never leaves a torn account, and the token is not readable by others.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCDebug(lcShell) << "cannot write account file" << m_path << file.errorString();
        return;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QTextStream out(&file);
    out << userId << '\n'
        << oneLine(token) << '\n'
        << oneLine(tokenSecret) << '\n'
        << oneLine(username) << '\n'
        << int(m_twitter) << '\n'
        << int(m_facebook) << '\n'
        << encodePhotoCount(m_photoCount) << '\n'
        << oneLine(m_email) << '\n'
        << oneLine(m_bio) << '\n'
        << int(m_tumblr) << '\n'
        << int(m_weibo) << '\n'
        << int(m_flickr) << '\n'
        << int(m_vk) << '\n'
        << int(m_dropBox) << '\n'
        << int(m_gDrive) << '\n'
        << int(m_picasa) << '\n'
        << m_protected << '\n';
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit())
        qCDebug(lcShell) << "account file not replaced" << m_path << file.errorString();
}

void UserManager::setLoggedUserInformation(uint userId, QString username, QString token, QString tokenSecret)
{
    write(userId, token, tokenSecret, username);
}

void UserManager::save()
{
    write(m_userId, m_token, m_tokenSecret, m_username);
}

void UserManager::logout()
{
    QFile::remove(m_path);
    m_loggedIn = false;
}

void UserManager::setTwitterAvailibility(bool available) { m_twitter = available; save(); }
void UserManager::setFacebookAvailibility(bool available) { m_facebook = available; save(); }
void UserManager::setTumblrAvailibility(bool available) { m_tumblr = available; save(); }
void UserManager::setFlickrAvailibility(bool available) { m_flickr = available; save(); }
void UserManager::setWeiboAvailibility(bool available) { m_weibo = available; save(); }
void UserManager::setVkAvailibility(bool available) { m_vk = available; save(); }
void UserManager::setDropBoxAvailibility(bool available) { m_dropBox = available; save(); }
void UserManager::setGDriveAvailibility(bool available) { m_gDrive = available; save(); }
void UserManager::setPicasaAvailibility(bool available) { m_picasa = available; save(); }

void UserManager::setPhotoCount(int photoCount)
{
    m_photoCount = photoCount;
    save();
}

void UserManager::setProfileDetails(QString bio, QString email)
{
    m_bio = bio;
    m_email = email;
    save();
}

void UserManager::setProtected(bool is_protected)
{
    m_protected = is_protected ? 1 : 0;
    save();
}
