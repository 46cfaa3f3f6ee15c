#pragma once

#include <QObject>
#include <QPointer>

class QQmlEngine;

/**
 * QML's nami: lets the user interface throw away the QML engine's cookies.
 */
class NetworkAccessManagerInteractor : public QObject
{
    Q_OBJECT
public:
    explicit NetworkAccessManagerInteractor(QQmlEngine *engine, QObject *parent = nullptr);

    Q_INVOKABLE void clearCookies();

private:
    QPointer<QQmlEngine> m_engine;
};
