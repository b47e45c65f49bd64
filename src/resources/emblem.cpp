#include "resources/emblem.h"

#include <QCoreApplication>
#include <QPointer>

namespace sweltra::resources {
namespace {

QIcon makeWindowIcon() {
    QIcon icon;
    for (const char *path : {icon32Path, emblem48Path, icon256Path})
        icon.addFile(QString::fromLatin1(path));
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

QIcon windowIcon() {
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return makeWindowIcon();
    if (!keeper)
        keeper = new IconKeeper(application);
    return keeper->icon;
}

} // namespace sweltra::resources
