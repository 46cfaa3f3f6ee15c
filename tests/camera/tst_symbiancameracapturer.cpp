// Hardware keys reach QML once per press and release, however long held.
#include "camera/symbiancameracapturer.h"

#include <QKeyEvent>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

class TstSymbianCameraCapturer : public QObject
{
    Q_OBJECT

private slots:
    void heldKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("repeats");
        QTest::newRow("tap") << int(Qt::Key_Camera) << 0;
        QTest::newRow("held volume key") << int(Qt::Key_VolumeUp) << 5;
    }

    void heldKey()
    {
        QFETCH(int, key);
        QFETCH(int, repeats);
        QQuickWindow window;
        auto *capturer = new SymbianCameraCapturer(window.contentItem());
        capturer->forceActiveFocus();
        QVERIFY(capturer->hasActiveFocus());
        QSignalSpy pressed(capturer, &SymbianCameraCapturer::keyPressed);
        QSignalSpy released(capturer, &SymbianCameraCapturer::keyReleased);
        QSignalSpy focus(capturer, &SymbianCameraCapturer::focusKeyPressed);
        QSignalSpy shutter(capturer, &SymbianCameraCapturer::shutterKeyPressed);
        QSignalSpy focusReleased(capturer, &SymbianCameraCapturer::focusKeyReleased);

        const auto send = [&](QEvent::Type type, bool autoRepeat) {
            QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
            QCoreApplication::sendEvent(&window, &event);
            QVERIFY(event.isAccepted());
        };
        send(QEvent::KeyPress, false);
        for (int i = 0; i < repeats; ++i) {
            send(QEvent::KeyRelease, true);
            send(QEvent::KeyPress, true);
        }
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(released.count(), 0);
        send(QEvent::KeyRelease, false);

        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).toInt(), key);
        QCOMPARE(released.count(), 1);
        QCOMPARE(released.at(0).at(0).toInt(), key);
        QCOMPARE(focus.count() + shutter.count() + focusReleased.count(), 0);
    }

    void nothingWithoutFocus()
    {
        QQuickWindow window;
        auto *capturer = new SymbianCameraCapturer(window.contentItem());
        QSignalSpy pressed(capturer, &SymbianCameraCapturer::keyPressed);
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Camera, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
        QCOMPARE(pressed.count(), 0);
    }
};

QTEST_MAIN(TstSymbianCameraCapturer)
#include "tst_symbiancameracapturer.moc"
