#include "filters/filtermanager.h"

#include "filters/aleseafilter.h"
#include "filters/autolevelfilter.h"
#include "filters/autumnfilter.h"
#include "filters/bikifilter.h"
#include "filters/butumofilter.h"
#include "filters/bwhicontrastfilter.h"
#include "filters/cartoonfilter.h"
#include "filters/cavalleriarusticanafilter.h"
#include "filters/chachafilter.h"
#include "filters/charcoalfilter.h"
#include "filters/cleanandclearfilter.h"
#include "filters/colorpickerfilter.h"
#include "filters/crossyfilter.h"
#include "filters/dachofilter.h"
#include "filters/dreamyvintagefilter.h"
#include "filters/filterapplier.h"
#include "filters/filtercommon.h"
#include "filters/filterslog.h"
#include "filters/jiyafilter.h"
#include "filters/kabifilter.h"
#include "filters/normalfilter.h"
#include "filters/parlofilter.h"
#include "filters/pastelafilter.h"
#include "filters/pieholefilter.h"
#include "filters/rosyfilter.h"
#include "filters/rusfilter.h"
#include "filters/sunsetfilter.h"
#include "filters/surubufilter.h"
#include "filters/theelfilter.h"
#include "filters/tiltshiftfilter.h"
#include "filters/townfilter.h"
#include "filters/vintagefilter.h"
#include "filters/viridescentfilter.h"
#include "filters/vividfilter.h"
#include "filters/walesfilter.h"
#include "filters/zadafilter.h"

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
    Filter *candidate = lastNamed(name);
    if (!candidate) {
        emit filterApplyError(QStringLiteral("No filter named ") + name);
        return;
    }

    if (candidate->expensiveFilter() || !preview) {
        auto *thread = new QThread;
        auto *applier = new FilterApplier(candidate, darkAreas, preview, param);
        applier->setStrength(m_strength);
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
    applier.setStrength(m_strength);
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

int FilterManager::strength() const
{
    return m_strength;
}

void FilterManager::setStrength(int strength)
{
    strength = std::clamp(strength, 0, 100);
    if (strength == m_strength)
        return;
    m_strength = strength;
    emit strengthChanged();
}

Filter *FilterManager::filterNamed(const QString &name)
{
    if (m_filters.empty())
        populate();
    createFilterCommon();
    return lastNamed(name);
}

Filter *FilterManager::lastNamed(const QString &name) const
{
    Filter *found = nullptr;
    for (const auto &filter : m_filters) {
        if (filter->name() == name)
            found = filter.get();
    }
    return found;
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
    return new CleanAndClearFilter(&m_common);
}

void FilterManager::populate()
{
    m_filters.emplace_back(new NormalFilter(&m_common));
    m_filters.emplace_back(new AutoLevelFilter(&m_common));
    if (m_cleanAndClearRegistered)
        m_filters.emplace_back(makeCleanAndClearFilter());
    m_filters.emplace_back(new TownFilter(&m_common));
    m_filters.emplace_back(new SurubuFilter(&m_common));
    m_filters.emplace_back(new ButumoFilter(&m_common));
    m_filters.emplace_back(new ZadaFilter(&m_common));
    m_filters.emplace_back(new TheelFilter(&m_common));
    m_filters.emplace_back(new ChachaFilter(&m_common));
    m_filters.emplace_back(new KabiFilter(&m_common));
    m_filters.emplace_back(new AutumnFilter(&m_common));
    m_filters.emplace_back(new DachoFilter(&m_common));
    m_filters.emplace_back(new JiyaFilter(&m_common));
    m_filters.emplace_back(new BikiFilter(&m_common));
    m_filters.emplace_back(new WalesFilter(&m_common));
    m_filters.emplace_back(new ParloFilter(&m_common));
    m_filters.emplace_back(new VividFilter(&m_common));
    m_filters.emplace_back(new RosyFilter(&m_common));
    m_filters.emplace_back(new CrossyFilter(&m_common));
    m_filters.emplace_back(new CartoonFilter(&m_common));
    m_filters.emplace_back(new VintageFilter(&m_common));
    m_filters.emplace_back(new SunsetFilter(&m_common));
    m_filters.emplace_back(new PastelaFilter(&m_common));
    m_filters.emplace_back(new AleSeaFilter(&m_common));
    m_filters.emplace_back(new ViridescentFilter(&m_common));
    m_filters.emplace_back(new PieHoleFilter(&m_common));
    m_filters.emplace_back(new DreamyVintageFilter(&m_common));
    m_filters.emplace_back(new RusFilter(&m_common));
    m_filters.emplace_back(new CavalleriaRusticanaFilter(&m_common));
    m_filters.emplace_back(new CharCoalFilter(&m_common));
    m_filters.emplace_back(new TiltShiftFilter(&m_common));
    m_filters.emplace_back(new BWHiContrastFilter(&m_common));
    m_filters.emplace_back(new ColorPickerFilter(&m_common));
}
