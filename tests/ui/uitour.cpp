// Visits every screen of the app against a seeded stand-in service and
// saves a picture of each: uitour <folder> <width> <height>.
#include "tests/ui/uiharness.h"

#include <QApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cstdio>

namespace {

class Tour
{
public:
    Tour(UiHarness &ui, const QString &folder) : m_ui(ui), m_folder(folder) { }

    void shoot(const QString &name)
    {
        QTest::qWait(400);
        m_ui.waitFor([this] { return !busyImages(); }, 8000);
        const QImage image = m_ui.grab();
        const QString file = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (image.isNull() || !image.save(file))
            std::fprintf(stderr, "could not save %s\n", qPrintable(file));
        else
            std::printf("%s\n", qPrintable(file));
    }

    void open(const QString &page, const QVariantMap &properties = {})
    {
        QMetaObject::invokeMethod(m_ui.root()->childItems().first(), "openPage", Q_ARG(QVariant, page),
                                  Q_ARG(QVariant, properties));
        QTest::qWait(500);
    }
    void tab(int index)
    {
        QMetaObject::invokeMethod(m_ui.root()->childItems().first(), "showTab", Q_ARG(QVariant, index));
        QTest::qWait(300);
    }
    void back()
    {
        m_ui.key(Qt::Key_Escape);
        QTest::qWait(400);
    }
    bool waitText(const QString &text) { return m_ui.waitFor([&] { return m_ui.findText(text) != nullptr; }); }

    void signIn(const QString &name, const QString &password)
    {
        m_ui.waitFor([this] { return m_ui.find(QStringLiteral("username")); });
        m_ui.type(m_ui.find(QStringLiteral("username")), name);
        m_ui.type(m_ui.find(QStringLiteral("password")), password);
        m_ui.click(m_ui.find(QStringLiteral("signIn")));
        m_ui.waitFor([this] { return m_ui.find(QStringLiteral("homePage")); });
    }

private:
    // Pictures still on their way, so a shot does not catch grey squares.
    bool busyImages()
    {
        return !m_ui.findAll([](QQuickItem *item) {
            if (item->inherits("QQuickImage"))
                return item->property("status").toInt() == 2;
            return QByteArray(item->metaObject()->className()).startsWith("RemoteImage")
                && !item->property("source").toUrl().isEmpty() && !item->property("ready").toBool()
                && !item->property("failed").toBool();
        }).isEmpty();
    }

    UiHarness &m_ui;
    QString m_folder;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: uitour <folder> <width> <height>\n");
        return 2;
    }
    // Absolute: the harness works in a home folder of its own.
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    UiHarness ui;
    QString error;
    if (!ui.startService(&error)) {
        std::fprintf(stderr, "service: %s\n", qPrintable(error));
        return 1;
    }
    ui.startApp();
    ui.window()->showNormal();
    ui.window()->resize(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt());
    Tour tour(ui, folder);

    tour.shoot(QStringLiteral("01-sign-in"));
    tour.open(QStringLiteral("RegisterPage.qml"));
    tour.shoot(QStringLiteral("02-register"));
    tour.open(QStringLiteral("TermsPage.qml"));
    tour.shoot(QStringLiteral("03-terms"));
    tour.back();
    tour.back();
    tour.open(QStringLiteral("ForgotPasswordPage.qml"));
    tour.shoot(QStringLiteral("04-password-reminder"));
    tour.back();

    tour.signIn(QStringLiteral("demo"), QStringLiteral("taviro-demo"));
    ui.waitFor([&] { return ui.find(QStringLiteral("timeline")) && ui.find(QStringLiteral("timeline"))->property("count").toInt() > 0; });
    tour.shoot(QStringLiteral("05-home"));
    const auto cards = ui.findAll([](QQuickItem *item) {
        return QByteArray(item->metaObject()->className()).startsWith("PhotoCard");
    });
    const QVariantMap photo = cards.isEmpty() ? QVariantMap() : cards.first()->property("photo").toMap();
    tour.open(QStringLiteral("PhotoPage.qml"), {{QStringLiteral("photo"), photo}});
    tour.shoot(QStringLiteral("06-photo"));
    tour.open(QStringLiteral("CommentsPage.qml"), {{QStringLiteral("photo"), photo}});
    tour.shoot(QStringLiteral("07-comments"));

    tour.tab(1);
    tour.shoot(QStringLiteral("08-popular"));
    tour.tab(3);
    tour.shoot(QStringLiteral("09-notifications"));
    tour.open(QStringLiteral("FollowRequestsPage.qml"));
    tour.shoot(QStringLiteral("10-follow-requests"));
    tour.tab(4);
    tour.shoot(QStringLiteral("11-own-profile"));
    tour.open(QStringLiteral("ProfilePage.qml"), {{QStringLiteral("username"), QStringLiteral("anna_k")}});
    tour.shoot(QStringLiteral("12-profile"));
    tour.open(QStringLiteral("UserPhotosPage.qml"), {{QStringLiteral("username"), QStringLiteral("anna_k")}});
    tour.shoot(QStringLiteral("13-user-photos"));
    tour.open(QStringLiteral("PeoplePage.qml"), {{QStringLiteral("kind"), QStringLiteral("followers")},
                                                 {QStringLiteral("username"), QStringLiteral("anna_k")}});
    tour.shoot(QStringLiteral("14-followers"));
    tour.open(QStringLiteral("ProfilePage.qml"), {{QStringLiteral("username"), QStringLiteral("hiro")}});
    tour.shoot(QStringLiteral("15-private-profile"));
    tour.open(QStringLiteral("PeoplePage.qml"), {{QStringLiteral("kind"), QStringLiteral("search")}});
    ui.type(ui.find(QStringLiteral("searchField")), QStringLiteral("an"));
    ui.waitFor([&] {
        return !ui.findAll([](QQuickItem *item) {
            return QByteArray(item->metaObject()->className()).startsWith("UserRow");
        }).isEmpty();
    });
    tour.shoot(QStringLiteral("16-search"));
    tour.open(QStringLiteral("PeoplePage.qml"), {{QStringLiteral("kind"), QStringLiteral("suggestions")}});
    tour.shoot(QStringLiteral("17-suggestions"));
    tour.open(QStringLiteral("SettingsPage.qml"));
    tour.shoot(QStringLiteral("18-settings"));
    tour.open(QStringLiteral("ProfileDetailsPage.qml"));
    tour.shoot(QStringLiteral("19-profile-details"));
    tour.open(QStringLiteral("ChangePasswordPage.qml"));
    tour.shoot(QStringLiteral("20-change-password"));
    tour.open(QStringLiteral("LinkedNetworksPage.qml"));
    tour.shoot(QStringLiteral("21-linked-networks"));
    tour.open(QStringLiteral("PeoplePage.qml"), {{QStringLiteral("kind"), QStringLiteral("blocked")}});
    tour.shoot(QStringLiteral("22-blocked"));
    tour.open(QStringLiteral("AboutPage.qml"));
    tour.shoot(QStringLiteral("23-about"));
    tour.tab(2);
    tour.shoot(QStringLiteral("24-post"));

    // A new member: the empty states.
    QMetaObject::invokeMethod(ui.root()->childItems().first(), "leaveApp");
    QTest::qWait(300);
    tour.open(QStringLiteral("RegisterPage.qml"));
    ui.waitFor([&] { return ui.findText(QStringLiteral("Create the account")); });
    const auto fields = ui.findAll([](QQuickItem *item) { return item->inherits("QQuickTextField"); });
    const QStringList values{QStringLiteral("newcomer"), QStringLiteral("newcomer-pass"),
                             QStringLiteral("newcomer-pass"), QStringLiteral("newcomer@example.org")};
    for (int i = 0; i < fields.size() && i < values.size(); ++i)
        ui.type(fields.at(i), values.at(i));
    ui.click(ui.findText(QStringLiteral("I accept the terms of use")));
    ui.click(ui.findText(QStringLiteral("Create the account")));
    ui.waitFor([&] { return ui.find(QStringLiteral("homePage")); });
    tour.shoot(QStringLiteral("25-home-empty"));
    tour.tab(3);
    tour.shoot(QStringLiteral("26-notifications-empty"));
    tour.tab(4);
    tour.shoot(QStringLiteral("27-own-profile-empty"));
    return 0;
}
