#include "platform/twips.h"
#include "platform/windowregistry.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace sweltra::platform;

namespace {
// A window that records when it is shown and closed, so hand-over order can be seen.
class Probe : public QWidget {
public:
    explicit Probe(QStringList *log, QString name) : m_log(log), m_name(std::move(name)) {}

protected:
    void showEvent(QShowEvent *) override { m_log->append(QStringLiteral("show ") + m_name); }
    void closeEvent(QCloseEvent *) override { m_log->append(QStringLiteral("close ") + m_name); }

private:
    QStringList *m_log;
    QString m_name;
};
} // namespace

class TestWindowRegistry : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { WindowRegistry::reset(); }

    void twipsConversion_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("rounds down below half") << 22 << 1;
        QTest::newRow("rounds up above half") << 23 << 2;
        QTest::newRow("client width") << 9375 << 625;
        QTest::newRow("combo height") << 315 << 21;
        QTest::newRow("odd value") << 172 << 11;
        QTest::newRow("negative is symmetric") << -23 << -2;
    }
    void twipsConversion() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void boxConvertsEachValue() { QCOMPARE(toPixels(TwipsBox{200, 525, 2775, 375}), QRect(13, 35, 185, 25)); }

    void showCreatesOnceAndRaisesUnchanged() {
        int made = 0;
        WindowRegistry::setFactory(WindowKind::Viewer, [&made] {
            ++made;
            return new QWidget;
        });
        QWidget *first = WindowRegistry::show(WindowKind::Viewer);
        QVERIFY(first && first->isVisible());
        first->setWindowTitle(QStringLiteral("changed"));
        QWidget *again = WindowRegistry::show(WindowKind::Viewer);
        QCOMPARE(again, first);
        QCOMPARE(made, 1);
        QCOMPARE(again->windowTitle(), QStringLiteral("changed"));
    }

    void closedWindowIsDeletedAndMadeAfresh() {
        WindowRegistry::setFactory(WindowKind::About, [] { return new QWidget; });
        QPointer<QWidget> first = WindowRegistry::show(WindowKind::About);
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(WindowRegistry::find(WindowKind::About), nullptr);
        QWidget *second = WindowRegistry::show(WindowKind::About);
        QVERIFY(second && second->isVisible());
    }

    void handOverShowsNextBeforeClosingCurrent() {
        QStringList log;
        WindowRegistry::setFactory(WindowKind::Startup, [&log] { return new Probe(&log, "startup"); });
        WindowRegistry::setFactory(WindowKind::Calculator, [&log] { return new Probe(&log, "calculator"); });
        QWidget *startup = WindowRegistry::show(WindowKind::Startup);
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        WindowRegistry::handOver(startup, WindowKind::Calculator);
        QCOMPARE(log, (QStringList{"show startup", "show calculator", "close startup"}));
        QCOMPARE(lastClosed.count(), 0);
        QVERIFY(WindowRegistry::find(WindowKind::Calculator)->isVisible());
    }

    void handOverToItselfKeepsTheWindow() {
        WindowRegistry::setFactory(WindowKind::Calculator, [] { return new QWidget; });
        QWidget *calculator = WindowRegistry::show(WindowKind::Calculator);
        QCOMPARE(WindowRegistry::handOver(calculator, WindowKind::Calculator), calculator);
        QVERIFY(calculator->isVisible());
    }

    void kindWithoutFactoryShowsNothing() { QCOMPARE(WindowRegistry::show(WindowKind::Viewer), nullptr); }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_windowregistry.moc"
