// Start-up to the first frame that shows the saved home timeline, for a
// signed-in person: the app's real start-up in a fresh process each run.
// Prints each run and the median, in milliseconds.
#include "app/appshell.h"
#include "app/usermanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// CPU time of the whole process so far: on a busy machine the wall clock
// mostly measures the other programs.
qint64 cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A signed-in account and the 30 photos a previous run saved.
void prepareHome()
{
    QDir().mkdir(QStringLiteral(".TAVIRO"));
    UserManager account;
    account.setLoggedUserInformation(5, QStringLiteral("demo"), QStringLiteral("token"), QStringLiteral("secret"));
    QJsonArray rows;
    for (int id = 30; id > 0; --id) {
        const QString code = QStringLiteral("code%1").arg(id);
        // Port 9 answers nothing: pictures fail at once, as offline.
        const QString base = QStringLiteral("http://127.0.0.1:9/photos/") + code;
        rows.append(QJsonObject{{"picture_id", id}, {"picture_code", code}, {"username", "anna_k"},
                                {"name", QStringLiteral("Photo number %1").arg(id)}, {"love_count", id % 7},
                                {"done_love", id % 3 == 0}, {"comment_count", id % 4},
                                {"create_time", "2026-12-9 14:05:00"}, {"access_level", "0"}, {"salt", "00"},
                                {"image_url_thumb", base + "/thumb"}, {"image_url_medium", base + "/medium"},
                                {"image_url_large", base + "/large"}});
    }
    QDir().mkdir(QStringLiteral("sav"));
    QFile file(QStringLiteral("sav/timeline.sav"));
    if (file.open(QIODevice::WriteOnly))
        file.write(QJsonDocument(rows).toJson(QJsonDocument::Compact));
}

QQuickItem *findTimeline(QQuickItem *item)
{
    if (item->objectName() == QLatin1String("timeline"))
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findTimeline(child))
            return found;
    }
    return nullptr;
}

int runOnce(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    AppShell shell;
    shell.start();
    qint64 elapsed = -1;
    qint64 cpu = -1;
    QObject::connect(&shell.view(), &QQuickWindow::frameSwapped, &app, [&] {
        QQuickItem *timeline = findTimeline(shell.view().contentItem());
        if (elapsed < 0 && timeline && timeline->property("count").toInt() > 0) {
            elapsed = clock.elapsed();
            cpu = cpuMilliseconds();
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        }
    });
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%lld %lld\n", static_cast<long long>(elapsed), static_cast<long long>(cpu));
    return elapsed < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--once")
        return runOnce(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    prepareHome();
    QList<qint64> wall;
    QList<qint64> cpu;
    for (int run = 0; run < 7; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once")});
        child.waitForFinished(30000);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        wall.append(figures.value(0).toLongLong());
        cpu.append(figures.value(1).toLongLong());
        std::printf("run %d: %lld ms, %lld ms of CPU%s\n", run + 1, static_cast<long long>(wall.last()),
                    static_cast<long long>(cpu.last()), run == 0 ? " (first: no QML cache yet)" : "");
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("start-up to the first timeline frame, median of %d: %lld ms (%lld ms of CPU)\n", int(wall.size()),
                static_cast<long long>(wall.at(wall.size() / 2)), static_cast<long long>(cpu.at(cpu.size() / 2)));
    return 0;
}
