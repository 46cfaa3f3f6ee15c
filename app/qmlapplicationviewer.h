#pragma once

#include <QQuickView>
#include <QString>

/** The main view: loads the root QML file from the install tree and keeps the orientation lock. */
class QmlApplicationViewer : public QQuickView
{
    Q_OBJECT
public:
    enum OrientationMode { PortraitLocked = 0, LandscapeLocked = 1, AutoRotate = 2 };

    explicit QmlApplicationViewer(QWindow *parent = nullptr);

    void lockOrientation(OrientationMode mode);
    OrientationMode orientationMode() const { return m_orientationMode; }

    // "<executable folder>/../<path>" when that exists, else path unchanged.
    static QString resolveInstalledPath(const QString &path);
    void loadMainQml(const QString &path);
    QString mainQmlFile() const { return m_mainQmlFile; }

private:
    QString m_mainQmlFile;
    OrientationMode m_orientationMode = AutoRotate;
};
