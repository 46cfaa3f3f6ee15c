#include "filters/filtermanager.h"

#include "filters/autolevelfilter.h"
#include "filters/bwhicontrastfilter.h"
#include "filters/cavalleriarusticanafilter.h"
#include "filters/filterapplier.h"
#include "filters/filtercommon.h"
#include "filters/filterslog.h"
#include "filters/normalfilter.h"
#include "filters/rosyfilter.h"
#include "filters/rusfilter.h"
#include "filters/unavailablefilter.h"
#include "filters/vividfilter.h"

#include <QImage>
#include <QThread>
#include <QTransform>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// Written on the GUI thread, read by workers.
std::atomic<int> s_finalWidth{800};

constexpr int cleanAndClearId = 55;

} // namespace

struct FilterManager::Running {
    std::mutex mutex;
    std::condition_variable idle;
    int count = 0;
};

FilterManager::FilterManager(QObject *parent)
    : QObject(parent)
    , m_running(std::make_shared<Running>())
{
}

FilterManager::~FilterManager()
{
    waitForWorkers();
}

void FilterManager::waitForWorkers()
{
    // Running workers use this manager's filters and tables.
    std::unique_lock<std::mutex> lock(m_running->mutex);
    m_running->idle.wait(lock, [this] { return m_running->count == 0; });
}

QString FilterManager::workFolder()
{
    return QStringLiteral(".TAVIRO/") + QStringLiteral("output/");
}

int FilterManager::finalWidth()
{
    return s_finalWidth.load();
}

int FilterManager::finalPixelCount()
{
    const int width = s_finalWidth.load();
    return width * width;
}

void FilterManager::applyFilterByName(QString name, QVariant darkAreas, bool preview, QVariant param)
{
    createFilterCommon();
    Filter *candidate = nullptr;
    for (const auto &filter : m_filters) {
        if (filter->name() == name)
            candidate = filter.get();
    }
    if (!candidate) {
        emit filterApplyError(QStringLiteral("No filter named ") + name);
        return;
    }

    if (candidate->expensiveFilter() || !preview) {
        auto *thread = new QThread;
        auto *applier = new FilterApplier(candidate, darkAreas, preview, param);
        applier->moveToThread(thread);
        connect(thread, &QThread::started, applier, &FilterApplier::applyFilter);
        connect(applier, &FilterApplier::previewCompleted, this, &FilterManager::previewCompleted);
        connect(applier, &FilterApplier::applyCompleted, this, &FilterManager::applyCompleted);
        connect(applier, &FilterApplier::error, this, &FilterManager::filterApplyError);
        // Runs on the worker after its last use of the filter.
        connect(
            applier, &FilterApplier::finished, applier,
            [running = m_running] {
                std::lock_guard<std::mutex> lock(running->mutex);
                --running->count;
                running->idle.notify_all();
            },
            Qt::DirectConnection);
        connect(applier, &FilterApplier::finished, applier, &QObject::deleteLater);
        // Direct, so the thread also stops while the GUI thread waits for it.
        connect(applier, &FilterApplier::finished, thread, &QThread::quit, Qt::DirectConnection);
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        {
            std::lock_guard<std::mutex> lock(m_running->mutex);
            ++m_running->count;
        }
        thread->start(QThread::InheritPriority);
        return;
    }

    FilterApplier applier(candidate, darkAreas, true, param);
    connect(&applier, &FilterApplier::error, this, &FilterManager::filterApplyError);
    const QString path = applier.applyFilterSync();
    if (!path.isEmpty())
        emit filterApplyPreviewCompleted(path);
}

void FilterManager::applyFilterByName(QString name, QVariant darkAreas, bool preview)
{
    applyFilterByName(name, darkAreas, preview, QVariant());
}

void FilterManager::applyFilterByName(QString name, QVariant darkAreas)
{
    applyFilterByName(name, darkAreas, false, QVariant());
}

void FilterManager::rotateSourcePhoto(int angle)
{
    QTransform rotation;
    rotation.rotate(angle, Qt::ZAxis);
    for (const QString &name : {QStringLiteral("source_preview.jpg"), QStringLiteral("source.jpg")}) {
        const QString path = workFolder() + name;
        const QImage image(path, "JPG");
        if (image.isNull()) {
            qCWarning(lcFilters) << "Cannot rotate" << path;
            continue;
        }
        image.transformed(rotation, Qt::SmoothTransformation).save(path, "jpg", 100);
    }
}

QString FilterManager::getSourcePreviewPath()
{
    return workFolder() + QStringLiteral("source_preview.jpg");
}

QString FilterManager::getSourceInitPath()
{
    return workFolder() + QStringLiteral("init.jpg");
}

QVariantList FilterManager::getFilters()
{
    if (m_filters.empty())
        populate();
    QVariantList list;
    for (const auto &filter : m_filters) {
        list.append(QVariantMap{
            {QStringLiteral("filterId"), filter->filterId()},
            {QStringLiteral("name"), filter->name()},
            {QStringLiteral("thumbPath"), filter->thumbPath()},
            {QStringLiteral("imagesToUnlock"), filter->imagesToUnlock()},
            {QStringLiteral("expensiveFilter"), filter->expensiveFilter()},
        });
    }
    return list;
}

void FilterManager::createFilterCommon()
{
    if (!m_common)
        m_common = std::make_unique<FilterCommon>();
}

void FilterManager::setFinalImageResolution(int width)
{
    if (width < 1) {
        qCWarning(lcFilters) << "Ignoring final image width" << width;
        return;
    }
    s_finalWidth.store(width);
}

void FilterManager::registerCleanAndClearFilter()
{
    m_cleanAndClearRegistered = true;
    if (m_filters.empty())
        return;
    const bool present = std::any_of(m_filters.begin(), m_filters.end(),
                                     [](const auto &filter) { return filter->filterId() == cleanAndClearId; });
    if (!present)
        m_filters.emplace(m_filters.begin() + std::min<size_t>(2, m_filters.size()), makeCleanAndClearFilter());
}

void FilterManager::unregisterCleanAndClearFilter()
{
    m_cleanAndClearRegistered = false;
    waitForWorkers();
    m_filters.erase(std::remove_if(m_filters.begin(), m_filters.end(),
                                   [](const auto &filter) { return filter->filterId() == cleanAndClearId; }),
                    m_filters.end());
}

void FilterManager::previewCompleted(QString path)
{
    emit filterApplyPreviewCompleted(path);
}

void FilterManager::applyCompleted(QString path)
{
    emit filterApplyCompleted(path);
}

Filter *FilterManager::makeCleanAndClearFilter()
{
    return new UnavailableFilter(&m_common, QStringLiteral("Clean&Clear"), cleanAndClearId,
                                 QStringLiteral("qml/ui/filterRes/AutoLevel/thumbnail.png"), false);
}

void FilterManager::populate()
{
    const auto add = [this](Filter *filter) { m_filters.emplace_back(filter); };
    // Listed in the strip; their pixel work is not part of this build yet.
    const auto unavailable = [this, add](const char *name, int id, const char *folder, bool expensive) {
        add(new UnavailableFilter(&m_common, QString::fromUtf8(name), id,
                                  QStringLiteral("qml/ui/filterRes/%1/thumbnail.png").arg(QLatin1String(folder)),
                                  expensive));
    };

    add(new NormalFilter(&m_common));
    add(new AutoLevelFilter(&m_common));
    if (m_cleanAndClearRegistered)
        add(makeCleanAndClearFilter());
    unavailable("Town", 78, "Town", false);
    unavailable("Surubu", 61, "Surubu", false);
    unavailable("Butumo", 62, "Butumo", false);
    unavailable("Zada", 66, "Zada", false);
    unavailable("Theel", 63, "Theel", false);
    unavailable("Chacha", 65, "Chacha", false);
    unavailable("Kabi", 73, "Kabi", false);
    unavailable("Autumn", 76, "Autumn", false);
    unavailable("Dacho", 67, "Dacho", false);
    unavailable("Jiya", 68, "Jiya", false);
    unavailable("Biki", 70, "Biki", false);
    unavailable("Wales", 71, "Wales", false);
    unavailable("Parlo", 23, "Parlo", true);
    add(new VividFilter(&m_common));
    add(new RosyFilter(&m_common));
    unavailable("Crossy", 24, "Crossy", false);
    unavailable("Cartoon", 44, "AutoLevel", false);
    unavailable("Vintage", 4, "Vintage", false);
    unavailable("Sunset", 19, "Sunset", false);
    unavailable("Pastela", 25, "Pastela", true);
    unavailable("Ale Sea", 50, "AleSea", false);
    unavailable("Viridescent", 20, "Viridescent", false);
    unavailable("Pie Hole", 53, "PieHole", false);
    unavailable("Dreamy Vintage", 45, "DreamyVintage", false);
    add(new RusFilter(&m_common));
    add(new CavalleriaRusticanaFilter(&m_common));
    unavailable("Charcoal", 51, "Charcoal", false);
    unavailable("Tilt Shift", 8, "TiltShift", false);
    add(new BWHiContrastFilter(&m_common));
    unavailable("Color Picker", 26, "ColorPicker", false);
}
