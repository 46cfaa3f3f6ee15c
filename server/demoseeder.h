#pragma once

#include <QImage>
#include <QString>

class ApiService;

/**
 * Fills an empty service with a small believable community: the demo
 * account, a dozen others, follows both ways, private accounts with waiting
 * requests, photos with loves, comments and badges, and so notifications of
 * every kind. Photos come from freely licensed pictures of Debian packages
 * (see server/CREDITS); a missing one is replaced by a drawn picture.
 */
class DemoSeeder
{
public:
    static constexpr const char *kDemoUsername = "demo";
    static constexpr const char *kDemoPassword = "taviro-demo";

    // `photoFolder` holds the pictures that are not installed system-wide.
    DemoSeeder(ApiService &api, const QString &photoFolder);

    void seed();

    // A picture drawn from the seed number: sky, sun and hills.
    static QImage drawnPicture(int seed, int size);

private:
    QImage picture(const QString &path, int index) const;

    ApiService &m_api;
    QString m_photoFolder;
};
