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
    // Item focus can move without any event reaching the view itself.
    connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, &EventFilter::updateInputPanel);
}

bool EventFilter::eventFilter(QObject *watched, QEvent *event)
{
    // Our own focus query reaches the view too when the view holds the focus.
    if (event->type() != QEvent::InputMethodQuery)
        updateInputPanel();
    return QObject::eventFilter(watched, event);
}

void EventFilter::updateInputPanel()
{
    QInputMethod *inputMethod = QGuiApplication::inputMethod();
    if (!inputMethod)
        return;

    QObject *focus = focusedTextInput();
    if (!focus && m_lastFocusWidget) {
        inputMethod->hide();
        emit softwareInputPanelRequested(false);
    } else if (!m_lastFocusWidget && focus) {
        inputMethod->show();
        emit softwareInputPanelRequested(true);
    }
    m_lastFocusWidget = focus;
}
