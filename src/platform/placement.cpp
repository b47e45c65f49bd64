#include "platform/placement.h"

#include "platform/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace sweltra::platform {
namespace {

// The borders the window manager drew around the last window it framed. The program's windows
// all get the same decoration, so a new window is placed with them before it is shown and only
// the first one of a run has to move when its frame becomes known.
QMargins lastFrameMargins;

QRect availableArea(const QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The top-left corner of a frame of this size in the middle of the area.
QPoint centredCorner(const QRect &area, QSize frame) {
    return {area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2};
}

// Watches a window from when it is shown until its frame is known, then centres the frame once.
class FrameCentring : public QObject {
public:
    static constexpr const char *name = "frameCentring";

    explicit FrameCentring(QWidget *window) : QObject(window), m_window(window) {
        setObjectName(QLatin1String(name));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle() && !m_native) {
            // The native window exists now; its expose comes before anything is painted.
            m_native = m_window->windowHandle();
            m_native->installEventFilter(this);
        } else if (watched == m_native &&
                   (event->type() == QEvent::Expose || event->type() == QEvent::Move) &&
                   m_native->isExposed()) {
            place(event->type() == QEvent::Expose);
        }
        return false;
    }

private:
    void place(bool exposed) {
        const QMargins frame = m_native->frameMargins();
        if (frame.isNull()) {
            // No frame (yet): on the first expose undo a guess that did not come true, then wait
            // for a frame that a window manager may still add. Moves without one are left alone.
            if (exposed && !m_exposed) {
                m_exposed = true;
                moveFrameTo(centredCorner(availableArea(m_window), m_window->size()));
            }
            return;
        }
        lastFrameMargins = frame;
        moveFrameTo(centredCorner(availableArea(m_window), m_window->frameGeometry().size()));
        // Done: from now on the window stays wherever the user puts it.
        m_native->removeEventFilter(this);
        m_window->removeEventFilter(this);
        deleteLater();
    }

    void moveFrameTo(QPoint corner) {
        if (m_window->pos() != corner) {
            m_window->move(corner);
        }
    }

    QWidget *m_window;
    QPointer<QWindow> m_native;
    bool m_exposed = false;
};

} // namespace

void setClientSize(QWidget *window, int widthTwips, int heightTwips, bool fixed) {
    const QSize size = toPixels(widthTwips, heightTwips);
    if (fixed) {
        window->setFixedSize(size);
    } else {
        window->resize(size);
    }
}

void centreOnScreen(QWidget *window) {
    const QRect available = availableArea(window);
    if (available.isNull()) {
        return;
    }
    // Before it is shown a window's position is that of its frame.
    const QSize frame = window->size().grownBy(lastFrameMargins);
    window->move(centredCorner(available, frame));
    if (!window->findChild<QObject *>(QLatin1String(FrameCentring::name), Qt::FindDirectChildrenOnly)) {
        new FrameCentring(window);
    }
}

} // namespace sweltra::platform
