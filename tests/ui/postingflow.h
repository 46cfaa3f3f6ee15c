#pragma once

#include <QString>

class QQuickItem;
class UiHarness;

/**
 * The steps of posting a photo, driven through the app's items the way a
 * person taps them: shared by the end-to-end test and the screenshot tour.
 * Each step waits for its page and returns false with error() set when the
 * app does not get there.
 */
class PostingFlow
{
public:
    explicit PostingFlow(UiHarness &ui) : m_ui(ui) { }

    QString error() const { return m_error; }

    // The service, the app with the test photos in its gallery, shown at
    // width x height, and the demo account signed in.
    bool start(int width, int height);
    bool signIn(const QString &name, const QString &password);
    bool openPostTab();
    bool openGallery();
    bool pickPhoto(int index);
    // One quarter turn and a drag of the photo by (dx, dy) screen pixels.
    bool turnAndMove(int dx, int dy);
    bool cropDone();
    bool capture();
    // Taps the filter in the strip and waits for its preview; a strength
    // below 100 is then set on the slider and previewed again.
    bool chooseFilter(const QString &name, int strength = 100);
    bool filterDone();
    bool describe(const QString &title, const QString &caption);
    bool post();

    QQuickItem *page(const QString &objectName) const;

private:
    bool waitForPage(const QString &objectName, int timeoutMs = 20000);
    bool click(const QString &objectName);
    bool fail(const QString &why);

    UiHarness &m_ui;
    QString m_error;
};
