#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantList>

// A fixture answer from tests/data/models/.
inline QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(TAVIRO_TEST_DATA "/models/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

inline QVariantMap fixtureObject(const QString &name)
{
    return QJsonDocument::fromJson(fixture(name)).toVariant().toMap();
}

// A photo-list answer whose records are the first record of timeline_5_4.json
// with the given ids and codes.
inline QByteArray photoPage(const QList<int> &ids)
{
    const QVariantMap model = fixtureObject(QStringLiteral("timeline_5_4.json")).value(QStringLiteral("data")).toList().first().toMap();
    QVariantList records;
    for (int id : ids) {
        QVariantMap record = model;
        record.insert(QStringLiteral("picture_id"), id);
        record.insert(QStringLiteral("picture_code"), QStringLiteral("p%1").arg(id));
        records.append(record);
    }
    return QJsonDocument::fromVariant(QVariantMap{{QStringLiteral("success"), true}, {QStringLiteral("data"), records}})
        .toJson(QJsonDocument::Compact);
}

// One role's values in row order.
inline QVariantList column(const QAbstractItemModel &model, int role)
{
    QVariantList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.data(model.index(row, 0), role));
    return values;
}

inline QList<int> intColumn(const QAbstractItemModel &model, int role)
{
    QList<int> values;
    for (const QVariant &value : column(model, role))
        values.append(value.toInt());
    return values;
}

inline QList<int> idsOf(const QVariantList &rows, const QString &key)
{
    QList<int> ids;
    for (const QVariant &row : rows)
        ids.append(row.toMap().value(key).toInt());
    return ids;
}

// Lets QSignalSpy record the item-model signals.
inline void registerModelSignalTypes()
{
    qRegisterMetaType<QList<QPersistentModelIndex>>();
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
}

// Checks the model against Qt's item-model rules for as long as it lives.
inline void attachTester(QAbstractItemModel *model)
{
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
}

/** A fresh temporary folder made the working directory while it lives. */
class ScopedWorkingDir
{
public:
    ScopedWorkingDir()
        : m_previous(QDir::currentPath())
    {
        QVERIFY2(m_dir.isValid(), "no temporary folder");
        QDir::setCurrent(m_dir.path());
    }
    ~ScopedWorkingDir() { QDir::setCurrent(m_previous); }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
