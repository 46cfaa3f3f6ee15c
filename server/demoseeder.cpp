#include "server/demoseeder.h"

#include "server/apiservice.h"
#include "server/serverlog.h"

#include <QDateTime>
#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>

#include <random>

namespace {

struct Person
{
    const char *username;
    const char *description;
    bool isProtected;
};

const Person kPeople[] = {
    {"demo", "Trying out TAVIRO. Coffee, friends and whatever the light does.", true},
    {"anna_k", "Cats and corners of the city.", false},
    {"bruno", "Space nerd with a camera.", false},
    {"chen_wei", "Launches, stars, long exposures.", false},
    {"dilnoza", "Birds before breakfast.", false},
    {"emeka", "Reptiles are misunderstood.", false},
    {"farah", "Flowers, and my dog Daisy.", false},
    {"giulia", "Beaches and streets.", false},
    {"hiro", "Private album for friends.", true},
    {"ines", "Walking, mostly uphill.", false},
    {"jonas", "Weekend photographer.", false},
    {"kalani", "Sunsets are my thing.", false},
    {"lena", "Mountains. Friends only.", true},
};

struct SeedPhoto
{
    const char *path; // absolute, or relative to the photo folder
    const char *owner;
    const char *caption;
};

// Authors and licences: server/CREDITS.
const SeedPhoto kPhotos[] = {
    {"skimage/chelsea.png", "anna_k", "Chelsea judging my life choices"},
    {"skimage/astronaut.png", "bruno", "Portrait of a hero"},
    {"/usr/share/doc/libsixel-examples/examples/images/egret.jpg", "dilnoza", "Egret at the lake"},
    {"skimage/rocket.jpg", "chen_wei", "Launch day"},
    {"/usr/share/doc/libjs-jquery-colorbox/examples/content/daisy.jpg", "farah", "Daisy, head of security"},
    {"/usr/share/backgrounds/seeding_by_Clements_Engelhardt.jpg", "demo", "Spring seeding"},
    {"/usr/share/doc/libsixel-examples/examples/images/snake.jpg", "emeka", "Say hello to Monty"},
    {"/usr/share/doc/libjs-jquery-colorbox/examples/content/marylou.jpg", "giulia", "Beach ride"},
    {"skimage/hubble_deep_field.jpg", "chen_wei", "So many galaxies"},
    {"/usr/share/doc/libjs-jquery-colorbox/examples/content/ohoopee1.jpg", "hiro", "Grandpa's river days"},
    {"/usr/share/backgrounds/umang_by_Abhishek_Mudgal.jpg", "anna_k", "Colour study"},
    {"/usr/share/doc/libjs-jquery-colorbox/examples/content/ohoopee2.jpg", "ines", "Down by the creek"},
    {"/usr/share/backgrounds/picosdeeuropa_by_Aitzol_Berasategi.jpg", "lena", "Above the clouds"},
    {"skimage/coffee.png", "demo", "Morning fuel"},
    {"/usr/share/doc/libjs-jquery-colorbox/examples/content/ohoopee3.jpg", "jonas", "Fishing for tadpoles"},
    {"/usr/share/backgrounds/sunset_by_Aitzol_Berasategi.jpg", "kalani", "Tonight's show"},
    {"/usr/share/backgrounds/friends_by_Aitzol_Berasategi.jpg", "demo", "Two friends waiting at the window"},
};

const char *const kComments[] = {
    "Love this!", "What a shot", "Where was this taken?", "The colours!", "Wow", "Beautiful light",
    "Saving this one", "Need to go there", "So good", "Great framing",
};

struct BadgeSeed
{
    const char *name;
    const char *description;
    const char *colour;
};

const BadgeSeed kBadges[] = {
    {"Early Bird", "Joined in the first weeks", "#f5a623"},
    {"Shutterbug", "Posted a photo every week", "#4a90e2"},
    {"Crowd Pleaser", "A photo with ten loves", "#d0021b"},
    {"Chatterbox", "Wrote twenty comments", "#7ed321"},
    {"Explorer", "Photos from three places", "#9013fe"},
};

// A follow as it happened: follower, followed, whether a private account
// accepted it (ignored for open accounts).
struct FollowSeed
{
    const char *follower;
    const char *target;
    bool accept;
};

const FollowSeed kFollows[] = {
    {"demo", "anna_k", true},   {"demo", "bruno", true},    {"demo", "chen_wei", true}, {"demo", "dilnoza", true},
    {"demo", "farah", true},    {"demo", "giulia", true},   {"demo", "hiro", true},     {"demo", "kalani", true},
    {"anna_k", "demo", true},   {"bruno", "demo", true},    {"chen_wei", "demo", true}, {"farah", "demo", true},
    {"giulia", "demo", true},   {"ines", "demo", true},     {"kalani", "demo", true},   {"emeka", "demo", false},
    {"anna_k", "bruno", true},  {"bruno", "chen_wei", true}, {"chen_wei", "bruno", true}, {"dilnoza", "farah", true},
    {"farah", "giulia", true},  {"giulia", "anna_k", true}, {"ines", "lena", true},     {"lena", "ines", true},
    {"jonas", "kalani", true},  {"kalani", "jonas", true},  {"emeka", "dilnoza", true}, {"hiro", "anna_k", true},
};

} // namespace

DemoSeeder::DemoSeeder(ApiService &api, const QString &photoFolder)
    : m_api(api)
    , m_photoFolder(photoFolder)
{
}

QImage DemoSeeder::drawnPicture(int seed, int size)
{
    std::mt19937 random(static_cast<unsigned>(seed) * 7919u + 17u);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    QImage image(size, size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size);
    const QColor top = QColor::fromHsv(pick(180, 260), pick(80, 200), pick(120, 255));
    sky.setColorAt(0, top);
    sky.setColorAt(1, QColor::fromHsv(pick(0, 50), pick(60, 180), 255));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 180));
    const int sun = size / pick(6, 10);
    painter.drawEllipse(QPoint(pick(sun, size - sun), pick(sun, size / 2)), sun, sun);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hills(QPointF(0, size));
        const int base = size / 2 + layer * size / 8;
        for (int x = 0; x <= size; x += size / 8)
            hills.lineTo(x, base - pick(0, size / 6));
        hills.lineTo(size, size);
        hills.closeSubpath();
        painter.setBrush(QColor::fromHsv(pick(80, 150), 120 + 40 * layer, 160 - 45 * layer));
        painter.drawPath(hills);
    }
    return image;
}

QImage DemoSeeder::picture(const QString &path, int index) const
{
    const QString file = path.startsWith(QLatin1Char('/')) ? path : m_photoFolder + QLatin1Char('/') + path;
    QImageReader reader(file);
    QImage image;
    if (QFile::exists(file) && reader.read(&image) && !image.isNull())
        return image;
    qCInfo(lcServer) << "Demo photo" << file << "is not installed: drawing one instead";
    return drawnPicture(index, 800);
}

void DemoSeeder::seed()
{
    const qint64 start = QDateTime::currentSecsSinceEpoch() - 60 * 86400;
    std::mt19937 random(2012);
    QMap<QString, qint64> ids;

    for (const Person &person : kPeople) {
        const QString name = QLatin1String(person.username);
        const QString password = name == QLatin1String(kDemoUsername) ? QLatin1String(kDemoPassword)
                                                                       : name + QStringLiteral("-pass");
        ids[name] = m_api.createUser(name, password, name + QStringLiteral("@example.org"),
                                     QString::fromUtf8(person.description), person.isProtected, start);
    }

    // Follows during the first weeks; private accounts answer at once.
    qint64 when = start + 86400;
    for (const FollowSeed &follow : kFollows) {
        const qint64 follower = ids.value(QLatin1String(follow.follower));
        const qint64 target = ids.value(QLatin1String(follow.target));
        when += 3600 * 7;
        if (!m_api.follow(follower, target, when))
            m_api.answerFollowRequest(target, follower, follow.accept, when + 1800);
    }

    const qint64 badgeStart = when;
    QList<qint64> badgeIds;
    for (const BadgeSeed &badge : kBadges)
        badgeIds << m_api.createBadge(QString::fromUtf8(badge.name), QString::fromUtf8(badge.description),
                                      QLatin1String(badge.colour));
    for (int i = 0; i < int(std::size(kPeople)); ++i)
        m_api.awardBadge(ids.value(QLatin1String(kPeople[i].username)), badgeIds[0], badgeStart + i * 60);

    // Photos over the last month, each followed by its loves and comments.
    const qint64 photoStart = QDateTime::currentSecsSinceEpoch() - 30 * 86400;
    const qint64 step = 29 * 86400 / qint64(std::size(kPhotos));
    QMap<QString, int> photoCount;
    int index = 0;
    for (const SeedPhoto &photo : kPhotos) {
        const QString owner = QLatin1String(photo.owner);
        const qint64 taken = photoStart + index * step;
        const qint64 photoId = m_api.insertPhoto(ids.value(owner), picture(QString::fromUtf8(photo.path), index),
                                                 QString::fromUtf8(photo.caption), QString(), 0, taken);
        ++index;
        if (!photoId)
            continue;
        if (photoCount[owner]++ == 0)
            m_api.setProfilePicture(ids.value(owner), photoId);
        qint64 moment = taken + 600;
        for (const Person &person : kPeople) {
            const qint64 lover = ids.value(QLatin1String(person.username));
            if (lover == ids.value(owner) || std::uniform_int_distribution<int>(0, 2)(random) == 0
                || !m_api.canSeePhoto(lover, photoId))
                continue;
            moment += 900;
            m_api.love(lover, photoId, moment);
        }
        const int comments = std::uniform_int_distribution<int>(1, 3)(random);
        qint64 previous = 0;
        for (int c = 0; c < comments; ++c) {
            const Person &person = kPeople[std::uniform_int_distribution<int>(0, int(std::size(kPeople)) - 1)(random)];
            const qint64 author = ids.value(QLatin1String(person.username));
            if (!m_api.canSeePhoto(author, photoId))
                continue;
            moment += 1200;
            const QString text = QString::fromUtf8(kComments[std::uniform_int_distribution<int>(0, 9)(random)]);
            previous = m_api.comment(author, photoId, text, c == 2 ? previous : 0, moment);
        }
    }

    const qint64 recent = QDateTime::currentSecsSinceEpoch() - 6 * 3600;
    m_api.awardBadge(ids.value(QStringLiteral("demo")), badgeIds[1], recent);
    m_api.awardBadge(ids.value(QStringLiteral("chen_wei")), badgeIds[4], recent + 60);
    m_api.awardBadge(ids.value(QStringLiteral("anna_k")), badgeIds[2], recent + 120);
    // Requests still waiting: two for the demo account, one of its own.
    m_api.follow(ids.value(QStringLiteral("jonas")), ids.value(QStringLiteral("demo")), recent + 600);
    m_api.follow(ids.value(QStringLiteral("dilnoza")), ids.value(QStringLiteral("demo")), recent + 1200);
    m_api.follow(ids.value(QStringLiteral("demo")), ids.value(QStringLiteral("lena")), recent + 1800);
    m_api.linkNetwork(ids.value(QStringLiteral("bruno")), QStringLiteral("twitter"), QStringLiteral("bruno_space"),
                      QStringLiteral("seeded"), QStringLiteral("seeded"));
    m_api.linkNetwork(ids.value(QStringLiteral("jonas")), QStringLiteral("facebook"), QString(),
                      QStringLiteral("seeded"), QString());
    qCInfo(lcServer) << "Demo community seeded:" << ids.size() << "people," << index << "photos";
}
