#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

/**
 * Reading the service's JSON answers into the variant rows of the feed
 * models. Answers of the wrong shape never fail here: what is not an object
 * or a list reads as an empty one.
 */
namespace JsonRows {

// The answer's top-level object; false when the bytes are no JSON object.
bool parseObject(const QByteArray &data, QVariantMap *answer);

// The answer's "success" flag.
bool succeeded(const QVariantMap &answer);

// The elements of a JSON array that are objects, in order; anything else is
// skipped, and a value that is not an array gives an empty list.
QVariantList objects(const QVariant &list);

// The first element of an array as an object; empty when there is none.
QVariantMap firstObject(const QVariant &list);

// An id field of a row, read as a 64-bit integer.
qint64 idOf(const QVariant &row, const QString &key);

// Replaces the file atomically: a crash leaves either the old or the new
// content. Failures are logged and otherwise silent.
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace JsonRows
