#pragma once

#include <QObject>
#include <QPointer>

/**
 * Opens the on-screen keyboard once when a text input gains focus, leaves it
 * alone while focus moves between inputs, and closes it once focus leaves.
 */
class EventFilter : public QObject
{
    Q_OBJECT
public:
    explicit EventFilter(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void softwareInputPanelRequested(bool open);

private:
    QPointer<QObject> m_lastFocusWidget;
};
