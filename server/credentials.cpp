#include "server/credentials.h"

#include <QByteArray>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {
constexpr int kIterations = 20000;
}

QString Credentials::randomHex(int bytes)
{
    QByteArray buffer(bytes, Qt::Uninitialized);
    RAND_bytes(reinterpret_cast<unsigned char *>(buffer.data()), bytes);
    return QString::fromLatin1(buffer.toHex());
}

QString Credentials::randomCode(int length)
{
    static const char alphabet[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    const int alphabetSize = sizeof(alphabet) - 1;
    QByteArray buffer(length, Qt::Uninitialized);
    RAND_bytes(reinterpret_cast<unsigned char *>(buffer.data()), length);
    QString code;
    for (char byte : buffer)
        code += QLatin1Char(alphabet[static_cast<unsigned char>(byte) % alphabetSize]);
    return code;
}

QString Credentials::hashPassword(const QString &password, const QString &salt)
{
    const QByteArray pass = password.toUtf8();
    const QByteArray saltBytes = salt.toUtf8();
    unsigned char out[32];
    PKCS5_PBKDF2_HMAC(pass.constData(), pass.size(), reinterpret_cast<const unsigned char *>(saltBytes.constData()),
                      saltBytes.size(), kIterations, EVP_sha256(), sizeof(out), out);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(out), sizeof(out)).toHex());
}

bool Credentials::verifyPassword(const QString &password, const QString &salt, const QString &hash)
{
    return constantTimeEquals(hashPassword(password, salt).toLatin1(), hash.toLatin1());
}

bool Credentials::constantTimeEquals(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() && CRYPTO_memcmp(a.constData(), b.constData(), a.size()) == 0;
}
