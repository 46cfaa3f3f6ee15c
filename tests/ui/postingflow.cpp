#include "tests/ui/postingflow.h"

#include "tests/ui/testphotos.h"
#include "tests/ui/uiharness.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

bool PostingFlow::fail(const QString &why)
{
    m_error = why;
    return false;
}

QQuickItem *PostingFlow::page(const QString &objectName) const
{
    return m_ui.find(objectName);
}

bool PostingFlow::waitForPage(const QString &objectName, int timeoutMs)
{
    if (!m_ui.waitFor([&] { return m_ui.find(objectName) != nullptr; }, timeoutMs))
        return fail(objectName + QStringLiteral(" did not show"));
    // A page stack takes no taps while a page slides in.
    auto sliding = [this] {
        return !m_ui.findAll([](QQuickItem *item) {
                        return item->inherits("QQuickStackView") && item->property("busy").toBool();
                    }).isEmpty();
    };
    if (!m_ui.waitFor([&] { return !sliding(); }, timeoutMs))
        return fail(objectName + QStringLiteral(" did not settle"));
    return true;
}

bool PostingFlow::click(const QString &objectName)
{
    QQuickItem *item = m_ui.find(objectName);
    if (!item)
        return fail(QStringLiteral("no visible ") + objectName);
    if (!item->isEnabled())
        return fail(objectName + QStringLiteral(" is disabled"));
    m_ui.click(item);
    return true;
}

bool PostingFlow::start(int width, int height)
{
    QString error;
    if (!m_ui.startService(&error))
        return fail(QStringLiteral("service: ") + error);
    usePrivatePictures(m_ui.home());
    m_ui.startApp();
    m_ui.window()->showNormal();
    m_ui.window()->resize(width, height);
    return signIn(QStringLiteral("demo"), QStringLiteral("taviro-demo"));
}

bool PostingFlow::signIn(const QString &name, const QString &password)
{
    if (!waitForPage(QStringLiteral("username")))
        return false;
    m_ui.type(m_ui.find(QStringLiteral("username")), name);
    m_ui.type(m_ui.find(QStringLiteral("password")), password);
    return click(QStringLiteral("signIn")) && waitForPage(QStringLiteral("homePage"));
}

bool PostingFlow::openPostTab()
{
    return click(QStringLiteral("tab2")) && waitForPage(QStringLiteral("cameraPage"));
}

bool PostingFlow::openGallery()
{
    return click(QStringLiteral("galleryButton")) && waitForPage(QStringLiteral("galleryPage"));
}

bool PostingFlow::pickPhoto(int index)
{
    const QString cell = QStringLiteral("galleryPhoto_%1").arg(index);
    if (!waitForPage(cell) || !click(cell) || !waitForPage(QStringLiteral("cropPage")))
        return false;
    if (!m_ui.waitFor([this] { return page(QStringLiteral("cropPage"))->property("ready").toBool(); }))
        return fail(QStringLiteral("the crop page did not open the photo: ") +
                    page(QStringLiteral("cropPage"))->property("error").toString());
    return true;
}

bool PostingFlow::turnAndMove(int dx, int dy)
{
    if (!click(QStringLiteral("turnButton")))
        return false;
    QQuickItem *square = m_ui.find(QStringLiteral("cropSquare"));
    const QPoint from = square->mapToScene(QPointF(square->width() / 2, square->height() / 2)).toPoint();
    QTest::mousePress(m_ui.window(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(m_ui.window(), from + QPoint(dx, dy) * step / 4);
    QTest::mouseRelease(m_ui.window(), Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, dy));
    return true;
}

bool PostingFlow::cropDone()
{
    return click(QStringLiteral("cropNextButton")) && waitForPage(QStringLiteral("filterPage"));
}

bool PostingFlow::capture()
{
    if (!m_ui.waitFor([this] { return m_ui.find(QStringLiteral("shutterButton"))->isEnabled(); }, 30000))
        return fail(QStringLiteral("the camera did not start"));
    return click(QStringLiteral("shutterButton")) && waitForPage(QStringLiteral("filterPage"), 30000);
}

bool PostingFlow::chooseFilter(const QString &name, int strength)
{
    QQuickItem *filters = page(QStringLiteral("filterPage"));
    QQuickItem *strip = m_ui.find(QStringLiteral("filterStrip"));
    const QVariantList all = filters->property("filters").toList();
    int index = 0;
    while (index < all.size() && all.at(index).toMap().value(QStringLiteral("name")).toString() != name)
        ++index;
    if (index == all.size())
        return fail(QStringLiteral("no filter ") + name);
    // Scrolled to the middle of the strip, as a person would swipe to it.
    constexpr int centre = 1;
    QMetaObject::invokeMethod(strip, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, centre));
    const QString cell = QStringLiteral("filter_") + name;
    if (!waitForPage(cell) || !click(cell))
        return false;
    auto shown = [&] {
        return filters->property("currentFilter").toMap().value(QStringLiteral("name")).toString() == name &&
               !filters->property("previewBusy").toBool();
    };
    if (!m_ui.waitFor(shown))
        return fail(QStringLiteral("the preview of ") + name + QStringLiteral(" did not show"));
    if (strength < 100) {
        QQuickItem *slider = m_ui.find(QStringLiteral("strengthSlider"));
        slider->setProperty("value", strength);
        QMetaObject::invokeMethod(filters, "select", Q_ARG(QVariant, filters->property("current")));
        if (!m_ui.waitFor(shown))
            return fail(QStringLiteral("the preview at %1 % did not show").arg(strength));
    }
    return true;
}

bool PostingFlow::filterDone()
{
    return click(QStringLiteral("filterNextButton")) && waitForPage(QStringLiteral("postDetailsPage"), 30000);
}

bool PostingFlow::describe(const QString &title, const QString &caption)
{
    m_ui.type(m_ui.find(QStringLiteral("titleField")), title);
    m_ui.type(m_ui.find(QStringLiteral("captionField")), caption);
    return true;
}

bool PostingFlow::post()
{
    return click(QStringLiteral("postButton")) && waitForPage(QStringLiteral("homePage"));
}
