#include "rtf/rtfpicture.h"

#include "rtf/rtfhex.h"
#include "rtf/rtflimits.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace sweltra::rtf {

namespace {
const QString kImageScheme = QStringLiteral("rtfimage");
} // namespace

void Picture::begin() {
    m_type = 0;
    m_width = m_height = m_goalWidth = m_goalHeight = 0;
    m_scaleX = m_scaleY = 100;
    m_data = QByteArray();
    m_highNibble = -1;
    m_overflow = false;
}

bool Picture::controlWord(const ControlWord &word, std::int32_t value) {
    if (word.action == Action::PictFormat) {
        m_type = value;
        return true;
    }
    return setSize(word.action, value);
}

bool Picture::setSize(Action which, int value) {
    switch (which) {
    case Action::PicWidth:
        m_width = value;
        return true;
    case Action::PicHeight:
        m_height = value;
        return true;
    case Action::PicGoalWidth:
        m_goalWidth = value;
        return true;
    case Action::PicGoalHeight:
        m_goalHeight = value;
        return true;
    case Action::PicScaleX:
        m_scaleX = value;
        return true;
    case Action::PicScaleY:
        m_scaleY = value;
        return true;
    default:
        return false;
    }
}

// Other formats become a placeholder: their bytes are not needed.
bool Picture::rawText(QByteArrayView bytes) {
    if (isBitmap())
        appendHex(bytes);
    return true;
}

bool Picture::binary(QByteArrayView bytes) {
    if (isBitmap())
        append(bytes);
    return true;
}

void Picture::append(QByteArrayView bytes) {
    if (m_overflow || m_data.size() + bytes.size() > kMaxPictureBytes) {
        m_overflow = true;
        m_data.clear();
        return;
    }
    m_data.append(bytes);
}

void Picture::appendHex(QByteArrayView text) {
    if (m_overflow)
        return;
    if (m_data.size() + text.size() / 2 > kMaxPictureBytes) {
        m_overflow = true;
        m_data = QByteArray();
        return;
    }
    const qsizetype oldSize = m_data.size();
    m_data.resize(oldSize + text.size() / 2 + 1);
    char *out = m_data.data() + oldSize;
    int high = m_highNibble;
    for (char c : text) {
        const int v = hexDigit(c);
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            *out++ = static_cast<char>((high << 4) | v);
            high = -1;
        }
    }
    m_highNibble = high;
    m_data.resize(out - m_data.data());
}

void Picture::end(DestinationHost &host, bool complete) {
    if (!complete)
        return;
    QImage image;
    if (isBitmap() && !m_overflow && !m_data.isEmpty()) {
        // Decoded with the format the file names: left to guess, Qt would load every image plugin
        // it has to ask each whether it knows the bytes.
        QBuffer buffer;
        buffer.setData(m_data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, m_type == PictPng ? "png" : "jpeg");
        reader.setAutoDetectImageFormat(false);
        reader.setAllocationLimit(kMaxDecodedPictureMiB);
        image = reader.read();
    }
    QTextImageFormat format;
    const bool shown = !image.isNull();
    const QSize size = displaySize(shown ? image.size() : QSize());
    if (shown) {
        const QUrl url(kImageScheme + u':' + QString::number(++m_images));
        m_document.addResource(QTextDocument::ImageResource, url, image);
        format.setName(url.toString());
    } else {
        // Metafiles and unreadable pictures keep their place and size as a plain grey box.
        const QUrl url(kImageScheme + QStringLiteral(":placeholder"));
        if (m_document.resource(QTextDocument::ImageResource, url).isNull()) {
            QImage box(8, 8, QImage::Format_RGB32);
            box.fill(QColor(0xe4, 0xe4, 0xe4));
            m_document.addResource(QTextDocument::ImageResource, url, box);
        }
        format.setName(url.toString());
    }
    format.setWidth(size.width());
    format.setHeight(size.height());
    begin(); // the data is not needed any more
    host.insertImage(format);
}

QSize Picture::displaySize(QSize natural) const {
    auto side = [](double pixels) {
        if (!std::isfinite(pixels))
            return 1;
        return static_cast<int>(std::clamp(std::lround(pixels), 1L, static_cast<long>(kMaxImageSide)));
    };
    const double sx = (m_scaleX > 0 ? m_scaleX : 100) / 100.0;
    const double sy = (m_scaleY > 0 ? m_scaleY : 100) / 100.0;
    double w = 0, h = 0;
    if (m_goalWidth > 0 && m_goalHeight > 0) {
        w = m_goalWidth / 15.0;
        h = m_goalHeight / 15.0;
    } else if (isBitmap() && natural.isValid() && !natural.isEmpty()) {
        w = natural.width();
        h = natural.height();
    } else if (isBitmap() && m_width > 0 && m_height > 0) {
        w = m_width;
        h = m_height;
    } else if (m_width > 0 && m_height > 0) { // metafiles give hundredths of a millimetre
        w = m_width * 96.0 / 2540.0;
        h = m_height * 96.0 / 2540.0;
    } else {
        w = h = 32;
    }
    return QSize(side(w * sx), side(h * sy));
}

} // namespace sweltra::rtf
