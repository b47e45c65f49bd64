#include "platform/programfolder.h"

#include <QCoreApplication>

namespace sweltra::platform {
namespace {
QString &overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString programFolder() {
    return overrideFolder().isEmpty() ? QCoreApplication::applicationDirPath() : overrideFolder();
}

void setProgramFolderForTesting(const QString &folder) {
    overrideFolder() = folder;
}

} // namespace sweltra::platform
