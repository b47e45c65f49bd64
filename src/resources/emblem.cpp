#include "resources/emblem.h"

namespace sweltra::resources {

QIcon windowIcon() {
    QIcon icon;
    for (const char *path : {icon32Path, emblem48Path, icon256Path})
        icon.addFile(QString::fromLatin1(path));
    return icon;
}

} // namespace sweltra::resources
