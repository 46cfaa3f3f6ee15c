#pragma once

#include <QQuickItem>
#include <QString>

/**
 * Launch-and-answer picker: launch() answers at once with the bundled
 * sample photo; the gallery grid itself is built in QML on photomodel.
 */
class PhotoPicker : public QQuickItem
{
    Q_OBJECT
public:
    explicit PhotoPicker(QQuickItem *parent = nullptr);

    static QString samplePhotoPath();

    Q_INVOKABLE void launch();

signals:
    void selected(QString filename);
    void canceled();
};
