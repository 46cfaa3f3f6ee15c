#include "app/screenmanager.h"

#include "app/qmlapplicationviewer.h"

QmlApplicationViewer *ScreenManager::mainView = nullptr;

ScreenManager::ScreenManager(QObject *parent)
    : QObject(parent)
{
}

void ScreenManager::setOrientation(int orientation)
{
    if (!mainView)
        return;
    switch (orientation) {
    case 0:
        mainView->lockOrientation(QmlApplicationViewer::AutoRotate);
        break;
    case 1:
        mainView->lockOrientation(QmlApplicationViewer::PortraitLocked);
        break;
    case 2:
        mainView->lockOrientation(QmlApplicationViewer::LandscapeLocked);
        break;
    default:
        break;
    }
}
