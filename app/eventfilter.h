#pragma once

#include <QObject>
#include <QPointer>

/**
 * Opens the on-screen keyboard once when a text input gains focus, leaves it
 * alone while focus moves between inputs, and closes it once focus leaves.
 * Runs for every event of the view it filters and for every focus change.
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
    void updateInputPanel();

    QPointer<QObject> m_lastFocusWidget;
};
