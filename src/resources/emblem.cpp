#include "resources/emblem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
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

QImage decode(const char *path) {
    const QString name = QString::fromLatin1(path);
    QImage decoded = decodePng(QResource(name).uncompressedData());
    // Anything but a plain PNG goes the usual way.
    return decoded.isNull() ? QImage(name) : decoded;
}

// The start-up window shows the emblem four times and every window carries the icon: each bitmap
// is decoded once and the pictures share its pixels.
QMutex cacheMutex;
QHash<QByteArray, QImage> cache;

QIcon makeWindowIcon() {
    QIcon icon;
    for (const char *path : {icon32Path, emblem48Path})
        icon.addPixmap(QPixmap::fromImage(bitmap(path)));
    // The window system is handed every size the icon has, for every window shown. The large one
    // only matters where a screen packs more than one pixel into a point.
    const auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!gui || gui->devicePixelRatio() > 1.0)
        icon.addPixmap(QPixmap::fromImage(decode(icon256Path)));
    return icon;
}

// The icon is made once and kept by the application object, so it goes with it before Qt's own
// clean-up at exit.
class IconKeeper : public QObject {
public:
    explicit IconKeeper(QObject *application) : QObject(application), icon(makeWindowIcon()) {}
    const QIcon icon;
};

QPointer<IconKeeper> keeper;

} // namespace

QImage bitmap(const char *path) {
    const QByteArray key(path);
    {
        const QMutexLocker lock(&cacheMutex);
        if (const auto found = cache.constFind(key); found != cache.cend())
            return *found;
    }
    const QImage decoded = decode(path);
    const QMutexLocker lock(&cacheMutex);
    return *cache.insert(key, decoded);
}

void decodeAhead() {
    for (const char *path : {emblem90Path, icon32Path, emblem48Path})
        bitmap(path);
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
