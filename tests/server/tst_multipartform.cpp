#include "server/multipartform.h"

#include <QTest>

/** Splitting upload bodies: the app's exact layout and broken ones. */
class TestMultipartForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boundary_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("boundary");
        QTest::newRow("app") << QByteArray("multipart/form-data; boundary=AaB03x") << QByteArray("AaB03x");
        QTest::newRow("quoted") << QByteArray("multipart/form-data; boundary=\"a b\"") << QByteArray("a b");
        QTest::newRow("upper case") << QByteArray("Multipart/Form-Data; BOUNDARY=xyz") << QByteArray("xyz");
        QTest::newRow("no boundary") << QByteArray("multipart/form-data") << QByteArray();
        QTest::newRow("not multipart") << QByteArray("text/plain; boundary=x") << QByteArray();
        QTest::newRow("quoted with a semicolon") << QByteArray("multipart/form-data; boundary=\"a;b\"") << QByteArray("a;b");
        QTest::newRow("escaped quote") << QByteArray("multipart/form-data; boundary=\"a\\\"b\"") << QByteArray("a\"b");
        QTest::newRow("inside another parameter")
            << QByteArray("multipart/form-data; charset=\"x; boundary=evil\"; boundary=good") << QByteArray("good");
        QTest::newRow("only inside another parameter")
            << QByteArray("multipart/form-data; charset=\"x; boundary=evil\"") << QByteArray();
        QTest::newRow("unclosed quote") << QByteArray("multipart/form-data; boundary=\"abc") << QByteArray();
        QTest::newRow("too long") << QByteArray("multipart/form-data; boundary=" + QByteArray(71, 'x')) << QByteArray();
    }

    void boundary()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, boundary);
        QCOMPARE(QByteArray::fromStdString(MultipartForm::boundaryOf(contentType.toStdString())), boundary);
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("parts");

        const QByteArray app = "--AaB03x\r\nContent-Disposition: form-data; name=\"name\"\r\n\r\nLake\r\n"
                               "--AaB03x\r\nContent-Disposition: form-data; name=\"picture_file\"; filename=\"save.jpg\"\r\n"
                               "Content-Type: image/jpeg\r\n\r\n\xFF\xD8\r\n--AaB03\xFF\xD9\r\n--AaB03x--";
        QTest::newRow("app layout, no final line break") << app << true << 2;
        QTest::newRow("final line break") << app + "\r\n" << true << 2;
        QTest::newRow("no parts") << QByteArray("--AaB03x--") << true << 0;
        QTest::newRow("empty") << QByteArray() << false << 0;
        QTest::newRow("other boundary") << QByteArray("--zz\r\n") << false << 0;
        QTest::newRow("no closing boundary") << app.left(app.size() - 10) << false << 0;
        QTest::newRow("headers never end") << QByteArray("--AaB03x\r\nContent-Disposition: form-data; name=\"a\"") << false << 0;
        QTest::newRow("part without name")
            << QByteArray("--AaB03x\r\nContent-Disposition: form-data\r\n\r\nx\r\n--AaB03x--") << false << 0;
        QTest::newRow("header without colon")
            << QByteArray("--AaB03x\r\nnonsense\r\n\r\nx\r\n--AaB03x--") << false << 0;
        QTest::newRow("not form-data")
            << QByteArray("--AaB03x\r\nContent-Disposition: attachment; name=\"a\"\r\n\r\nx\r\n--AaB03x--") << false << 0;
    }

    void parse()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, valid);
        QFETCH(int, parts);
        const auto form = MultipartForm::parse(body.toStdString(), "AaB03x");
        QCOMPARE(form.has_value(), valid);
        if (valid)
            QCOMPARE(int(form->parts().size()), parts);
    }

    // Parameters are tokens or quoted strings: what a quoted value holds
    // never reads as another parameter.
    void dispositionParameters_data()
    {
        QTest::addColumn<QByteArray>("disposition");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("filename");
        QTest::newRow("app") << QByteArray("form-data; name=\"picture_file\"; filename=\"save.jpg\"") << true
                             << QByteArray("picture_file") << QByteArray("save.jpg");
        QTest::newRow("name inside the file name") << QByteArray("form-data; name=\"a\"; filename=\"b; name=x\"")
                                                   << true << QByteArray("a") << QByteArray("b; name=x");
        QTest::newRow("name inside the file name, file name first")
            << QByteArray("form-data; filename=\"b; name=x\"; name=\"a\"") << true << QByteArray("a")
            << QByteArray("b; name=x");
        QTest::newRow("file name inside the name") << QByteArray("form-data; name=\"a; filename=evil.sh\"") << true
                                                   << QByteArray("a; filename=evil.sh") << QByteArray();
        QTest::newRow("escaped quote") << QByteArray("form-data; name=\"say \\\"hi\\\"\"") << true
                                       << QByteArray("say \"hi\"") << QByteArray();
        QTest::newRow("escaped backslash") << QByteArray("form-data; name=\"a\\\\\"") << true << QByteArray("a\\")
                                           << QByteArray();
        QTest::newRow("token") << QByteArray("form-data; name=plain ; filename=x.jpg") << true << QByteArray("plain")
                               << QByteArray("x.jpg");
        QTest::newRow("upper-case key") << QByteArray("form-data; NAME=\"a\"") << true << QByteArray("a") << QByteArray();
        QTest::newRow("unclosed quote") << QByteArray("form-data; name=\"a") << false << QByteArray() << QByteArray();
        QTest::newRow("text after the quotes") << QByteArray("form-data; name=\"a\"b") << false << QByteArray()
                                               << QByteArray();
        QTest::newRow("prefixed key") << QByteArray("form-data; xname=\"a\"") << false << QByteArray() << QByteArray();
    }

    void dispositionParameters()
    {
        QFETCH(QByteArray, disposition);
        QFETCH(bool, valid);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, filename);
        const std::string body = "--AaB03x\r\nContent-Disposition: " + disposition.toStdString() + "\r\n\r\nv\r\n--AaB03x--";
        const auto form = MultipartForm::parse(body, "AaB03x");
        QCOMPARE(form.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(int(form->parts().size()), 1);
        QCOMPARE(QByteArray::fromStdString(form->parts().front().name), name);
        QCOMPARE(QByteArray::fromStdString(form->parts().front().filename), filename);
    }

    void partContentKeepsBinary()
    {
        const std::string body = "--AaB03x\r\nContent-Disposition: form-data; name=\"picture_file\"; filename=\"save.jpg\"\r\n"
                                 "Content-Type: image/jpeg\r\n\r\n" + std::string("\0\r\n--Aa\xFF", 9) + "\r\n--AaB03x--";
        const auto form = MultipartForm::parse(body, "AaB03x");
        QVERIFY(form);
        const MultipartForm::Part *part = form->part("picture_file");
        QVERIFY(part);
        QCOMPARE(part->filename, std::string("save.jpg"));
        QCOMPARE(part->contentType, std::string("image/jpeg"));
        QCOMPARE(part->content, std::string("\0\r\n--Aa\xFF", 9));
        QVERIFY(!form->has("name"));
    }
};

QTEST_APPLESS_MAIN(TestMultipartForm)
#include "tst_multipartform.moc"
