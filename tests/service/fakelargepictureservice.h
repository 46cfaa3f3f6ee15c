#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

// Stands in for the service controller's large-picture calls.
class FakeLargePictureService : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE int getLargePicture(QString url)
    {
        requested << url;
        return ++m_lastTransaction;
    }
    Q_INVOKABLE void cancelTransactionByTransactionID(int uid) { cancelled << uid; }

    // Forgets every call; the next transaction is 101 again.
    void reset()
    {
        requested.clear();
        cancelled.clear();
        m_lastTransaction = 100;
    }

    QStringList requested;
    QList<int> cancelled;

private:
    int m_lastTransaction = 100;
};
