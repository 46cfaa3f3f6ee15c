#pragma once

#include <QString>

/**
 * Random tokens and salted password hashes (PBKDF2-HMAC-SHA256) of the
 * service's accounts.
 */
class Credentials
{
public:
    // `bytes` random bytes as lower-case hexadecimal.
    static QString randomHex(int bytes);
    // Letters and digits, for photo codes.
    static QString randomCode(int length);
    static QString hashPassword(const QString &password, const QString &salt);
    static bool verifyPassword(const QString &password, const QString &salt, const QString &hash);
    // Compares without leaking where the first difference is.
    static bool constantTimeEquals(const QByteArray &a, const QByteArray &b);
};
