// Tap to preview in the running app: from a tap on a filter of the strip to
// the first frame that shows its preview, for every filter, as the filter
// page measures it (its lastPreviewMs). Goals: a cheap filter within 50 ms,
// an expensive one within 200 ms. Run under Xvfb for the phone's OpenGL
// drawing: xvfb-run -a build/bench/bench_taptopreview [taps per filter, 3]
#include "tests/ui/postingflow.h"
#include "tests/ui/uiharness.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 3;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    UiHarness ui;
    PostingFlow flow(ui);
    if (!flow.start(480, 854) || !flow.openPostTab() || !flow.openGallery() || !flow.pickPhoto(0) || !flow.cropDone()) {
        std::fprintf(stderr, "%s\n", qPrintable(flow.error()));
        return 1;
    }
    QQuickItem *page = flow.page(QStringLiteral("filterPage"));
    const QVariantList filters = page->property("filters").toList();
    int worstCheap = 0;
    int worstExpensive = 0;
    std::printf("%-16s %-9s %8s %8s  (ms, %d taps each)\n", "filter", "kind", "median", "worst", rounds);
    for (const QVariant &entry : filters) {
        const QVariantMap filter = entry.toMap();
        const QString name = filter.value(QStringLiteral("name")).toString();
        const bool expensive = filter.value(QStringLiteral("expensiveFilter")).toBool();
        QVector<int> times;
        QString failure;
        for (int round = 0; round < rounds && failure.isEmpty(); ++round) {
            // Away and back, so every tap changes the picture.
            if (!flow.chooseFilter(name == QLatin1String("Original") ? QStringLiteral("Vivid") : QStringLiteral("Original"))
                || !flow.chooseFilter(name)) {
                std::fprintf(stderr, "%s\n", qPrintable(flow.error()));
                return 1;
            }
            ui.waitFor([page] {
                return page->property("lastPreviewMs").toInt() >= 0 || !page->property("error").toString().isEmpty();
            });
            failure = page->property("error").toString();
            times.append(page->property("lastPreviewMs").toInt());
        }
        if (!failure.isEmpty()) {
            std::printf("%-16s %-9s %s\n", qPrintable(name), expensive ? "expensive" : "cheap", qPrintable(failure));
            continue;
        }
        std::sort(times.begin(), times.end());
        std::printf("%-16s %-9s %8d %8d\n", qPrintable(name), expensive ? "expensive" : "cheap", times.at(times.size() / 2),
                    times.last());
        int &worst = expensive ? worstExpensive : worstCheap;
        worst = std::max(worst, times.last());
    }
    std::printf("worst cheap %d ms (goal 50), worst expensive %d ms (goal 200)\n", worstCheap, worstExpensive);
    return 0;
}
