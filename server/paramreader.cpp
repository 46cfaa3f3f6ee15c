#include "server/paramreader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

ParamReader::ParamReader(const FormBody &body)
    : m_body(body)
{
}

bool ParamReader::has(const char *name) const
{
    return m_body.has(name);
}

void ParamReader::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

qint64 ParamReader::integer(const char *name, qint64 fallback, qint64 min, qint64 max)
{
    if (!m_body.has(name))
        return fallback;
    const std::string text = m_body.value(name);
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || text.find_first_of(" \t+") != std::string::npos) {
        fail(QStringLiteral("%1 must be a whole number").arg(QLatin1String(name)));
        return fallback;
    }
    if (value < min || value > max) {
        fail(QStringLiteral("%1 must be between %2 and %3").arg(QLatin1String(name)).arg(min).arg(max));
        return fallback;
    }
    return value;
}

qint64 ParamReader::requiredInteger(const char *name, qint64 min, qint64 max)
{
    if (!m_body.has(name)) {
        fail(QStringLiteral("%1 is missing").arg(QLatin1String(name)));
        return min;
    }
    return integer(name, min, min, max);
}

bool ParamReader::boolean(const char *name, bool fallback)
{
    if (!m_body.has(name))
        return fallback;
    const std::string text = m_body.value(name);
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    fail(QStringLiteral("%1 must be true or false").arg(QLatin1String(name)));
    return fallback;
}

double ParamReader::real(const char *name, double fallback)
{
    if (!m_body.has(name))
        return fallback;
    const std::string text = m_body.value(name);
    char *end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) {
        fail(QStringLiteral("%1 must be a number").arg(QLatin1String(name)));
        return fallback;
    }
    return value;
}

QString ParamReader::text(const char *name, int maxLength)
{
    const std::string raw = m_body.value(name);
    const QString value = QString::fromUtf8(raw.data(), static_cast<int>(raw.size()));
    if (value.toUtf8().size() != static_cast<int>(raw.size()) || value.contains(QChar(0))) {
        fail(QStringLiteral("%1 is not valid text").arg(QLatin1String(name)));
        return {};
    }
    if (value.size() > maxLength) {
        fail(QStringLiteral("%1 is longer than %2 characters").arg(QLatin1String(name)).arg(maxLength));
        return {};
    }
    return value;
}

QString ParamReader::requiredText(const char *name, int maxLength)
{
    if (!m_body.has(name)) {
        fail(QStringLiteral("%1 is missing").arg(QLatin1String(name)));
        return {};
    }
    return text(name, maxLength);
}
