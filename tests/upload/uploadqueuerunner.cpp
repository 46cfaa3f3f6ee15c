// Runs the app's upload queue in a process of its own, so a test can kill
// it in the middle of an upload and start it again:
//   uploadqueuerunner <proxy port> [<photos to queue> <name prefix>]
// It queues the photos (or loads the queue left on disk), prints one line
// per uploaded photo and exits 0 once the queue is empty.
#include "app/globalservices.h"
#include "service/taviroservicecontroller.h"
#include "service/taviroserviceengine.h"
#include "upload/uploaderqueuemodel.h"

#include <QApplication>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && args.size() != 4)
        return 2;

    GlobalServices hub;
    GlobalServices::setInstance(&hub);
    auto *engine = TAVIROServiceController::getInstance()->findChild<TAVIROServiceEngine *>();
    engine->findChild<QNetworkAccessManager *>()->setProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), quint16(args.at(1).toInt())));

    UploaderQueueModel *queue = UploaderQueueModel::getInstance();
    QTextStream out(stdout);
    QObject::connect(&hub, &GlobalServices::imageUploaded, [&] {
        out << "uploaded, " << queue->getQueueCount() << " left" << Qt::endl;
        if (queue->getQueueCount() == 0)
            app.quit();
    });

    if (args.size() == 4) {
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(QColor(40, 160, 90));
        image.save(QStringLiteral("runner.jpg"), "JPEG");
        for (int i = 0; i < args.at(2).toInt(); ++i)
            queue->appendImageFileToQueue(QStringLiteral("runner.jpg"),
                                          QVariantMap{{"imageName", args.at(3) + QString::number(i)}});
    } else {
        queue->loadQueues();
    }
    out << "queued " << queue->getQueueCount() << Qt::endl;
    return queue->getQueueCount() == 0 ? 0 : app.exec();
}
