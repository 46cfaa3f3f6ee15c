#include "server/formbody.h"
#include "server/paramreader.h"

#include <QTest>

using Pairs = std::vector<std::pair<std::string, std::string>>;
Q_DECLARE_METATYPE(Pairs)

/** Form bodies and typed parameters: what the service accepts and refuses. */
class TestFormBody : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Pairs>("pairs");

        QTest::newRow("empty") << QByteArray() << true << Pairs{};
        QTest::newRow("device and call") << QByteArray("v=1.0&pf=meego&user_id=5") << true
                                         << Pairs{{"v", "1.0"}, {"pf", "meego"}, {"user_id", "5"}};
        QTest::newRow("encoded") << QByteArray("name=a%20b%26c&x=%2F%2c") << true
                                 << Pairs{{"name", "a b&c"}, {"x", "/,"}};
        QTest::newRow("utf-8") << QByteArray("t=%C3%A9t%C3%A9") << true << Pairs{{"t", "\xC3\xA9t\xC3\xA9"}};
        QTest::newRow("plus stays") << QByteArray("a=1+1") << true << Pairs{{"a", "1+1"}};
        QTest::newRow("no value") << QByteArray("flag&b=") << true << Pairs{{"flag", ""}, {"b", ""}};
        QTest::newRow("stray ampersands") << QByteArray("&&a=1&&") << true << Pairs{{"a", "1"}};
        QTest::newRow("repeated name kept in order") << QByteArray("a=1&a=2") << true << Pairs{{"a", "1"}, {"a", "2"}};
        QTest::newRow("truncated escape") << QByteArray("a=%4") << false << Pairs{};
        QTest::newRow("escape at end") << QByteArray("a=%") << false << Pairs{};
        QTest::newRow("not hexadecimal") << QByteArray("a=%zz") << false << Pairs{};
        QTest::newRow("empty name") << QByteArray("=1") << false << Pairs{};
    }

    void parse()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, valid);
        QFETCH(Pairs, pairs);
        const auto parsed = FormBody::parse(body.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(parsed->pairs(), pairs);
    }

    void lastValueWins()
    {
        const auto parsed = FormBody::parse("a=1&a=2");
        QCOMPARE(parsed->value("a"), std::string("2"));
        QCOMPARE(parsed->value("b", "none"), std::string("none"));
    }

    void percentEncodeRoundTrip()
    {
        const std::string text = "a b&c/~_.-\xC3\xA9";
        QCOMPARE(FormBody::percentEncode(text), std::string("a%20b%26c%2F~_.-%C3%A9"));
        QCOMPARE(*FormBody::percentDecode(FormBody::percentEncode(text)), text);
    }

    void typedParameters_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");

        QTest::newRow("all fine") << QByteArray("n=12&b=true&r=13.75&t=hi") << true << QString();
        QTest::newRow("absent values use fallbacks") << QByteArray("") << true << QString();
        QTest::newRow("number with letters") << QByteArray("n=12a") << false << QStringLiteral("n must be a whole number");
        QTest::newRow("number with sign") << QByteArray("n=%2B5") << false << QStringLiteral("n must be a whole number");
        QTest::newRow("number too large") << QByteArray("n=99999999999999999999") << false
                                          << QStringLiteral("n must be a whole number");
        QTest::newRow("number out of range") << QByteArray("n=1000") << false
                                             << QStringLiteral("n must be between 0 and 100");
        QTest::newRow("empty number") << QByteArray("n=") << false << QStringLiteral("n must be a whole number");
        QTest::newRow("bool word") << QByteArray("b=yes") << false << QStringLiteral("b must be true or false");
        QTest::newRow("real") << QByteArray("r=north") << false << QStringLiteral("r must be a number");
        QTest::newRow("real infinite") << QByteArray("r=inf") << false << QStringLiteral("r must be a number");
        QTest::newRow("text too long") << QByteArray("t=abcdefghijk") << false
                                       << QStringLiteral("t is longer than 10 characters");
        QTest::newRow("text not utf-8") << QByteArray("t=%FF%FE") << false << QStringLiteral("t is not valid text");
        QTest::newRow("text with zero byte") << QByteArray("t=a%00b") << false << QStringLiteral("t is not valid text");
    }

    void typedParameters()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, ok);
        QFETCH(QString, error);
        const auto parsed = FormBody::parse(body.toStdString());
        QVERIFY(parsed);
        ParamReader in(*parsed);
        in.integer("n", 7, 0, 100);
        in.boolean("b", false);
        in.real("r", 0);
        in.text("t", 10);
        QCOMPARE(in.ok(), ok);
        QCOMPARE(in.error(), error);
    }

    void requiredParameters()
    {
        const FormBody empty;
        ParamReader in(empty);
        in.requiredInteger("picture_id", 1, 10);
        QCOMPARE(in.error(), QStringLiteral("picture_id is missing"));
        in.requiredText("text", 10);
        QCOMPARE(in.error(), QStringLiteral("picture_id is missing"));
    }
};

QTEST_APPLESS_MAIN(TestFormBody)
#include "tst_formbody.moc"
