#pragma once

#include <QObject>
#include <QString>

#include <memory>

/**
 * The signed-in account, kept as the seventeen-line file ".TAVIRO/trash".
 * Every instance is a fresh view of the file; getInstance() re-reads it.
 */
class UserManager : public QObject
{
    Q_OBJECT
public:
    explicit UserManager(QObject *parent = nullptr);

    Q_INVOKABLE void loadLoggedInAccount();
    Q_INVOKABLE void setLoggedUserInformation(uint userId, QString username, QString token, QString tokenSecret);
    Q_INVOKABLE void save();
    Q_INVOKABLE void logout();
    // A fresh account store read from the file; callers use it at once.
    static std::unique_ptr<UserManager> getInstance();

    Q_INVOKABLE uint getUserId() const { return m_userId; }
    Q_INVOKABLE QString getToken() const { return m_token; }
    Q_INVOKABLE QString getTokenSecret() const { return m_tokenSecret; }
    Q_INVOKABLE QString getUsername() const { return m_username; }

    Q_INVOKABLE void setTwitterAvailibility(bool available);
    Q_INVOKABLE void setFacebookAvailibility(bool available);
    Q_INVOKABLE void setTumblrAvailibility(bool available);
    Q_INVOKABLE void setFlickrAvailibility(bool available);
    Q_INVOKABLE void setWeiboAvailibility(bool available);
    Q_INVOKABLE void setVkAvailibility(bool available);
    Q_INVOKABLE void setDropBoxAvailibility(bool available);
    Q_INVOKABLE void setGDriveAvailibility(bool available);
    Q_INVOKABLE void setPicasaAvailibility(bool available);
    Q_INVOKABLE void setPhotoCount(int photoCount);
    Q_INVOKABLE void setProfileDetails(QString bio, QString email);
    Q_INVOKABLE void setProtected(bool is_protected);

    Q_INVOKABLE bool isTwitterAvailable() const { return m_twitter; }
    Q_INVOKABLE bool isFacebookAvailable() const { return m_facebook; }
    Q_INVOKABLE bool isTumblrAvailable() const { return m_tumblr; }
    Q_INVOKABLE bool isFlickrAvailable() const { return m_flickr; }
    Q_INVOKABLE bool isWeiboAvailable() const { return m_weibo; }
    Q_INVOKABLE bool isVkAvailable() const { return m_vk; }
    Q_INVOKABLE bool isDropBoxAvailable() const { return m_dropBox; }
    Q_INVOKABLE bool isGDriveAvailable() const { return m_gDrive; }
    Q_INVOKABLE bool isPicasaAvailable() const { return m_picasa; }
    Q_INVOKABLE int getPhotoCount() const { return m_photoCount; }
    Q_INVOKABLE QString getEmail() const { return m_email; }
    Q_INVOKABLE QString getBio() const { return m_bio; }
    Q_INVOKABLE bool getProtected() const { return m_protected != 0; }
    Q_INVOKABLE bool isLoggedIn() const { return m_loggedIn; }

    // The photo count as stored in the file, and back.
    static qint32 encodePhotoCount(qint32 count);
    static qint32 decodePhotoCount(qint32 stored);

private:
    void write(uint userId, const QString &token, const QString &tokenSecret, const QString &username);

    QString m_path;
    bool m_loggedIn = false;
    uint m_userId = 0;
    QString m_token;
    QString m_tokenSecret;
    QString m_username;
    bool m_twitter = false;
    bool m_facebook = false;
    bool m_tumblr = false;
    bool m_flickr = false;
    bool m_weibo = false;
    bool m_vk = false;
    bool m_dropBox = false;
    bool m_gDrive = false;
    bool m_picasa = false;
    qint32 m_photoCount = 0;
    QString m_email;
    QString m_bio;
    qint32 m_protected = 0;
};
