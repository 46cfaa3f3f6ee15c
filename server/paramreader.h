#pragma once

#include "server/formbody.h"

#include <QString>

/**
 * Typed reading of one call's parameters. The first missing or malformed
 * parameter is remembered; `ok()` tells whether all reads succeeded and
 * `error()` names the culprit for the "reason" of the answer.
 */
class ParamReader
{
public:
    explicit ParamReader(const FormBody &body);

    bool has(const char *name) const;
    qint64 integer(const char *name, qint64 fallback, qint64 min, qint64 max);
    qint64 requiredInteger(const char *name, qint64 min, qint64 max);
    bool boolean(const char *name, bool fallback);
    double real(const char *name, double fallback);
    QString text(const char *name, int maxLength);
    QString requiredText(const char *name, int maxLength);

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    void fail(const QString &message);

    const FormBody &m_body;
    QString m_error;
};
