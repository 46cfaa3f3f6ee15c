#include "app/qmlapplicationviewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QQmlEngine>
#include <QScreen>
#include <QUrl>

QmlApplicationViewer::QmlApplicationViewer(QWindow *parent)
    : QQuickView(parent)
{
    connect(engine(), &QQmlEngine::quit, this, &QWindow::close);
    setResizeMode(QQuickView::SizeRootObjectToView);
}

void QmlApplicationViewer::lockOrientation(OrientationMode mode)
{
    m_orientationMode = mode;
    switch (mode) {
    case PortraitLocked:
        reportContentOrientationChange(Qt::PortraitOrientation);
        break;
    case LandscapeLocked:
        reportContentOrientationChange(Qt::LandscapeOrientation);
        break;
    default:
        reportContentOrientationChange(screen() ? screen()->orientation() : Qt::PrimaryOrientation);
        break;
    }
}

QString QmlApplicationViewer::resolveInstalledPath(const QString &path)
{
    const QString candidate = QStringLiteral("%1/../%2").arg(QCoreApplication::applicationDirPath(), path);
    return QFileInfo::exists(candidate) ? candidate : path;
}

void QmlApplicationViewer::loadMainQml(const QString &path)
{
    m_mainQmlFile = resolveInstalledPath(path);
    setSource(QUrl::fromLocalFile(m_mainQmlFile));
}
