#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

/**
 * Device and mobile-network facts: codes, cell and IMEI from ModemManager on
 * the system bus when it runs (empty or 0 otherwise), maker and model from
 * the device tree or DMI, the OS version from os-release. A missing source
 * is never an error.
 */
class QSystemInfoManager : public QObject
{
    Q_OBJECT
public:
    // Reads ModemManager on bus and device files below rootPrefix ("" is the real root).
    explicit QSystemInfoManager(const QDBusConnection &bus, const QString &rootPrefix = QString(),
                                QObject *parent = nullptr);

    static QSystemInfoManager *getInstance();

    QString getCurrentMobileCountryCode() const { return m_currentMcc; }
    QString getCurrentMobileNetworkCode() const { return m_currentMnc; }
    QString getHomeMobileCountryCode() const { return m_homeMcc; }
    QString getHomeMobileNetworkCode() const { return m_homeMnc; }
    int getLocationAreaCode() const { return m_locationAreaCode; }
    int getCellId() const { return m_cellId; }
    QString getImei() const { return m_imei; }
    QString getManufacturer() const { return m_manufacturer; }
    QString getModel() const { return m_model; }
    QString getOsVersion() const { return m_osVersion; }

private:
    void readModem(const QDBusConnection &bus);
    void readDevice(const QString &rootPrefix);

    QString m_currentMcc;
    QString m_currentMnc;
    QString m_homeMcc;
    QString m_homeMnc;
    int m_locationAreaCode = 0;
    int m_cellId = 0;
    QString m_imei;
    QString m_manufacturer;
    QString m_model;
    QString m_osVersion;
};
