#pragma once

#include "rtf/rtfdestinations.h"

#include <QByteArray>
#include <QSize>

class QTextDocument;

namespace sweltra::rtf {

// \pict: the picture's bytes (hex or \bin) and the sizes that place it. At its end the picture
// becomes a resource of the document, or a grey box where it cannot be shown.
class Picture final : public Destination {
public:
    explicit Picture(QTextDocument &document) : m_document(document) {}

    void begin();
    bool controlWord(const ControlWord &word, std::int32_t value) override;
    bool rawText(QByteArrayView bytes) override;
    bool binary(QByteArrayView bytes) override;
    void end(DestinationHost &host, bool complete) override;

    // Shown size in pixels; `natural` is the bitmap's own size when known.
    QSize displaySize(QSize natural) const;

private:
    bool isBitmap() const { return m_type == PictPng || m_type == PictJpeg; }
    bool setSize(Action which, int value);
    void append(QByteArrayView bytes);
    void appendHex(QByteArrayView text);
    QString resourceName();

    QTextDocument &m_document;
    int m_images = 0;
    int m_type = 0;
    int m_width = 0, m_height = 0, m_goalWidth = 0, m_goalHeight = 0;
    int m_scaleX = 100, m_scaleY = 100;
    QByteArray m_data;
    int m_highNibble = -1;
    bool m_overflow = false;
};

} // namespace sweltra::rtf
