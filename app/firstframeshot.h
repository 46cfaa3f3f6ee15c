#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>

class QQuickItemGrabResult;
class QQuickView;

/**
 * Saves a picture of the view's content once its first frame is on screen,
 * then ends the event loop (status 0 when the picture was written). This is
 * how the screenshot script and the install checks see the running app,
 * headless or not.
 */
class FirstFrameShot : public QObject
{
    Q_OBJECT
public:
    FirstFrameShot(QQuickView *view, const QString &fileName);

    // Arms one, parented to the view, when TAVIRO_SCREENSHOT names a file.
    static void armFromEnvironment(QQuickView *view);

private:
    void grab();
    void finish(bool saved);

    QQuickView *m_view;
    QString m_fileName;
    QSharedPointer<QQuickItemGrabResult> m_result;
};
