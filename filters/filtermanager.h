#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class Filter;
class FilterCommon;

/**
 * The editor's filter strip for QML: the catalogue of filters in strip order,
 * and their application by display name to the working images, as a preview
 * (480 x 480) or at the final size. Cheap previews run in place; expensive
 * previews and every final render run on a worker thread of their own.
 */
class FilterManager : public QObject
{
    Q_OBJECT
    // How much of a filter shows in previews and the final render: 0 (the
    // source) to 100 (the filter alone, the default).
    Q_PROPERTY(int strength READ strength WRITE setStrength NOTIFY strengthChanged)
public:
    explicit FilterManager(QObject *parent = nullptr);
    ~FilterManager() override;

    Q_INVOKABLE void applyFilterByName(QString name, QVariant darkAreas, bool preview, QVariant param);
    Q_INVOKABLE void applyFilterByName(QString name, QVariant darkAreas, bool preview);
    Q_INVOKABLE void applyFilterByName(QString name, QVariant darkAreas);
    Q_INVOKABLE void rotateSourcePhoto(int angle);
    Q_INVOKABLE QString getSourcePreviewPath();
    Q_INVOKABLE QString getSourceInitPath();
    Q_INVOKABLE QVariantList getFilters();
    Q_INVOKABLE void createFilterCommon();
    Q_INVOKABLE void setFinalImageResolution(int width);
    Q_INVOKABLE void registerCleanAndClearFilter();
    Q_INVOKABLE void unregisterCleanAndClearFilter();

    int strength() const;
    void setStrength(int strength);

    // The catalogue for native callers (tools, benchmarks): the filter of that
    // display name, with the tables it needs, or null.
    Filter *filterNamed(const QString &name);

    // The editor's working folder, relative to the current directory.
    static QString workFolder();
    // Side of the square final image, shared by every manager; 800 at start.
    static int finalWidth();
    static int finalPixelCount();

Q_SIGNALS:
    void filterApplyPreviewCompleted(QString path);
    void filterApplyCompleted(QString path);
    void filterApplyError(QString reason);
    void strengthChanged();

private Q_SLOTS:
    void previewCompleted(QString path);
    void applyCompleted(QString path);

private:
    void populate();
    // The last filter of the list with that name (the one QML gets).
    Filter *lastNamed(const QString &name) const;
    void waitForWorkers();
    Filter *makeCleanAndClearFilter();

    std::unique_ptr<FilterCommon> m_common;
    std::vector<std::unique_ptr<Filter>> m_filters;
    bool m_cleanAndClearRegistered = false;
    int m_strength = 100;
    // Workers still using this manager's filters; shared with their appliers.
    struct Running;
    std::shared_ptr<Running> m_running;
};
