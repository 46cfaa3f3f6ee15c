#include "filters/filterapplier.h"

#include "filters/filter.h"
#include "filters/filtermanager.h"
#include "filters/filterslog.h"
#include "filters/primitives.h"

#include <QImage>
#include <QJSValue>
#include <QSaveFile>
#include <QVariantMap>

#include <algorithm>

namespace {

QRect regionAt(const QVariantList &list, int index)
{
    if (index >= list.size())
        return {};
    const QVariantMap area = list.at(index).toMap();
    return QRect(area.value(QStringLiteral("x")).toInt(), area.value(QStringLiteral("y")).toInt(),
                 area.value(QStringLiteral("width")).toInt(), area.value(QStringLiteral("height")).toInt());
}

// Values from QML may wrap script objects, which only their engine's thread
// may read: the applier keeps plain copies.
QVariant plainValue(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QJSValue>())
        return value.value<QJSValue>().toVariant();
    return value;
}

} // namespace

FilterApplier::FilterApplier(Filter *filter, const QVariant &darkAreas, bool preview, const QVariant &param,
                             QObject *parent)
    : QObject(parent)
    , m_filter(filter)
    , m_darkAreas(plainValue(darkAreas))
    , m_preview(preview)
    , m_param(plainValue(param))
    , m_finalWidth(FilterManager::finalWidth())
{
}

void FilterApplier::applyFilter()
{
    m_writtenPath.clear();
    if (!m_filter) {
        emit error(QStringLiteral("No filter"));
        emit finished();
        return;
    }
    const QString outputPath = FilterManager::workFolder()
        + (m_preview ? QStringLiteral("processed_preview_") + QStringLiteral(".jpg") : QStringLiteral("processed.jpg"));
    const QString failure = render(outputPath);
    if (!failure.isEmpty()) {
        qCWarning(lcFilters) << failure;
        emit error(failure);
    } else {
        m_writtenPath = outputPath;
        if (m_preview)
            emit previewCompleted(outputPath);
        else
            emit applyCompleted(outputPath);
    }
    emit finished();
}

void FilterApplier::setStrength(int strength)
{
    m_strength = std::clamp(strength, 0, 100);
}

QString FilterApplier::applyFilterSync()
{
    applyFilter();
    return m_writtenPath;
}

QString FilterApplier::render(const QString &outputPath)
{
    const int side = m_preview ? Filter::previewWidth : m_finalWidth;
    const QString sourcePath = FilterManager::workFolder()
        + (m_preview ? QStringLiteral("source_preview.jpg") : QStringLiteral("source.jpg"));
    QImage source(sourcePath, "JPG");
    if (source.isNull())
        return QStringLiteral("Cannot read ") + sourcePath;
    if (source.size() != QSize(side, side)) {
        qCDebug(lcFilters) << sourcePath << "is" << source.size() << "; scaled to" << side;
        source = source.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    source = source.convertToFormat(QImage::Format_RGB32);
    QImage destination(side, side, QImage::Format_RGB32);
    if (source.isNull() || destination.isNull())
        return QStringLiteral("Not enough memory for a %1 x %1 image").arg(side);

    const QVariantMap areas = m_darkAreas.toMap();
    const QVariantList list = areas.value(m_preview ? QStringLiteral("preview") : QStringLiteral("large")).toList();
    const QRect regionA = regionAt(list, 0);
    const QRect regionB = regionAt(list, 1);

    // Filters may change their source in place: the blend needs it as it was.
    const QImage original = m_strength < 100 ? source.copy() : QImage();
    const int result = m_preview
        ? m_filter->applyPreview(source.bits(), destination.bits(), regionA, regionB, m_param)
        : m_filter->applyFinal(source.bits(), destination.bits(), side * side, regionA, regionB, m_param);
    if (result != 0)
        return QStringLiteral("Filter ") + m_filter->name() + QStringLiteral(" is not available");
    if (m_strength < 100)
        blendByStrength(original.constBits(), destination.bits(), side * side, m_strength);
    // Written aside and renamed into place: runs that finish together, and
    // readers of the previous result, never meet a half-written file.
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || !destination.save(&file, "jpg", 90) || !file.commit())
        return QStringLiteral("Cannot write ") + outputPath;
    return {};
}
