#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace sweltra::platform {

void openWebLink(const QUrl &url) {
    // Whether a browser starts is the desktop's affair: nothing is reported.
    static_cast<void>(QDesktopServices::openUrl(url));
}

} // namespace sweltra::platform
