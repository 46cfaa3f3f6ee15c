#include <QTest>
class TestServiceController : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(TestServiceController)
#include "tst_servicecontroller.moc"
