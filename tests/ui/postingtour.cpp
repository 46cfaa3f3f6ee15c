// Visits every posting screen against a seeded stand-in service and saves a
// picture of each: postingtour <folder> <width> <height>.
#include "tests/ui/postingflow.h"
#include "tests/ui/uiharness.h"

#include <QApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: postingtour <folder> <width> <height>\n");
        return 2;
    }
    // Absolute: the harness works in a home folder of its own.
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    UiHarness ui;
    PostingFlow flow(ui);
    if (!flow.start(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt())) {
        std::fprintf(stderr, "%s\n", qPrintable(flow.error()));
        return 1;
    }

    int failures = 0;
    // Most screens are shot once they have settled; the queue's moments pass quickly.
    auto shoot = [&](const char *name, int settleMs = 400) {
        QTest::qWait(settleMs);
        const QString file = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        const QImage image = ui.grab();
        if (image.isNull() || !image.save(file)) {
            std::fprintf(stderr, "could not save %s\n", qPrintable(file));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(file));
        }
    };
    auto step = [&](bool ok) {
        if (!ok) {
            std::fprintf(stderr, "%s\n", qPrintable(flow.error()));
            shoot("failed");
            std::exit(1);
        }
    };

    step(flow.openPostTab());
    shoot("post-01-camera");
    step(flow.openGallery());
    shoot("post-02-gallery");
    step(flow.pickPhoto(0));
    shoot("post-03-crop");
    ui.click(ui.find(QStringLiteral("fitButton")));
    step(flow.turnAndMove(0, 0));
    shoot("post-04-crop-fitted-turned");
    step(flow.cropDone());
    step(flow.chooseFilter(QStringLiteral("Original")));
    shoot("post-05-filter");
    step(flow.chooseFilter(QStringLiteral("Vivid"), 60));
    shoot("post-06-filter-vivid-60");
    step(flow.chooseFilter(QStringLiteral("Color Picker")));
    shoot("post-07-filter-colour-picker");
    step(flow.chooseFilter(QStringLiteral("Vivid"), 60));
    step(flow.filterDone());
    step(flow.describe(QStringLiteral("Harbour at dawn"), QStringLiteral("Boats leaving the harbour")));
    shoot("post-08-details");
    QQuickItem *form = ui.find(QStringLiteral("detailsForm"));
    form->setProperty("contentY", form->property("contentHeight").toReal() - form->height());
    shoot("post-09-details-sharing");
    step(flow.post());
    shoot("post-10-home-with-queue", 0);
    QMetaObject::invokeMethod(ui.root()->childItems().first(), "openPage",
                              Q_ARG(QVariant, QStringLiteral("UploadQueuePage.qml")), Q_ARG(QVariant, QVariantMap()));
    ui.waitFor([&] {
        return ui.findAll([](QQuickItem *item) {
                     return item->inherits("QQuickStackView") && item->property("busy").toBool();
                 }).isEmpty();
    });
    shoot("post-11-upload-queue", 0);
    ui.waitFor([&] { return !ui.find(QStringLiteral("uploadIndicator")); }, 30000);
    shoot("post-12-upload-queue-done");
    return failures ? 1 : 0;
}
