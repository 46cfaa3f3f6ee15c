// Qt Quick tests of the posting pages: the pages run with the app's QML
// types; the native collaborators a test watches are stand-ins in QML.
#include "app/qmltypes.h"

#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

class PostingSetup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_workDir;

public slots:
    void applicationAvailable()
    {
        // The editor's working files stay out of the source tree.
        QDir::setCurrent(m_workDir.path());
        registerQmlTypes();
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // The context objects the pages reach by name; each test hands its
        // pages the stand-ins it watches.
        for (const char *name : {"uploaderQueueModel", "photomodel", "globalServices"})
            engine->rootContext()->setContextProperty(QString::fromLatin1(name), QVariant::fromValue<QObject *>(nullptr));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(posting, PostingSetup)

#include "tst_qml_posting.moc"
