#pragma once

#include "service/tavoimageinfo.h"

#include <QByteArray>
#include <QString>

/**
 * The photo upload as it goes on the wire: the multipart/form-data body and
 * the form-encoded parameter string that is signed in its place. Device
 * values and the picture file are read once, at construction; a picture
 * that cannot be read makes the request invalid rather than empty.
 */
class PictureUploadRequest
{
public:
    // The boundary, unless a text of the upload holds it.
    static constexpr char Boundary[] = "AaB03x";

    explicit PictureUploadRequest(const TavoImageInfo &info);

    bool isValid() const { return m_error.isEmpty(); }
    // Why the request cannot be sent; empty when it can.
    QString errorString() const { return m_error; }
    QByteArray boundary() const { return m_boundary; }
    QByteArray contentType() const { return "multipart/form-data; boundary=" + m_boundary; }
    QByteArray body() const { return m_body; }
    QString signedParameters() const { return m_signedParameters; }

private:
    QByteArray m_boundary;
    QByteArray m_body;
    QString m_signedParameters;
    QString m_error;
};
