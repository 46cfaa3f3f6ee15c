#include "app/applicationroot.h"
#include "server/serviceoptions.h"
#include "server/taviroservice.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <pthread.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (app.arguments().contains(QStringLiteral("--help"))) {
        QTextStream(stdout) << ServiceOptions::usage();
        return 0;
    }
    QString error;
    const auto options = ServiceOptions::parse(app.arguments(), applicationRootPath(), &error);
    if (!options) {
        err << error << "\n" << ServiceOptions::usage();
        return 2;
    }

    // The servers' threads inherit the mask: only this thread takes the stopSignals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TaviroService service(*options);
    if (!service.open(&error)) {
        err << error << "\n";
        return 1;
    }
    if (options->seedDemo)
        service.seedDemoIfEmpty();
    service.start();
    int received = 0;
    sigwait(&stopSignals, &received);
    service.stop();
    return 0;
}
