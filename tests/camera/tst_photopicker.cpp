// The picker answers with the sample photo drawn at build time.
#include "camera/photopicker.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QtTest>

class TstPhotoPicker : public QObject
{
    Q_OBJECT

private slots:
    void launchAnswersWithTheSample()
    {
        PhotoPicker picker;
        QSignalSpy selected(&picker, &PhotoPicker::selected);
        QSignalSpy canceled(&picker, &PhotoPicker::canceled);
        picker.launch();
        QCOMPARE(selected.count(), 1);
        QCOMPARE(canceled.count(), 0);
        const QString path = selected.at(0).at(0).toString();
        QVERIFY(path.endsWith(QStringLiteral("/qml/ui/res/samplephoto.jpg")));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QVERIFY(reader.size().width() >= 800);
    }
};

QTEST_MAIN(TstPhotoPicker)
#include "tst_photopicker.moc"
