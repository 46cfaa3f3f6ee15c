#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QVariant>

class Filter;

/**
 * Runs one filter once over one working image: reads the square source,
 * hands its pixels to the filter with the two dark regions, and writes the
 * JPEG result. Lives on a worker thread of its own or is called in place.
 */
class FilterApplier : public QObject
{
    Q_OBJECT
public:
    FilterApplier(Filter *filter, const QVariant &darkAreas, bool preview, const QVariant &param,
                  QObject *parent = nullptr);

public Q_SLOTS:
    // Emits previewCompleted or applyCompleted, or error, then finished.
    void applyFilter();
    // Runs applyFilter() and returns the path written; empty when it failed.
    QString applyFilterSync();

public:
    // How much of the filter shows, 0 (the source) to 100 (the filter alone).
    void setStrength(int strength);

Q_SIGNALS:
    void finished();
    void error(QString message);
    void previewCompleted(QString path);
    void applyCompleted(QString path);

private:
    // Writes the output file; returns the reason when it could not.
    QString render(const QString &outputPath);

    Filter *m_filter;
    QVariant m_darkAreas;
    bool m_preview;
    QVariant m_param;
    int m_finalWidth;
    int m_strength = 100;
    QString m_writtenPath;
};
