#include "platform/placement.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace sweltra::platform {

void setClientSize(QWidget *window, int widthTwips, int heightTwips, bool fixed) {
    const QSize size = toPixels(widthTwips, heightTwips);
    if (fixed) {
        window->setFixedSize(size);
    } else {
        window->resize(size);
    }
}

void centreOnScreen(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame is not known before the window is shown; centre the client area.
    const QSize size = window->size();
    window->move(available.x() + (available.width() - size.width()) / 2,
                 available.y() + (available.height() - size.height()) / 2);
}

} // namespace sweltra::platform
