#pragma once

#include <QQuickItem>

/**
 * QML element that receives the results of service calls. QML documents
 * declare onTaviroServiceDataReceived(success, data) and
 * onTaviroServiceError(statusCode, message) as functions on it; the
 * controller calls them by name.
 */
class TaviroServiceHandler : public QQuickItem
{
    Q_OBJECT
public:
    explicit TaviroServiceHandler(QQuickItem *parent = nullptr);
};
