// Gallery cells and their thumbnail requests.
#include "camera/photoitem.h"
#include "camera/photoloader.h"
#include "camera/photomodel.h"

#include <QPainter>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstPhotoItem : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QUrl photo(const QString &name, const QColor &colour, const QSize &size = QSize(400, 300))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_dir.filePath(name);
        if (!image.save(path, "JPG", 95))
            return {};
        return QUrl::fromLocalFile(path);
    }

    static QList<PhotoItem *> itemsOf(const QSignalSpy &spy)
    {
        QList<PhotoItem *> items;
        for (const QList<QVariant> &arguments : spy)
            items.append(arguments.at(0).value<PhotoItem *>());
        return items;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<PhotoItem *>();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
    }

    void cleanup()
    {
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 0);
    }

    void startsAt160()
    {
        PhotoItem item;
        QCOMPARE(item.implicitWidth(), 160.0);
        QCOMPARE(item.implicitHeight(), 160.0);
        QCOMPARE(item.size(), QSizeF(160, 160));
        QVERIFY(item.thumbnail().isNull());
    }

    void sameUrlLoadsOnce()
    {
        const QUrl url = photo(QStringLiteral("once.jpg"), Qt::red);
        PhotoItem item;
        QSignalSpy urlChanged(&item, &PhotoItem::urlChanged);
        QSignalSpy loaded(PhotoLoader::getInstance(), &PhotoLoader::thumbnailLoaded);
        item.setUrl(url);
        item.setUrl(url);
        QCOMPARE(urlChanged.count(), 1);
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 1);
        QTRY_COMPARE(loaded.count(), 1);
        QCOMPARE(itemsOf(loaded), QList<PhotoItem *>{&item});
        QCOMPARE(item.thumbnail().size(), QSize(170, 170));

        item.setUrl(url);
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 0);
        PhotoLoader::getInstance()->settle();
        QCOMPARE(loaded.count(), 1);
    }

    void emptyUrlLoadsNothing()
    {
        PhotoItem item;
        QSignalSpy urlChanged(&item, &PhotoItem::urlChanged);
        item.setUrl(QUrl());
        QCOMPARE(urlChanged.count(), 0);
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 0);

        item.setUrl(photo(QStringLiteral("dropped.jpg"), Qt::red));
        item.setUrl(QUrl());
        QCOMPARE(urlChanged.count(), 2);
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 0);
        PhotoLoader::getInstance()->settle();
        QVERIFY(item.thumbnail().isNull());
    }

    // A new URL replaces the request: the old photo never shows up in the cell.
    void urlChangedWhileLoading()
    {
        const QUrl red = photo(QStringLiteral("first.jpg"), Qt::red);
        const QUrl blue = photo(QStringLiteral("second.jpg"), Qt::blue);
        PhotoItem item;
        QSignalSpy loaded(PhotoLoader::getInstance(), &PhotoLoader::thumbnailLoaded);
        item.setUrl(red);
        item.setUrl(blue);
        QTRY_COMPARE(loaded.count(), 1);
        PhotoLoader::getInstance()->settle();
        QCOMPARE(loaded.count(), 1);
        QVERIFY(qBlue(item.thumbnail().pixel(85, 85)) > 230);
    }

    void destroyedBeforeArrival()
    {
        const QUrl big = photo(QStringLiteral("big.jpg"), Qt::green, QSize(3000, 2000));
        QSignalSpy loaded(PhotoLoader::getInstance(), &PhotoLoader::thumbnailLoaded);
        auto *doomed = new PhotoItem;
        doomed->setUrl(big);
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 1);
        delete doomed;
        QCOMPARE(PhotoLoader::getInstance()->pendingCount(), 0);

        PhotoItem survivor;
        survivor.setUrl(photo(QStringLiteral("survivor.jpg"), Qt::red));
        QTRY_COMPARE(loaded.count(), 1);
        PhotoLoader::getInstance()->settle();
        QCOMPARE(itemsOf(loaded), QList<PhotoItem *>{&survivor});
    }

    void unreadablePhotoLeavesNoThumbnail()
    {
        PhotoItem item;
        item.setUrl(QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("missing.jpg"))));
        QTRY_COMPARE(PhotoLoader::getInstance()->pendingCount(), 0);
        QVERIFY(item.thumbnail().isNull());
    }

    // As the gallery page uses them: one cell per row of the model.
    void cellsOfTheGalleryModel()
    {
        qmlRegisterType<PhotoItem>("PhotoPicker", 1, 0, "PhotoItem");
        PhotoModel model;
        model.setPhotos({{QUrl(photo(QStringLiteral("cell1.jpg"), Qt::red)).toLocalFile(), 2},
                         {QUrl(photo(QStringLiteral("cell2.jpg"), Qt::blue)).toLocalFile(), 1}});
        QQmlEngine engine;
        engine.rootContext()->setContextProperty(QStringLiteral("photomodel"), &model);
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick 2.15
            import PhotoPicker 1.0
            Column {
                Repeater {
                    model: photomodel
                    PhotoItem { url: model.url; property var id: model.trackerid }
                }
            }
        )", QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QList<PhotoItem *> cells;
        for (QQuickItem *child : qobject_cast<QQuickItem *>(root.data())->childItems()) {
            if (auto *cell = qobject_cast<PhotoItem *>(child))
                cells.append(cell);
        }
        QCOMPARE(cells.size(), 2);
        QTRY_COMPARE(PhotoLoader::getInstance()->pendingCount(), 0);
        for (PhotoItem *cell : cells) {
            QCOMPARE(cell->thumbnail().size(), QSize(170, 170));
            QCOMPARE(cell->property("id").toLongLong(), PhotoModel::trackerId(cell->url().toLocalFile()));
        }
        QVERIFY(qRed(cells.at(0)->thumbnail().pixel(85, 85)) > 230);
    }

    void pressedPainting_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QRect>("target");
        QTest::newRow("released") << false << QRect(0, 0, 160, 160);
        QTest::newRow("pressed") << true << QRect(6, 6, 148, 148);
    }

    void pressedPainting()
    {
        QFETCH(bool, pressed);
        QFETCH(QRect, target);
        PhotoItem item;
        QImage thumbnail(170, 170, QImage::Format_RGB32);
        thumbnail.fill(Qt::red);
        item.setThumbnail(thumbnail);
        QSignalSpy pressChanged(&item, &PhotoItem::pressChanged);
        item.setPressed(pressed);
        item.setPressed(pressed);
        QCOMPARE(pressChanged.count(), pressed ? 1 : 0);

        QImage canvas(160, 160, QImage::Format_RGB32);
        canvas.fill(Qt::blue);
        QPainter painter(&canvas);
        item.paint(&painter);
        painter.end();
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 160; ++x) {
                const QRgb expected = target.contains(x, y) ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
                if (canvas.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(TstPhotoItem)
#include "tst_photoitem.moc"
