#include "deflated.h"
#include "service/gzinflater.h"

#include <QtTest>

namespace {

QByteArray text(int size)
{
    QByteArray result;
    for (int i = 0; result.size() < size; ++i)
        result += "{\"id\":" + QByteArray::number(i) + ",\"name\":\"photo\"},";
    return result.left(size);
}

} // namespace

class TestGZInflater : public QObject
{
    Q_OBJECT

private slots:
    void inflate_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray body = text(250000);
        const QByteArray gz = deflated(body, 15 + 16);
        QTest::newRow("gzip") << gz << 100000 << body;
        QTest::newRow("zlib") << deflated(body, 15) << 100000 << body;
        QTest::newRow("grows from one byte") << gz << 1 << body;
        QTest::newRow("capacity larger than output") << gz << 1000000 << body;
        QTest::newRow("empty content") << deflated(QByteArray(), 15 + 16) << 100000 << QByteArray();
        QTest::newRow("plain JSON") << QByteArray("{\"success\":true}") << 100000 << QByteArray("{\"success\":true}");
        QTest::newRow("empty input") << QByteArray() << 100000 << QByteArray();
        QTest::newRow("garbage after gzip magic") << QByteArray("\x1f\x8b\x08\x00garbage", 11) << 100000
                                                  << QByteArray("\x1f\x8b\x08\x00garbage", 11);
        QTest::newRow("truncated") << gz.left(gz.size() / 2) << 100000 << gz.left(gz.size() / 2);
        QTest::newRow("truncated in the header") << gz.left(5) << 100000 << gz.left(5);
        QTest::newRow("bytes after the end") << gz + "tail" << 100000 << gz + "tail";
        QTest::newRow("zero capacity") << gz << 0 << body;
    }

    void inflate()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, capacity);
        QFETCH(QByteArray, expected);
        QCOMPARE(GZInflater::inflate(input, capacity), expected);
    }

    void bombIsNotInflated()
    {
        // A few hundred kilobytes that would expand past the output limit.
        const QByteArray bomb = deflated(QByteArray(GZInflater::MaxOutputBytes + 1, '\0'), 15 + 16);
        QVERIFY(bomb.size() < 1024 * 1024);
        QCOMPARE(GZInflater::inflate(bomb, 100000), bomb);
    }

    void outputAtTheLimitIsInflated()
    {
        const QByteArray full(GZInflater::MaxOutputBytes, 'a');
        QCOMPARE(GZInflater::inflate(deflated(full, 15 + 16), 100000).size(), full.size());
    }
};

QTEST_GUILESS_MAIN(TestGZInflater)
#include "tst_gzinflater.moc"
