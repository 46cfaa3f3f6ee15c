#include "app/qmlapplicationviewer.h"
#include "app/qmltypes.h"
#include "app/translationloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void chosenBySystemLocale_data();
    void chosenBySystemLocale();
    void signInPageShowsTheLanguage_data();
    void signInPageShowsTheLanguage();

private:
    QTranslator *m_translator = nullptr;
};

namespace {

bool hasThaiLetters(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B)
            return true;
    }
    return false;
}

// The texts of every visible Text item below the item.
void collectShownTexts(QQuickItem *item, QStringList *texts)
{
    if (!item->isVisible())
        return;
    const QVariant text = item->property("text");
    if (item->inherits("QQuickText") && !text.toString().isEmpty())
        texts->append(text.toString());
    for (QQuickItem *child : item->childItems())
        collectShownTexts(child, texts);
}

} // namespace

void TestTranslations::initTestCase()
{
    registerQmlTypes();
}

void TestTranslations::cleanup()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator);
    delete m_translator;
    m_translator = nullptr;
}

void TestTranslations::chosenBySystemLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("twoPosted");
    const QString english = "Your friends can see them in their timeline now.";
    const QString german = "Deine Freunde sehen sie jetzt in ihrer Zeitleiste.";
    const QString thai = "ตอนนี้เพื่อน ๆ ของคุณเห็นรูปภาพเหล่านี้ในไทม์ไลน์แล้ว";
    QTest::newRow("German") << "de_DE" << german << "2 Fotos veröffentlicht";
    QTest::newRow("German of Austria") << "de_AT" << german << "2 Fotos veröffentlicht";
    QTest::newRow("Thai") << "th_TH" << thai << "โพสต์รูปภาพแล้ว 2 รูป";
    QTest::newRow("English") << "en_GB" << english << "2 photos posted";
    QTest::newRow("no translation") << "fr_FR" << english << "2 photos posted";
    QTest::newRow("C") << "C" << english << "2 photos posted";
}

void TestTranslations::chosenBySystemLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, body);
    QFETCH(QString, twoPosted);
    m_translator = installTranslations(QLocale(locale));
    QVERIFY(m_translator);
    QCOMPARE(QCoreApplication::translate("DesktopNotifier", "Your friends can see them in their timeline now."),
             body);
    QCOMPARE(QCoreApplication::translate("DesktopNotifier", "%n photo(s) posted", nullptr, 2), twoPosted);
}

void TestTranslations::signInPageShowsTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("thai");
    QTest::newRow("Thai") << "th_TH" << true;
    QTest::newRow("English") << "en_US" << false;
}

void TestTranslations::signInPageShowsTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, thai);
    // Without a Thai font the page would show empty boxes.
    QVERIFY(!QFontDatabase().families(QFontDatabase::Thai).isEmpty());
    m_translator = installTranslations(QLocale(locale));
    QVERIFY(m_translator);

    // No account file in a fresh working directory: the sign-in page.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QmlApplicationViewer view;
    view.resize(480, 854);
    view.loadMainQml(QStringLiteral("qml/ui/mainM.qml"));
    QDir::setCurrent(previous);
    QVERIFY(view.rootObject());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QStringList texts;
    collectShownTexts(view.rootObject(), &texts);
    QVERIFY2(!texts.isEmpty(), "the page shows no text");
    const bool anyThai = std::any_of(texts.cbegin(), texts.cend(), hasThaiLetters);
    QVERIFY2(anyThai == thai, qPrintable(texts.join(QLatin1String(" | "))));

    // Kept for a look: build/screenshots/signin-<locale>.png
    QSharedPointer<QQuickItemGrabResult> grab = view.rootObject()->grabToImage();
    QVERIFY(grab);
    QSignalSpy ready(grab.data(), &QQuickItemGrabResult::ready);
    QVERIFY(ready.wait());
    const QString shots = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QVERIFY(QDir().mkpath(shots));
    QVERIFY(grab->image().save(shots + QStringLiteral("/signin-") + locale + QStringLiteral(".png")));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
