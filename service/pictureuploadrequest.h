#pragma once

#include "service/tavoimageinfo.h"

#include <QByteArray>
#include <QString>

/**
 * The photo upload as it goes on the wire: the multipart/form-data body and
 * the form-encoded parameter string that is signed in its place. Device
 * values and the picture file are read once, at construction.
 */
class PictureUploadRequest
{
public:
    static constexpr char Boundary[] = "AaB03x";

    explicit PictureUploadRequest(const TavoImageInfo &info);

    QByteArray body() const { return m_body; }
    QString signedParameters() const { return m_signedParameters; }

private:
    QByteArray m_body;
    QString m_signedParameters;
};
