#pragma once

#include <QQuickImageProvider>

/**
 * "image://smartimageprovider/<url>": the decoded network picture that the
 * image cache holds for url, scaled to fit the requested size. Safe on the
 * engine's image reader thread.
 */
class SmartImageProvider : public QQuickImageProvider
{
public:
    SmartImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
};
