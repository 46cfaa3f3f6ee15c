#include "app/datetimemodel.h"
#include "app/qmaputils.h"

#include <QJsonDocument>
#include <QTest>

#include <cstdlib>
#include <ctime>

class TestSmallUtilities : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void setDateTime_data();
    void setDateTime();
    void getDataByKey_data();
    void getDataByKey();
};

void TestSmallUtilities::initTestCase()
{
    // A device whose local time is UTC+7.
    qputenv("TZ", "UTC-7");
    tzset();
}

void TestSmallUtilities::setDateTime_data()
{
    QTest::addColumn<QString>("timestamp");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("afternoon") << "2012-03-05 14:07:09" << "hh:mm" << "21:07";
    QTest::newRow("single-digit day") << "2012-03-5 14:07:09" << "hh:mm" << "21:07";
    QTest::newRow("crosses midnight") << "2012-12-31 20:00:00" << "yyyy-MM-dd hh:mm" << "2013-01-01 03:00";
    QTest::newRow("empty") << "" << "hh:mm" << "";
    QTest::newRow("not a time stamp") << "yesterday" << "hh:mm" << "";
}

void TestSmallUtilities::setDateTime()
{
    QFETCH(QString, timestamp);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DateTimeModel().setDateTime(timestamp, format), expected);
}

void TestSmallUtilities::getDataByKey_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("withNullValue");
    QTest::addColumn<QVariant>("expected");

    const QVariant x(QStringLiteral("x"));
    QTest::newRow("absent key gives the fallback") << QByteArray(R"({"a":1})") << "b" << true << x;
    QTest::newRow("null value gives the fallback") << QByteArray(R"({"a":null})") << "a" << true << x;
    QTest::newRow("null value, default fallback") << QByteArray(R"({"a":null})") << "a" << false << QVariant(0);
    QTest::newRow("absent key, default fallback") << QByteArray(R"({})") << "a" << false << QVariant(0);
    QTest::newRow("zero is a value") << QByteArray(R"({"a":0})") << "a" << true << QVariant(0);
    QTest::newRow("empty string is a value") << QByteArray(R"({"a":""})") << "a" << true << QVariant(QStringLiteral(""));
}

void TestSmallUtilities::getDataByKey()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, key);
    QFETCH(bool, withNullValue);
    QFETCH(QVariant, expected);

    const QVariantMap map = QJsonDocument::fromJson(json).toVariant().toMap();
    QMapUtils utils;
    const QVariant result = withNullValue ? utils.getDataByKey(map, key, QVariant(QStringLiteral("x")))
                                          : utils.getDataByKey(map, key);
    QCOMPARE(result.toString(), expected.toString());
    QCOMPARE(result.isNull(), expected.isNull());
}

QTEST_GUILESS_MAIN(TestSmallUtilities)
#include "tst_smallutilities.moc"
