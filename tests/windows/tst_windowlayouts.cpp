// Every window against its own layout table: each control where the table puts it, inside the
// window, clear of the others, its caption fitting, in the table's tab order, named for a screen
// reader. Run a second time at device pixel ratio 2.

#include "calculator/calculatorwindow.h"
#include "documents/readmeviewer.h"
#include "platform/controltable.h"
#include "platform/fonts.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "windows/windowkinds.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>

using namespace sweltra;
using platform::ControlKind;
using platform::ControlRow;
using platform::WindowKind;
using platform::WindowRegistry;

Q_DECLARE_METATYPE(WindowKind)

namespace {

std::span<const ControlRow> tableOf(WindowKind kind) {
    switch (kind) {
    case WindowKind::Startup:
        return startup::StartupWindow::controlTable();
    case WindowKind::About:
        return startup::AboutWindow::controlTable();
    case WindowKind::Calculator:
        return calculator::CalculatorWindow::controlTable();
    case WindowKind::Viewer:
        return documents::frmReadMeViewer::controlTable();
    }
    return {};
}

QWidget *controlOf(QWidget *window, const ControlRow &row) {
    return window->findChild<QWidget *>(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
}

// Where a control draws: a label only as far as its wrapped text reaches.
QRect drawnArea(QWidget *control) {
    if (auto *label = qobject_cast<QLabel *>(control); label && label->pixmap().isNull()) {
        const QRect room = label->contentsRect();
        const QRect text = label->fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10 * room.height()),
            Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
        return QRect(label->pos(), text.size().boundedTo(label->size()));
    }
    return control->geometry();
}

// How far below its top a word-wrapped text's ink reaches: the last line's baseline lies one
// ascent below that line's top, and below the baseline only the glyphs' own ink counts.
qreal inkHeight(const QLabel *label, const QString &text) {
    const QFontMetricsF metrics(label->font());
    const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, label->contentsRect().width(), 1e4),
                                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    const qreal below = std::max<qreal>(0, metrics.tightBoundingRect(text).bottom());
    return wrapped.height() - metrics.height() + metrics.ascent() + below;
}

} // namespace

class TestWindowLayouts : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    std::span<const ControlRow> m_rows;

    // The window of this row's kind, shown as the program shows it.
    bool openWindow() {
        QFETCH(WindowKind, kind);
        m_window = WindowRegistry::show(kind);
        m_rows = tableOf(kind);
        return m_window && QTest::qWaitForWindowExposed(m_window) && !m_rows.empty();
    }

    static void eachWindow() {
        QTest::addColumn<WindowKind>("kind");
        QTest::newRow("start-up") << WindowKind::Startup;
        QTest::newRow("About") << WindowKind::About;
        QTest::newRow("calculator") << WindowKind::Calculator;
        QTest::newRow("viewer") << WindowKind::Viewer;
    }

private slots:
    void initTestCase() { platform::installFontSubstitutes(); }
    void init() { windows::registerWindowKinds(); }
    void cleanup() { WindowRegistry::reset(); }

    // Each row made once, at its box; a label sized to its text keeps its box's centre.
    void placedAsTheTableSays_data() { eachWindow(); }
    void placedAsTheTableSays() {
        QVERIFY(openWindow());
        for (const ControlRow &row : m_rows) {
            QWidget *control = controlOf(m_window, row);
            QVERIFY2(control, row.name.data());
            const QRect designed = platform::toPixels(row.box);
            if (control->geometry() != designed) {
                QVERIFY2(row.kind == ControlKind::Label, row.name.data());
                QVERIFY2((control->geometry().center() - designed.center()).manhattanLength() <= 2,
                         row.name.data());
            }
            QCOMPARE(control->isVisibleTo(m_window), row.look != platform::Look::Hidden);
            if (row.kind == ControlKind::Picture) {
                auto *picture = qobject_cast<QLabel *>(control);
                QVERIFY2(!picture->pixmap().isNull(), row.name.data());
                QVERIFY2(designed.size().expandedTo(picture->pixmap().size()) == designed.size(),
                         row.name.data());
            }
        }
    }

    void insideTheWindow_data() { eachWindow(); }
    void insideTheWindow() {
        QVERIFY(openWindow());
        for (const ControlRow &row : m_rows) {
            QWidget *control = controlOf(m_window, row);
            const QRect placed(control->mapTo(m_window, QPoint()), control->size());
            QVERIFY2(m_window->rect().contains(placed), row.name.data());
        }
    }

    // Shown controls do not cover each other, unless one holds the other; the design lets
    // neighbours share their edge pixel.
    void noneCoversAnother_data() { eachWindow(); }
    void noneCoversAnother() {
        QVERIFY(openWindow());
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            for (std::size_t j = i + 1; j < m_rows.size(); ++j) {
                QWidget *a = controlOf(m_window, m_rows[i]);
                QWidget *b = controlOf(m_window, m_rows[j]);
                if (!a->isVisibleTo(m_window) || !b->isVisibleTo(m_window)) {
                    continue;
                }
                const QRect one = drawnArea(a), other = drawnArea(b);
                if (a->geometry().contains(b->geometry()) || b->geometry().contains(a->geometry())) {
                    continue;
                }
                const QRect common = one & other;
                QVERIFY2(common.width() <= 1 || common.height() <= 1,
                         qPrintable(a->objectName() + QLatin1String(" covers ") + b->objectName()));
            }
        }
    }

    // Labels within their box, word-wrapped where they wrap; buttons on one line.
    void captionsFit_data() { eachWindow(); }
    void captionsFit() {
        QVERIFY(openWindow());
        for (const ControlRow &row : m_rows) {
            QWidget *control = controlOf(m_window, row);
            if (!control->isVisibleTo(m_window)) {
                continue;
            }
            if (auto *label = qobject_cast<QLabel *>(control); label && !label->text().isEmpty()) {
                const QRect room = label->contentsRect();
                const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
                const QRect text =
                    label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1000), flags, label->text());
                QVERIFY2(text.width() <= room.width(), row.name.data());
                QVERIFY2(inkHeight(label, label->text()) <= room.height(), row.name.data());
            }
            if (auto *button = qobject_cast<QPushButton *>(control)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const QFontMetrics metrics = button->fontMetrics();
                QVERIFY2(metrics.horizontalAdvance(button->text()) <= room.width(), row.name.data());
                QVERIFY2(metrics.tightBoundingRect(button->text()).height() <= room.height(),
                         row.name.data());
            }
        }
    }

    // The focus chain passes the table's controls in the order of their tab indexes.
    void tabOrderFollowsTheTable_data() { eachWindow(); }
    void tabOrderFollowsTheTable() {
        QVERIFY(openWindow());
        std::vector<const ControlRow *> ordered;
        for (const ControlRow &row : m_rows) {
            if (row.tabIndex >= 0) {
                ordered.push_back(&row);
            }
        }
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const ControlRow *a, const ControlRow *b) { return a->tabIndex < b->tabIndex; });
        QList<QWidget *> expected, chained;
        for (const ControlRow *row : ordered) {
            expected << controlOf(m_window, *row);
        }
        QWidget *next = expected.front();
        do {
            if (expected.contains(next) && !chained.contains(next)) {
                chained << next;
            }
            next = next->nextInFocusChain();
        } while (next != expected.front());
        QCOMPARE(chained, expected);
    }

    // Whatever can take the focus has something for a screen reader to say.
    void focusableControlsHaveNames_data() { eachWindow(); }
    void focusableControlsHaveNames() {
        QVERIFY(openWindow());
        for (const ControlRow &row : m_rows) {
            QWidget *control = controlOf(m_window, row);
            if (!control->isVisibleTo(m_window) || !(control->focusPolicy() & Qt::TabFocus)) {
                continue;
            }
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), row.name.data());
        }
    }

    // Qt scales logical pixels: on a high-dpi screen the window grows as a whole.
    void scalesAsAWhole_data() { eachWindow(); }
    void scalesAsAWhole() {
        QVERIFY(openWindow());
        const QPixmap picture = m_window->grab();
        QCOMPARE(picture.deviceIndependentSize().toSize(), m_window->size());
        QCOMPARE(picture.size(), (QSizeF(m_window->size()) * m_window->devicePixelRatioF()).toSize());
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
            QCOMPARE(m_window->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        }
    }
};

QTEST_MAIN(TestWindowLayouts)
#include "tst_windowlayouts.moc"
