#include "models/jsonrows.h"

#include "models/modelslog.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace JsonRows {

bool parseObject(const QByteArray &data, QVariantMap *answer)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qCDebug(lcModels) << "answer is no JSON object:" << error.errorString();
        answer->clear();
        return false;
    }
    *answer = document.toVariant().toMap();
    return true;
}

bool succeeded(const QVariantMap &answer)
{
    return answer.value(QStringLiteral("success")).toBool();
}

QVariantList objects(const QVariant &list)
{
    if (list.userType() != QMetaType::QVariantList)
        return {};
    const QVariantList elements = list.toList();
    const auto isObject = [](const QVariant &element) { return element.userType() == QMetaType::QVariantMap; };
    if (std::all_of(elements.cbegin(), elements.cend(), isObject))
        return elements;
    QVariantList result;
    std::copy_if(elements.cbegin(), elements.cend(), std::back_inserter(result), isObject);
    return result;
}

QVariantMap firstObject(const QVariant &list)
{
    if (list.userType() != QMetaType::QVariantList)
        return {};
    return list.toList().value(0).toMap();
}

qint64 idOf(const QVariant &row, const QString &key)
{
    return row.toMap().value(key).toLongLong();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    // The saved lists are copies of what the service holds: they must never
    // be found half-written, but need not outlive a power cut, so there is no
    // sync to disk, which would cost milliseconds per page.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        qCDebug(lcModels) << "cannot write" << path << file.errorString();
        return;
    }
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        qCDebug(lcModels) << "cannot replace" << path << std::strerror(errno);
        return;
    }
    file.setAutoRemove(false);
}

} // namespace JsonRows
