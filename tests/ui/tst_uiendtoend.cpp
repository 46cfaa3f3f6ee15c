// The real app, started as the executable starts it, against a fresh demo
// service, driven through its items with mouse and key events. The steps
// run in order and build on each other, as a person would use the app.
#include "tests/ui/uiharness.h"

#include "models/timelinemodel.h"

#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

class TestUiEndToEnd : public QObject
{
    Q_OBJECT

    UiHarness m_ui;
    QString m_comment = QStringLiteral("Lovely light");

    QQuickItem *waitFind(const QString &objectName)
    {
        QQuickItem *item = nullptr;
        m_ui.waitFor([&] { return (item = m_ui.find(objectName)) != nullptr; });
        return item;
    }
    QQuickItem *waitText(const QString &text)
    {
        QQuickItem *item = nullptr;
        m_ui.waitFor([&] { return (item = m_ui.findText(text)) != nullptr; });
        return item;
    }
    QList<QQuickItem *> ofType(const char *qmlType)
    {
        return m_ui.findAll([qmlType](QQuickItem *item) {
            return QByteArray(item->metaObject()->className()).startsWith(qmlType);
        });
    }
    QQuickItem *notificationRow(const QString &message)
    {
        QQuickItem *row = nullptr;
        m_ui.waitFor([&] {
            for (QQuickItem *candidate : ofType("NotificationRow")) {
                if (candidate->property("message").toString() == message)
                    row = candidate;
            }
            return row != nullptr;
        });
        return row;
    }
    QQuickItem *inside(QQuickItem *parent, const QString &text)
    {
        const auto found = m_ui.findAll([&](QQuickItem *item) {
            return item->property("text").toString() == text && parent->isAncestorOf(item);
        });
        return found.isEmpty() ? nullptr : found.first();
    }
    QQuickItem *cardOf(int photoId)
    {
        for (QQuickItem *candidate : ofType("PhotoCard")) {
            if (candidate->property("photoId").toInt() == photoId)
                return candidate;
        }
        return nullptr;
    }
    void back() { m_ui.key(Qt::Key_Escape); }
    void tab(int index) { m_ui.click(waitFind(QStringLiteral("tab%1").arg(index))); }

    void signIn(const QString &name, const QString &password)
    {
        QQuickItem *user = waitFind(QStringLiteral("username"));
        QVERIFY(user);
        m_ui.type(user, name);
        m_ui.type(m_ui.find(QStringLiteral("password")), password);
        m_ui.click(m_ui.find(QStringLiteral("signIn")));
        QVERIFY(waitFind(QStringLiteral("homePage")));
    }
    void signOut()
    {
        tab(4);
        QQuickItem *settings = waitFind(QStringLiteral("settingsButton"));
        QVERIFY(settings);
        m_ui.click(settings);
        QQuickItem *item = waitText(QStringLiteral("Sign out"));
        QVERIFY(item);
        m_ui.click(item);
        QQuickItem *ok = waitText(QStringLiteral("OK"));
        QVERIFY(ok);
        m_ui.click(ok);
        QVERIFY(waitFind(QStringLiteral("signInPage")));
    }
    QQuickItem *openProfileBySearch(const QString &name)
    {
        tab(1);
        QQuickItem *search = waitFind(QStringLiteral("searchButton"));
        if (!search)
            return nullptr;
        m_ui.click(search);
        m_ui.type(waitFind(QStringLiteral("searchField")), name);
        m_ui.key(Qt::Key_Return);
        QQuickItem *row = nullptr;
        m_ui.waitFor([&] {
            for (QQuickItem *candidate : ofType("UserRow")) {
                if (candidate->property("username").toString() == name)
                    row = candidate;
            }
            return row != nullptr;
        });
        if (!row)
            return nullptr;
        m_ui.click(row);
        QQuickItem *follow = nullptr;
        m_ui.waitFor([&] {
            follow = m_ui.find(QStringLiteral("followButton"));
            return follow && !follow->property("text").toString().isEmpty()
                && m_ui.find(QStringLiteral("profilePage"))->property("loaded").toBool();
        });
        return follow;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_ui.startService(&error), qPrintable(error));
        m_ui.startApp();
        m_ui.window()->showNormal();
        m_ui.window()->resize(480, 854);
    }

    void signInWithTheDemoAccount()
    {
        signIn(QStringLiteral("demo"), QStringLiteral("taviro-demo"));
        QQuickItem *timeline = waitFind(QStringLiteral("timeline"));
        QVERIFY(m_ui.waitFor([&] { return timeline->property("count").toInt() > 0; }));
        QVERIFY(QFile::exists(QStringLiteral(".TAVIRO/trash")));
    }

    void timelineShowsPictures()
    {
        QVERIFY(m_ui.waitFor([&] {
            const auto pictures = m_ui.findAll([](QQuickItem *item) {
                return item->objectName() == QLatin1String("cardPicture") && item->property("ready").toBool();
            });
            return !pictures.isEmpty();
        }));
    }

    void loveAPhotoAndCommentOnIt()
    {
        // The first photo demo has not loved yet, scrolled to the top.
        TimelineModel *rows = TimelineModel::getInstance();
        int row = 0;
        while (row < rows->rowCount() && rows->data(rows->index(row), 51).toBool())
            ++row;
        QVERIFY2(row < rows->rowCount(), "a photo not loved yet");
        const int photoId = rows->data(rows->index(row), 34).toInt();
        QQuickItem *timeline = m_ui.find(QStringLiteral("timeline"));
        QMetaObject::invokeMethod(timeline, "positionViewAtIndex", Q_ARG(int, row), Q_ARG(int, 1));
        // Near the end the list asks for older photos and is made anew.
        QTest::qWait(100);
        QVERIFY(m_ui.waitFor([&] { return !rows->isLoadingMore(); }));
        QTest::qWait(100);
        QQuickItem *card = nullptr;
        QVERIFY(m_ui.waitFor([&] {
            card = cardOf(photoId);
            return card && card->mapToScene(QPointF(0, card->height())).y() < m_ui.window()->height();
        }));
        const int loves = card->property("loveCount").toInt();
        const auto love = m_ui.findAll([&](QQuickItem *item) {
            return item->objectName() == QLatin1String("loveButton") && card->isAncestorOf(item);
        });
        QVERIFY(!love.isEmpty());
        m_ui.click(love.first());
        // The list may make its cards anew when a row changes: find it again.
        QVERIFY(m_ui.waitFor([&] {
            card = cardOf(photoId);
            return card && card->property("doneLove").toBool();
        }));
        QCOMPARE(card->property("loveCount").toInt(), loves + 1);

        const auto comments = m_ui.findAll([&](QQuickItem *item) {
            return item->objectName() == QLatin1String("commentsButton") && card->isAncestorOf(item);
        });
        QVERIFY(!comments.isEmpty());
        m_ui.click(comments.first());
        QQuickItem *composer = waitFind(QStringLiteral("composer"));
        QVERIFY(composer);
        m_ui.type(composer, m_comment);
        m_ui.click(m_ui.find(QStringLiteral("send")));
        QQuickItem *list = waitFind(QStringLiteral("commentList"));
        QVERIFY(m_ui.waitFor([&] {
            return !m_ui.findAll([&](QQuickItem *item) {
                return item->property("text").toString().endsWith(m_comment) && list->isAncestorOf(item);
            }).isEmpty();
        }));
        QCOMPARE(composer->property("text").toString(), QString());

        // The comment list's counters come from the service: the love and
        // the comment are stored there, and the timeline shows them.
        QCOMPARE(rows->data(rows->index(row), 34).toInt(), photoId);
        QTRY_VERIFY(rows->data(rows->index(row), 51).toBool());
        QTRY_COMPARE(rows->data(rows->index(row), 45).toInt(), loves + 1);
        back();
        back();
    }

    void searchAndFollowAPrivateUser()
    {
        // demo asked lena before: take the request back, then ask again.
        QQuickItem *follow = openProfileBySearch(QStringLiteral("lena"));
        QVERIFY(follow);
        QCOMPARE(follow->property("text").toString(), QStringLiteral("Requested"));
        m_ui.click(follow);
        QCOMPARE(follow->property("text").toString(), QStringLiteral("Ask to follow"));
        back();
        back();
        back();
        follow = openProfileBySearch(QStringLiteral("lena"));
        QVERIFY(follow);
        QCOMPARE(follow->property("text").toString(), QStringLiteral("Ask to follow"));
        m_ui.click(follow);
        QCOMPARE(follow->property("text").toString(), QStringLiteral("Requested"));
        back();
        back();
        back();
        follow = openProfileBySearch(QStringLiteral("lena"));
        QVERIFY(follow);
        QCOMPARE(follow->property("text").toString(), QStringLiteral("Requested"));
        back();
        back();
        back();
    }

    void answerTheRequestAsThatUser()
    {
        signOut();
        signIn(QStringLiteral("lena"), QStringLiteral("lena-pass"));
        tab(3);
        QQuickItem *request = notificationRow(QStringLiteral("demo wants to follow you"));
        QVERIFY(request);
        QQuickItem *accept = inside(request, QStringLiteral("Accept"));
        QVERIFY(accept);
        m_ui.click(accept);
        QVERIFY(notificationRow(QStringLiteral("demo is now following you")));
    }

    void theFollowerSeesTheNotification()
    {
        signOut();
        signIn(QStringLiteral("demo"), QStringLiteral("taviro-demo"));
        tab(3);
        QVERIFY(notificationRow(QStringLiteral("lena accepted your follow request")));
    }

    void signOutLeavesNoAccount()
    {
        signOut();
        QVERIFY(!QFile::exists(QStringLiteral(".TAVIRO/trash")));
        QCOMPARE(TimelineModel::getInstance()->rowCount(), 0);
    }
};

QTEST_MAIN(TestUiEndToEnd)

#include "tst_uiendtoend.moc"
