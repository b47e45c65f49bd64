#include "resources/emblem.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QPointer>
#include <QResource>

#include <png.h>

namespace sweltra::resources {
namespace {

// Decodes a PNG held in memory with libpng's simplified interface; a null image if it cannot.
QImage decodePng(const QByteArray &bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), static_cast<size_t>(bytes.size()))) {
        return {};
    }
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // QImage keeps a pixel as one 32-bit word 0xAARRGGBB, so the byte order follows the machine's.
    image.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage decoded(static_cast<int>(image.width), static_cast<int>(image.height),
                   alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (decoded.isNull() ||
        !png_image_finish_read(&image, nullptr, decoded.bits(),
                               static_cast<png_int_32>(decoded.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return decoded;
}

QIcon makeWindowIcon() {
    QIcon icon;
    for (const char *path : {icon32Path, emblem48Path, icon256Path})
        icon.addPixmap(QPixmap::fromImage(bitmap(path)));
    return icon;
}

// Decoding the bitmaps is a noticeable part of start-up, and every window carries the same icon:
// it is made once and kept by the application object, so it goes with it before Qt's own
// clean-up at exit.
class IconKeeper : public QObject {
public:
    explicit IconKeeper(QObject *application) : QObject(application), icon(makeWindowIcon()) {}
    const QIcon icon;
};

QPointer<IconKeeper> keeper;

} // namespace

QImage bitmap(const char *path) {
    const QString name = QString::fromLatin1(path);
    QImage decoded = decodePng(QResource(name).uncompressedData());
    // Anything but a plain PNG goes the usual way.
    return decoded.isNull() ? QImage(name) : decoded;
}

QIcon windowIcon() {
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return makeWindowIcon();
    if (!keeper)
        keeper = new IconKeeper(application);
    return keeper->icon;
}

} // namespace sweltra::resources
