// Every window as drawn: each control of its table inside the window, clear of the others, its caption
// fitting, in the table's tab order, named for a screen reader. Run a second time at device pixel ratio 2.

#include "calculator/calculatorwindow.h"
#include "platform/controltable.h"
#include "platform/fonts.h"
#include "platform/windowregistry.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"
#include "viewer/viewerwindow.h"
#include "windows/windowkinds.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include <algorithm>

using namespace sweltra;
using namespace sweltra::platform;
using Table = std::span<const ControlRow> (*)();

Q_DECLARE_METATYPE(WindowKind)
Q_DECLARE_METATYPE(Table)

namespace {

QWidget *controlOf(QWidget *window, const ControlRow &row) {
    return window->findChild<QWidget *>(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
}

// The box a label's text takes at the label's width, wrapped where the label wraps.
QRect textBox(const QLabel *label) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(QRect(0, 0, label->contentsRect().width(), 1 << 16), flags,
                                             label->text());
}

// Where a control draws: a label only as far as its text reaches.
QRect drawnArea(QWidget *control) {
    auto *label = qobject_cast<QLabel *>(control);
    return label && label->pixmap().isNull()
               ? QRect(label->pos(), textBox(label).size().boundedTo(label->size()))
               : control->geometry();
}

// How far below its top a word-wrapped text's ink reaches: the last line's baseline lies one
// ascent below that line's top, and below the baseline only the glyphs' own ink counts.
qreal inkHeight(const QLabel *label) {
    const QFontMetricsF metrics(label->font());
    const QRectF wrapped =
        metrics.boundingRect(QRectF(0, 0, label->contentsRect().width(), 1e4),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
    const qreal below = std::max<qreal>(0, metrics.tightBoundingRect(label->text()).bottom());
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
        QFETCH(Table, table);
        m_window = WindowRegistry::show(kind);
        m_rows = table();
        return m_window && QTest::qWaitForWindowExposed(m_window) && !m_rows.empty();
    }

    static void eachWindow() {
        QTest::addColumn<WindowKind>("kind");
        QTest::addColumn<Table>("table");
        QTest::newRow("start-up") << WindowKind::Startup << Table(&startup::StartupWindow::controlTable);
        QTest::newRow("About") << WindowKind::About << Table(&startup::AboutWindow::controlTable);
        QTest::newRow("calculator") << WindowKind::Calculator
                                    << Table(&calculator::CalculatorWindow::controlTable);
        QTest::newRow("viewer") << WindowKind::Viewer << Table(&viewer::frmReadMeViewer::controlTable);
    }

private slots:
    void initTestCase() {
        installFontSubstitutes();
        // The second run really is at the scale it asks for, so its checks hold at 2x.
        QCOMPARE(qApp->devicePixelRatio(),
                 qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    }
    void init() { windows::registerWindowKinds(); }
    void cleanup() { WindowRegistry::reset(); }

    // Each row's control shown as the table says, inside the window, its caption fitting the shipped
    // fonts, named if it takes the focus; the icon shown.
    void eachControlAsTheTableSays_data() { eachWindow(); }
    void eachControlAsTheTableSays() {
        QVERIFY(openWindow() && !m_window->windowHandle()->icon().isNull());
        for (const ControlRow &row : m_rows) {
            QWidget *control = controlOf(m_window, row);
            QVERIFY2(control, row.name.data());
            QVERIFY2(m_window->rect().contains(QRect(control->mapTo(m_window, QPoint()), control->size())),
                     row.name.data());
            QCOMPARE(control->isVisibleTo(m_window), row.look != Look::Hidden);
            if (!control->isVisibleTo(m_window)) {
                continue;
            }
            auto *label = qobject_cast<QLabel *>(control);
            if (row.kind == ControlKind::Picture) {
                QVERIFY2(!label->pixmap().isNull(), row.name.data());
                QVERIFY2(label->size().expandedTo(label->pixmap().size()) == label->size(), row.name.data());
            } else if (label && !label->text().isEmpty()) {
                QVERIFY2(textBox(label).width() <= label->contentsRect().width(), row.name.data());
                QVERIFY2(inkHeight(label) <= label->contentsRect().height(), row.name.data());
            }
            if (auto *button = qobject_cast<QPushButton *>(control)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= room.width(),
                         row.name.data());
                QVERIFY2(button->fontMetrics().tightBoundingRect(button->text()).height() <= room.height(),
                         row.name.data());
            }
            if (control->focusPolicy() & Qt::TabFocus) {
                QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
                QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), row.name.data());
            }
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
                if (!a->isVisibleTo(m_window) || !b->isVisibleTo(m_window) ||
                    a->geometry().contains(b->geometry()) || b->geometry().contains(a->geometry())) {
                    continue;
                }
                const QRect common = drawnArea(a) & drawnArea(b);
                QVERIFY2(common.width() <= 1 || common.height() <= 1,
                         qPrintable(a->objectName() + QLatin1String(" covers ") + b->objectName()));
            }
        }
    }

    // The focus chain passes the table's controls in the order of their tab indexes.
    void tabOrderFollowsTheTable_data() { eachWindow(); }
    void tabOrderFollowsTheTable() {
        QVERIFY(openWindow());
        std::vector<ControlRow> ordered;
        std::ranges::copy_if(m_rows, std::back_inserter(ordered),
                             [](const ControlRow &r) { return r.tabIndex >= 0; });
        std::ranges::stable_sort(ordered, std::less{}, &ControlRow::tabIndex);
        QList<QWidget *> expected, chained;
        for (const ControlRow &row : ordered) {
            expected << controlOf(m_window, row);
        }
        for (QWidget *next = expected.front(); chained.isEmpty() || next != expected.front();
             next = next->nextInFocusChain()) {
            if (expected.contains(next) && !chained.contains(next)) {
                chained << next;
            }
        }
        QCOMPARE(chained, expected);
    }
};

QTEST_MAIN(TestWindowLayouts)
#include "tst_windowlayouts.moc"
