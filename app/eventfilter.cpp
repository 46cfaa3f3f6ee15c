#include "app/eventfilter.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodQueryEvent>

namespace {

QObject *focusedTextInput()
{
    QObject *focus = QGuiApplication::focusObject();
    if (!focus)
        return nullptr;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    return query.value(Qt::ImEnabled).toBool() ? focus : nullptr;
}

} // namespace

EventFilter::EventFilter(QObject *parent)
    : QObject(parent)
{
}

bool EventFilter::eventFilter(QObject *watched, QEvent *event)
{
    QInputMethod *inputMethod = QGuiApplication::inputMethod();
    if (!inputMethod)
        return QObject::eventFilter(watched, event);

    QObject *focus = focusedTextInput();
    if (!focus && m_lastFocusWidget) {
        inputMethod->hide();
        emit softwareInputPanelRequested(false);
    } else if (!m_lastFocusWidget && focus) {
        inputMethod->show();
        emit softwareInputPanelRequested(true);
    }
    m_lastFocusWidget = focus;
    return QObject::eventFilter(watched, event);
}
