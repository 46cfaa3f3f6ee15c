#include "app/eventfilter.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>

class TestEventFilter : public QObject
{
    Q_OBJECT
private slots:
    void keyboardFollowsTextFocus();
};

void TestEventFilter::keyboardFollowsTextFocus()
{
    QQuickView view;
    const QByteArray qml = "import QtQuick 2.15\n"
                     "Item { width: 200; height: 200\n"
                     "  TextInput { objectName: 'first'; width: 100; height: 20 }\n"
                     "  TextInput { objectName: 'second'; y: 40; width: 100; height: 20 }\n"
                     "  Rectangle { objectName: 'plain'; y: 80; width: 100; height: 20; activeFocusOnTab: true }\n"
                     "}\n";
    QQmlComponent component(view.engine());
    component.setData(qml, QUrl());
    auto *root = qobject_cast<QQuickItem *>(component.create());
    QVERIFY2(root, qPrintable(component.errorString()));
    root->setParentItem(view.contentItem());

    EventFilter filter;
    view.installEventFilter(&filter);
    view.show();
    view.requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(&view));

    QSignalSpy requests(&filter, &EventFilter::softwareInputPanelRequested);
    auto item = [root](const char *name) { return root->findChild<QQuickItem *>(QLatin1String(name)); };

    item("first")->forceActiveFocus();
    QTRY_COMPARE(requests.size(), 1);
    QCOMPARE(requests.at(0).at(0).toBool(), true);

    // Each step ends on a request that must come; what came before it is
    // then known in full.
    item("second")->forceActiveFocus();
    item("plain")->forceActiveFocus();
    QTRY_VERIFY(!requests.isEmpty() && !requests.last().at(0).toBool());
    QCOMPARE(requests.size(), 2);

    item("first")->forceActiveFocus();
    QTRY_VERIFY(requests.last().at(0).toBool());
    QCOMPARE(requests.size(), 3);
    delete root;
}

QTEST_MAIN(TestEventFilter)
#include "tst_eventfilter.moc"
