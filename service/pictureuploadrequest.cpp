#include "service/pictureuploadrequest.h"

#include "app/qsysteminfomanager.h"
#include "service/oauthencrypt.h"
#include "service/servicelog.h"
#include "service/taviroserviceengine.h"
#include "taviroconfig.h"

#include <QFile>

#include <utility>
#include <vector>

namespace {

const QByteArray kCrlf = QByteArrayLiteral("\r\n");

// Text as the service's form fields carry it: UTF-8, cut at a NUL.
QByteArray fieldText(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return bytes;
}

QByteArray coordinate(float value)
{
    return QByteArray::number(double(value), 'g', 6);
}

QByteArray dispositionLine(const QByteArray &name)
{
    return "Content-Disposition: form-data; name=\"" + name + "\"" + kCrlf;
}

// The designed boundary, or the first of "AaB03x1", "AaB03x2", ... that no
// text holds, so that no text can end its part early.
template <class Texts>
QByteArray boundaryFor(const Texts &texts)
{
    const QByteArray designed(PictureUploadRequest::Boundary);
    for (int suffix = 0;; ++suffix) {
        const QByteArray candidate = suffix == 0 ? designed : designed + QByteArray::number(suffix);
        bool held = false;
        for (const auto &text : texts)
            held = held || text.value.contains(candidate);
        if (!held)
            return candidate;
    }
}

} // namespace

PictureUploadRequest::PictureUploadRequest(const TavoImageInfo &info)
{
    const QSystemInfoManager *device = QSystemInfoManager::getInstance();
    const QByteArray mnc = device->getCurrentMobileNetworkCode().toLatin1().toBase64();
    const QByteArray mcc = device->getCurrentMobileCountryCode().toLatin1().toBase64();

    // Each value goes raw into the multipart body and percent-encoded into
    // the signed parameters, except where a field is signed as written.
    struct Field
    {
        QByteArray name;
        QByteArray value;
        QString signedValue;
    };
    const auto encoded = [](const QByteArray &utf8) { return OAuthEncrypt::percentEncode(QString::fromUtf8(utf8)); };
    const QByteArray name = fieldText(info.imageName);
    const QByteArray description = fieldText(info.imageDescription);
    const QByteArray model = device->getModel().toUtf8();
    const QByteArray manufacturer = device->getManufacturer().toUtf8();
    const QByteArray cellId = TAVIROServiceEngine::scrambledCellValue(device->getCellId()).toLatin1();
    const QByteArray lac = TAVIROServiceEngine::scrambledCellValue(device->getLocationAreaCode()).toLatin1();
    const QByteArray latitude = coordinate(info.geoLocationLat);
    const QByteArray longitude = coordinate(info.geoLocationLong);
    const QByteArray filter = QByteArray::number(info.effectFilterType);
    const QByteArray source = QByteArray::number(info.imageSource);
    const QByteArray timestamp = QByteArray::number(info.createdTime.toSecsSinceEpoch());
    const QByteArray accessLevel = QByteArray::number(info.accessLevel);
    const std::vector<Field> fields = {
        {"name", name, encoded(name)},
        {"description", description, encoded(description)},
        {"geo_location_lat", latitude, QString::fromLatin1(latitude)},
        {"geo_location_long", longitude, QString::fromLatin1(longitude)},
        {"effect_filter_type", filter, QString::fromLatin1(filter)},
        {"image_source", source, QString::fromLatin1(source)},
        {"timestamp", timestamp, QString::fromLatin1(timestamp)},
        {"v", "1.0", QStringLiteral("1.0")},
        {"appv", TaviroConfig::kAppVersion, QString::fromLatin1(TaviroConfig::kAppVersion)},
        {"pf", TaviroConfig::kPlatformWord, QString::fromLatin1(TaviroConfig::kPlatformWord)},
        {"cellid", cellId, QString::fromLatin1(cellId)},
        {"lac", lac, QString::fromLatin1(lac)},
        {"mnc", "_" + mnc, QLatin1Char('_') + encoded(mnc)},
        {"mcc", "_" + mcc, QLatin1Char('_') + encoded(mcc)},
        {"model", model, encoded(model)},
        {"manufacturer", manufacturer, encoded(manufacturer)},
        {"access_level", accessLevel, QString::fromLatin1(accessLevel)},
    };
    const std::pair<bool, const char *> shares[] = {
        {info.shareToTwitter, "twitter"}, {info.shareToFacebook, "facebook"}, {info.shareToTumblr, "tumblr"},
        {info.shareToFlickr, "flickr"},   {info.shareToWeibo, "weibo"},       {info.shareToVk, "vk"},
        {info.shareToDropBox, "dropbox"}, {info.shareToGDrive, "gdrive"},     {info.shareToPicasa, "picasa"},
    };

    QFile file(info.imagePath);
    const QByteArray picture = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("The photo %1 cannot be read: %2").arg(info.imagePath, file.errorString());
        qCDebug(lcService) << "Upload not sent:" << m_error;
        return;
    }

    m_boundary = boundaryFor(fields);
    const QByteArray boundaryLine = "--" + m_boundary + kCrlf;
    m_body = boundaryLine;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_body += boundaryLine;
        m_body += dispositionLine(fields[i].name) + kCrlf + fields[i].value + kCrlf;
        if (i > 0)
            m_signedParameters += QLatin1Char('&');
        m_signedParameters += QString::fromLatin1(fields[i].name) + QLatin1Char('=') + fields[i].signedValue;
    }
    for (const auto &[share, network] : shares) {
        if (!share)
            continue;
        const QByteArray partName = QByteArray("share_on_") + network;
        m_body += boundaryLine + dispositionLine(partName) + kCrlf + "true" + kCrlf;
        m_signedParameters += QLatin1Char('&') + QString::fromLatin1(partName) + QStringLiteral("=true");
    }
    m_body += boundaryLine;
    m_body += "Content-Disposition: form-data; name=\"picture_file\"; filename=\"save.jpg\"" + kCrlf;
    m_body += "Content-Type: image/jpeg" + kCrlf + kCrlf;
    m_body += picture;
    m_body += kCrlf + "--" + m_boundary + "--";
}
