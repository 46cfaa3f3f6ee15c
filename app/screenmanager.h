#pragma once

#include <QObject>

class QmlApplicationViewer;

/** Lets QML lock or free the display orientation of the main view. */
class ScreenManager : public QObject
{
    Q_OBJECT
public:
    explicit ScreenManager(QObject *parent = nullptr);

    Q_INVOKABLE void setOrientation(int orientation);

    static QmlApplicationViewer *mainView;
};
