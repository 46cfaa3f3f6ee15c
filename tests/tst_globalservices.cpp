#include "app/globalservices.h"

#include <QMetaMethod>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class TestGlobalServices : public QObject
{
    Q_OBJECT
private slots:
    void everySignalHasItsEmitter();
    void emitReachesHandlersInConnectionOrder();
    void emittersForwardTheirArguments();
    void destroyObjectsIsDeferred();
};

void TestGlobalServices::everySignalHasItsEmitter()
{
    // QML calls emitX(...) with the signal's own parameter names.
    const QMetaObject &meta = GlobalServices::staticMetaObject;
    int signalCount = 0;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod signal = meta.method(i);
        if (signal.methodType() != QMetaMethod::Signal)
            continue;
        ++signalCount;
        QByteArray emitter = signal.methodSignature();
        emitter[0] = char(toupper(emitter[0]));
        emitter.prepend("emit");
        const int index = meta.indexOfMethod(emitter.constData());
        QVERIFY2(index >= 0, emitter.constData());
        QCOMPARE(meta.method(index).methodType(), QMetaMethod::Method);
        QCOMPARE(meta.method(index).parameterNames(), signal.parameterNames());
    }
    QCOMPARE(signalCount, 28);
}

void TestGlobalServices::emitReachesHandlersInConnectionOrder()
{
    GlobalServices hub;
    QList<QPair<int, int>> calls;
    connect(&hub, &GlobalServices::pictureDeleted, this, [&calls](int id) { calls.append({1, id}); });
    connect(&hub, &GlobalServices::pictureDeleted, this, [&calls](int id) { calls.append({2, id}); });
    connect(&hub, &GlobalServices::pictureDeleted, this, [&calls](int id) { calls.append({3, id}); });

    QVERIFY(QMetaObject::invokeMethod(&hub, "emitPictureDeleted", Q_ARG(int, 12)));
    const QList<QPair<int, int>> expected = {{1, 12}, {2, 12}, {3, 12}};
    QCOMPARE(calls, expected);
}

void TestGlobalServices::emittersForwardTheirArguments()
{
    GlobalServices hub;
    QSignalSpy loved(&hub, &GlobalServices::setLovedCommentedData);
    QSignalSpy progress(&hub, &GlobalServices::largePictureDownloadProgressUpdated);
    QSignalSpy salt(&hub, &GlobalServices::accessLevelSaltChanged);

    hub.emitSetLovedCommentedData(4, 10, 1, 3, 0);
    hub.emitLargePictureDownloadProgressUpdated(QStringLiteral("http://h/p.jpg"), 5000000000LL, 6000000000LL);
    hub.emitAccessLevelSaltChanged(9, QStringLiteral("private"), QStringLiteral("ab12"));

    QCOMPARE(loved.size(), 1);
    QCOMPARE(loved.at(0), (QVariantList{4, 10, 1, 3, 0}));
    QCOMPARE(progress.at(0).at(1).toLongLong(), 5000000000LL);
    QCOMPARE(progress.at(0).at(2).toLongLong(), 6000000000LL);
    QCOMPARE(salt.at(0), (QVariantList{9, QStringLiteral("private"), QStringLiteral("ab12")}));
}

void TestGlobalServices::destroyObjectsIsDeferred()
{
    auto *hub = new GlobalServices;
    GlobalServices::setInstance(hub);
    QPointer<GlobalServices> guard(hub);

    hub->destroyObjects();
    QVERIFY(guard);
    QTRY_VERIFY(!guard);
    QCOMPARE(GlobalServices::getInstance(), nullptr);
}

QTEST_GUILESS_MAIN(TestGlobalServices)
#include "tst_globalservices.moc"
