#include "server/httpfrontend.h"

#include "server/apiservice.h"
#include "server/boundedserver.h"
#include "server/database.h"
#include "server/externalnetworks.h"
#include "server/formbody.h"
#include "server/multipartform.h"
#include "server/requestverifier.h"
#include "server/serverlog.h"

#include <httplib.h>

#include <QFile>
#include <QJsonDocument>

#include <mutex>

namespace {

// The upload's text parts in the order the app signs them.
const char *const kUploadFields[] = {"name", "description", "geo_location_lat", "geo_location_long",
                                     "effect_filter_type", "image_source", "timestamp", "v", "appv", "pf",
                                     "cellid", "lac", "mnc", "mcc", "model", "manufacturer", "access_level"};
const char *const kShareFields[] = {"share_on_twitter", "share_on_facebook", "share_on_tumblr",
                                    "share_on_flickr", "share_on_weibo", "share_on_vk",
                                    "share_on_dropbox", "share_on_gdrive", "share_on_picasa"};

void sendJson(httplib::Response &res, const ApiResult &result)
{
    res.status = result.status;
    res.set_content(QJsonDocument(result.body).toJson(QJsonDocument::Compact).toStdString(), "application/json");
}

void sendError(httplib::Response &res, int status, ApiService::ErrorCode code, const QString &reason)
{
    sendJson(res, ApiService::error(status, code, reason));
}

std::string htmlEscape(const QString &text)
{
    return text.toHtmlEscaped().toStdString();
}

void sendPage(httplib::Response &res, const std::string &title, const std::string &content)
{
    res.set_content("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
                    "content=\"width=device-width\"><title>" + title + "</title></head><body style=\"font-family:"
                    "sans-serif;max-width:820px;margin:auto\">" + content + "</body></html>",
                    "text/html");
}

bool sendFile(httplib::Response &res, const QString &path, const char *contentType)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    res.set_content(data.constData(), static_cast<size_t>(data.size()), contentType);
    res.set_header("Cache-Control", "public, max-age=86400");
    return true;
}

bool isFormBody(const httplib::Request &req)
{
    const std::string type = req.get_header_value("Content-Type");
    return type.empty() || type.rfind("application/x-www-form-urlencoded", 0) == 0;
}

// Text from a request made safe for a log line: control characters, which
// could end the line and forge the next, and backslashes are escaped.
QString loggable(const std::string &text)
{
    QByteArray out;
    out.reserve(int(text.size()));
    for (const unsigned char c : text) {
        if (c < 0x20 || c == 0x7f || c == '\\')
            out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
        else
            out += char(c);
    }
    return QString::fromUtf8(out);
}

// Reads a body raw (cpp-httplib neither parses nor limits it otherwise);
// on failure answers for it and returns false.
bool readBody(const httplib::ContentReader &reader, httplib::Response &res, std::string *body)
{
    const bool complete = reader([body](const char *data, size_t length) {
        body->append(data, length);
        return true;
    });
    if (complete)
        return true;
    if (res.status == 413) {
        sendError(res, 413, ApiService::TooLarge,
                  QStringLiteral("The body is larger than %1 bytes").arg(HttpFrontend::kMaxBodyBytes));
    } else {
        sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The body could not be read"));
    }
    return false;
}

void sendRefusal(httplib::Response &res, const RequestVerifier::Outcome &outcome)
{
    sendError(res, outcome.status, outcome.status >= 500 ? ApiService::ServerError : ApiService::NotAuthorised,
              outcome.reason);
}

// The URL exactly as the client signed it.
QString signedUrl(const std::string &scheme, const httplib::Request &req)
{
    return QString::fromStdString(scheme + "://" + req.get_header_value("Host") + req.target);
}

} // namespace

HttpFrontend::HttpFrontend(Database &db, ApiService &api, RequestVerifier &verifier, ExternalNetworks &networks)
    : m_db(db)
    , m_api(api)
    , m_verifier(verifier)
    , m_networks(networks)
{
}

void HttpFrontend::install(httplib::Server &server, const std::string &scheme)
{
    server.set_payload_max_length(kMaxBodyBytes);
    server.set_pre_routing_handler([](const httplib::Request &req, httplib::Response &res) {
        if (req.get_header_value("Host").empty()) {
            sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The Host header is missing"));
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    installCatalogue(server, scheme);
    installSignIn(server, scheme);
    installNetworks(server, scheme);
    installFiles(server);
    installPages(server);
    installErrorAnswers(server, scheme);
}

void HttpFrontend::installCatalogue(httplib::Server &server, const std::string &scheme)
{
    // Bodies are read raw: uploads are split by MultipartForm.
    server.Post(R"(/v1/([A-Za-z_]+))", [this, scheme](const httplib::Request &req, httplib::Response &res,
                                                      const httplib::ContentReader &reader) {
        std::string body;
        if (!readBody(reader, res, &body))
            return;
        const std::string name = req.matches[1];
        if (!ApiService::isKnownCall(name))
            return sendError(res, 404, ApiService::UnknownCall, QStringLiteral("Unknown call"));
        if (name == "picture_insert")
            return upload(req, res, signedUrl(scheme, req), body);
        if (!isFormBody(req)) {
            return sendError(res, 415, ApiService::InvalidParameter,
                             QStringLiteral("The body must be application/x-www-form-urlencoded"));
        }
        const auto form = FormBody::parse(body);
        if (!form)
            return sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The body is not a valid form"));
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        const auto outcome = m_verifier.verifyServiceRequest(signedUrl(scheme, req), req.get_header_value("Authorization"),
                                                             QString::fromUtf8(body.data(), int(body.size())),
                                                             !ApiService::allowsAnonymous(name));
        if (!outcome.ok)
            return sendRefusal(res, outcome);
        sendJson(res, m_api.call(name, *form, outcome.userId));
    });
}

void HttpFrontend::upload(const httplib::Request &req, httplib::Response &res, const QString &url,
                          const std::string &body)
{
    const std::string boundary = MultipartForm::boundaryOf(requestContentType(req));
    if (boundary.empty())
        return sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("picture_insert takes multipart/form-data"));
    const auto form = MultipartForm::parse(body, boundary);
    if (!form)
        return sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The multipart body is malformed"));
    FormBody fields;
    std::string signedParameters;
    auto addSigned = [&](const char *field) {
        const MultipartForm::Part *part = form->part(field);
        if (!part)
            return;
        fields.add(field, part->content);
        if (!signedParameters.empty())
            signedParameters += '&';
        signedParameters += std::string(field) + "=" + FormBody::percentEncode(part->content);
    };
    for (const char *field : kUploadFields)
        addSigned(field);
    for (const char *field : kShareFields) {
        if (form->has(field) && form->part(field)->content == "true")
            addSigned(field);
    }
    RequestVerifier::Outcome outcome;
    {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        outcome = m_verifier.verifyServiceRequest(url, req.get_header_value("Authorization"),
                                                  QString::fromStdString(signedParameters), true);
    }
    if (!outcome.ok)
        return sendRefusal(res, outcome);
    // Decoding and resizing happen outside the database lock (the service
    // takes it for the rows only), so other requests do not wait for them.
    const MultipartForm::Part *picture = form->part("picture_file");
    sendJson(res, m_api.uploadPicture(outcome.userId, fields,
                                      picture ? QByteArray::fromStdString(picture->content) : QByteArray()));
}

void HttpFrontend::installSignIn(httplib::Server &server, const std::string &scheme)
{
    auto bodySigned = [this, scheme](const httplib::Request &req, httplib::Response &res, const std::string &body,
                                     auto &&answer) {
        if (!isFormBody(req)) {
            return sendError(res, 415, ApiService::InvalidParameter,
                             QStringLiteral("The body must be application/x-www-form-urlencoded"));
        }
        if (!FormBody::parse(body))
            return sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The body is not a valid form"));
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        std::string signedPart;
        const auto outcome = m_verifier.verifyBodySigned(signedUrl(scheme, req), body, &signedPart);
        if (!outcome.ok)
            return sendRefusal(res, outcome);
        sendJson(res, answer(*FormBody::parse(signedPart)));
    };
    server.Post("/api/oauth/access_token", [this, bodySigned](const httplib::Request &req, httplib::Response &res,
                                                              const httplib::ContentReader &reader) {
        std::string body;
        if (readBody(reader, res, &body))
            bodySigned(req, res, body, [this](const FormBody &params) { return m_api.signIn(params); });
    });
    server.Post("/api/oauth/user_register", [this, bodySigned](const httplib::Request &req, httplib::Response &res,
                                                               const httplib::ContentReader &reader) {
        std::string body;
        if (readBody(reader, res, &body))
            bodySigned(req, res, body, [this](const FormBody &params) { return m_api.registerUser(params); });
    });
    server.Post("/forgot_password.json", [this, scheme, bodySigned](const httplib::Request &req, httplib::Response &res,
                                                                    const httplib::ContentReader &reader) {
        std::string body;
        if (!readBody(reader, res, &body))
            return;
        if (!req.has_header("Authorization")) {
            return bodySigned(req, res, body,
                              [this](const FormBody &params) { return m_api.remindPassword(params, 0); });
        }
        const auto form = FormBody::parse(body);
        if (!isFormBody(req) || !form)
            return sendError(res, 400, ApiService::InvalidParameter, QStringLiteral("The body is not a valid form"));
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        const auto outcome = m_verifier.verifyServiceRequest(signedUrl(scheme, req), req.get_header_value("Authorization"),
                                                             QString::fromUtf8(body.data(), int(body.size())), true);
        if (!outcome.ok)
            return sendRefusal(res, outcome);
        sendJson(res, m_api.remindPassword(*form, outcome.userId));
    });
}

void HttpFrontend::installNetworks(httplib::Server &server, const std::string &scheme)
{
    auto sendNetwork = [](httplib::Response &res, const ExternalNetworks::Answer &answer) {
        res.status = answer.status;
        if (!answer.location.empty())
            res.set_header("Location", answer.location);
        res.set_content(answer.body, answer.contentType.c_str());
    };
    server.Post(R"(/ext/([a-z]+)(/.*))", [this, scheme, sendNetwork](const httplib::Request &req,
                                                                     httplib::Response &res) {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        sendNetwork(res, m_networks.post(req.matches[1], req.matches[2], signedUrl(scheme, req),
                                         req.get_header_value("Authorization")));
    });
    server.Get(R"(/ext/([a-z]+)(/.*))", [this, sendNetwork](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        sendNetwork(res, m_networks.authorise(req.matches[1], req.matches[2], req.get_param_value("oauth_token")));
    });
    server.Get(R"(/auth/([a-z]+)/?)", [](const httplib::Request &req, httplib::Response &res) {
        const QString network = QString::fromStdString(req.matches[1]);
        sendPage(res, "Linked", "<h1>" + htmlEscape(network) + " is linked</h1><p>Return to TAVIRO to finish.</p>");
    });
}

void HttpFrontend::installFiles(httplib::Server &server)
{
    server.Get(R"(/photos/([A-Za-z0-9]+)/([a-z]+))", [this](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        const QString file = m_api.pictureFile(QString::fromStdString(req.matches[1]),
                                               QString::fromStdString(req.matches[2]),
                                               QString::fromStdString(req.get_param_value("salt")));
        if (!sendFile(res, file, "image/jpeg"))
            sendError(res, 404, ApiService::NotFound, QStringLiteral("No such picture"));
    });
    server.Get(R"(/badges/([0-9]{1,9})/(small|96x96))", [this](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        const QString file = m_api.badgeFile(std::stoll(req.matches[1]), QString::fromStdString(req.matches[2]));
        if (!sendFile(res, file, "image/png"))
            sendError(res, 404, ApiService::NotFound, QStringLiteral("No such badge"));
    });
}

void HttpFrontend::installPages(httplib::Server &server)
{
    server.Get(R"(/p/([A-Za-z0-9]+))", [this](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard<std::recursive_mutex> lock(m_db.mutex());
        const QJsonObject photo = m_api.publicPhoto(QString::fromStdString(req.matches[1]));
        if (photo.isEmpty())
            return sendError(res, 404, ApiService::NotFound, QStringLiteral("No such photo"));
        const QString caption = photo.value(QStringLiteral("name")).toString();
        sendPage(res, htmlEscape(caption.isEmpty() ? QStringLiteral("TAVIRO") : caption),
                 "<img style=\"width:100%\" src=\"" + htmlEscape(photo.value(QStringLiteral("image_url_large")).toString())
                     + "\"><h2>" + htmlEscape(caption) + "</h2><p>by " + htmlEscape(photo.value(QStringLiteral("username")).toString())
                     + " &middot; " + htmlEscape(photo.value(QStringLiteral("create_time")).toString()) + " UTC &middot; "
                     + std::to_string(photo.value(QStringLiteral("love_count")).toInt()) + " loves</p>");
    });
    server.Get(R"(/u/([A-Za-z0-9_]+))", [](const httplib::Request &req, httplib::Response &res) {
        sendPage(res, "TAVIRO", "<h1>" + htmlEscape(QString::fromStdString(req.matches[1])) + "</h1>"
                                "<p>Open TAVIRO on your phone to see this profile.</p>");
    });
    server.Get("/", [](const httplib::Request &, httplib::Response &res) {
        sendPage(res, "TAVIRO", "<h1>TAVIRO</h1><p>The stand-in photo service is running.</p>");
    });
}

void HttpFrontend::installErrorAnswers(httplib::Server &server, const std::string &scheme)
{
    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty())
            return;
        const ApiService::ErrorCode code = res.status == 404 ? ApiService::UnknownCall
            : res.status == 413                               ? ApiService::TooLarge
            : res.status >= 500                               ? ApiService::ServerError
                                                              : ApiService::InvalidParameter;
        QString reason = QStringLiteral("The request cannot be handled (HTTP %1)").arg(res.status);
        if (res.status == 404)
            reason = QStringLiteral("Unknown path");
        else if (res.status == 413)
            reason = QStringLiteral("The body is larger than %1 bytes").arg(kMaxBodyBytes);
        else if (res.status == 400)
            reason = QStringLiteral("The request is malformed");
        sendJson(res, ApiService::error(res.status, code, reason));
    });
    server.set_exception_handler([](const httplib::Request &req, httplib::Response &res, std::exception_ptr) {
        qCWarning(lcServer).noquote() << "Handler failed for" << loggable(req.path);
        sendError(res, 500, ApiService::ServerError, QStringLiteral("Internal error"));
    });
    server.set_logger([scheme](const httplib::Request &req, const httplib::Response &res) {
        qCInfo(lcServer).noquote() << QString::fromStdString(scheme) << loggable(req.method) << loggable(req.path)
                                   << res.status;
    });
}
