// Signed requests to the service: the first line is the Authorization
// header, the rest the body, checked both as a header-signed and as a
// body-signed request against an empty database.
#include "server/apiservice.h"
#include "server/database.h"
#include "server/photostore.h"
#include "server/requestverifier.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct Service
{
    QTemporaryDir dir;
    Database db;
    std::unique_ptr<PhotoStore> photos;
    std::unique_ptr<ApiService> api;
    std::unique_ptr<RequestVerifier> verifier;

    Service()
    {
        if (!dir.isValid() || !db.open(dir.filePath(QStringLiteral("taviro.db"))))
            qFatal("cannot open a database in a temporary folder");
        photos = std::make_unique<PhotoStore>(dir.path());
        api = std::make_unique<ApiService>(db, *photos, QStringLiteral("http://web.test"));
        verifier = std::make_unique<RequestVerifier>(db, *api);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Service service;
    const std::string input(reinterpret_cast<const char *>(data), size);
    const size_t lineEnd = input.find('\n');
    const std::string header = input.substr(0, lineEnd);
    const std::string body = lineEnd == std::string::npos ? std::string() : input.substr(lineEnd + 1);

    RequestVerifier::parseHeader(header);
    const QString url = QStringLiteral("http://127.0.0.1/v1/user_info");
    std::lock_guard<std::recursive_mutex> lock(service.db.mutex());
    const auto outcome = service.verifier->verifyServiceRequest(url, header, QString::fromStdString(body), false);
    std::string signedPart;
    const auto bodyOutcome = service.verifier->verifyBodySigned(url, body, &signedPart);
    // Without the consumer secret no signature can match.
    if (outcome.ok || bodyOutcome.ok)
        __builtin_trap();
    return 0;
}
