#include "app/firstframeshot.h"

#include "app/shelllog.h"

#include <QCoreApplication>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickView>

FirstFrameShot::FirstFrameShot(QQuickView *view, const QString &fileName)
    : QObject(view)
    , m_view(view)
    , m_fileName(fileName)
{
    // Queued: a threaded render loop swaps frames on its own thread.
    connect(view, &QQuickWindow::frameSwapped, this, &FirstFrameShot::grab, Qt::QueuedConnection);
}

void FirstFrameShot::armFromEnvironment(QQuickView *view)
{
    const QString fileName = qEnvironmentVariable("TAVIRO_SCREENSHOT");
    if (!fileName.isEmpty())
        new FirstFrameShot(view, fileName);
}

void FirstFrameShot::grab()
{
    if (m_result)
        return;
    disconnect(m_view, &QQuickWindow::frameSwapped, this, &FirstFrameShot::grab);
    QQuickItem *root = m_view->rootObject();
    m_result = root ? root->grabToImage() : nullptr;
    if (!m_result) {
        qCWarning(lcShell) << "Screenshot: the user interface did not load";
        finish(false);
        return;
    }
    connect(m_result.data(), &QQuickItemGrabResult::ready, this, [this] {
        finish(m_result->image().save(m_fileName));
    });
}

void FirstFrameShot::finish(bool saved)
{
    if (!saved)
        qCWarning(lcShell) << "Screenshot could not be written to" << m_fileName;
    QCoreApplication::exit(saved ? 0 : 1);
}
