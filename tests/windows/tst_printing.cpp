// The assessment record and the viewer's document printed or saved as PDF, by key or context menu,
// read back with poppler's tools; a failed save keeps what was there; no new control.
#include "calculator/calculatortesting.h"
#include "platform/messagebox.h"
#include "platform/printing.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"
#include "printing/printout.h"
#include "risk/lowering.h"
#include "windowstesting.h"

#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <set>
#include <sys/resource.h>

using namespace sweltra::platform;
using namespace sweltra::risk;
using namespace windowstesting;
using namespace calculatortesting;
// Factor key to its list's entry: index, -1 the last, -2 none; other scored factors take "" (the first).
using Picks = QMap<QString, int>;

// Picks on the air temperature scale whose points add up to `total`: each scored factor takes the
// first entry that leaves a sum the factors after it can still make.
Picks picksFor(int total) {
    std::vector<const RiskFactor *> scored;
    for (const RiskFactor &factor : factors()) {
        if (factor.scored && factor.key != "WBGT")
            scored.push_back(&factor);
    }
    std::vector<std::set<int>> sums(scored.size() + 1, {0}); // what the factors from here on can make
    for (std::size_t i = scored.size(); i-- > 0;) {
        sums[i].clear();
        for (const FactorOption &option : scored[i]->options)
            for (const int rest : std::holds_alternative<int>(option.points) ? sums[i + 1] : std::set<int>())
                sums[i].insert(rest + std::get<int>(option.points));
    }
    Picks picks{{"WBGT", -2}};
    for (std::size_t i = 0; i < scored.size(); ++i) {
        const auto &options = scored[i]->options;
        const auto fits = std::ranges::find_if(options, [&](const FactorOption &option) {
            const int *points = std::get_if<int>(&option.points);
            return points && sums[i + 1].contains(total - *points);
        });
        if (fits == options.end())
            return {}; // no such total: the row's verdict shows it
        total -= std::get<int>(fits->points);
        picks[qs(scored[i]->key)] = int(fits - options.begin());
    }
    return picks;
}

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QStringList m_messages;
    QString m_answer;
    int m_printDialogs = 0, m_saveDialogs = 0;

    static QWidget *calculator() { return live(WindowKind::Calculator); }
    // What pdftotext reads in the file, as single-spaced words.
    static QString pdfText(const QString &path) {
        QProcess process;
        process.start("pdftotext", {"-raw", path, "-"});
        process.waitForFinished(30000);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        return text.normalized(QString::NormalizationForm_KC).simplified();
    }
    // The folder's files, and how the record there begins.
    QStringList folder() const {
        QFile file(m_folder.filePath("record.pdf"));
        return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
               << (file.open(QIODevice::ReadOnly) ? file.read(5) : "");
    }
    // The reading from after `from` up to `to`; empty where either is missing.
    static QString between(const QString &text, const QString &from, const QString &to) {
        const qsizetype start = text.indexOf(from) + from.size(), end = text.indexOf(to, start);
        return start < from.size() || end < 0 ? QString() : text.mid(start, end - start).trimmed();
    }
    // What the record says after its table for a band, from the core and the lists as shown: the
    // total, its band, the scale's bands and marker, and the changes that would lower the total;
    // and whether the time of event is among them.
    static std::pair<QString, bool> verdictWords(const QString &band) {
        const QString total = control<QLineEdit>(WindowKind::Calculator, "txt_Total")->text().trimmed();
        Assessment shown;
        for (const RiskFactor &factor : factors()) {
            const int entry = list(calculator(), qs(factor.key))->currentIndex();
            entry >= 0 ? void(shown[factor] = std::size_t(entry)) : void();
        }
        const TotalRange possible = possibleTotals();
        QStringList words{"Total: " + total + " risk points", band};
        for (const Band each : {Band::Lower, Band::Moderate, Band::High, Band::Extreme}) {
            const auto [lowest, highest] = bandRange(each);
            words << QString("%1\u2013%2 ")
                             .arg(lowest.value_or(possible.lowest))
                             .arg(highest.value_or(possible.highest)) +
                         qs(bandName(each));
        }
        words << total << "What would lower the risk";
        const Lowering lowering = whatWouldLower(shown).value();
        for (const Change &change : lowering.changes) {
            words << qs(changeLine(change));
        }
        words << (lowering.changes.empty()
                      ? QString("Nothing that can still be changed on the day would lower this total.")
                      : QString("All of these together: total %1 (%2)")
                            .arg(qs(totalText(lowering.total)), qs(bandName(lowering.band))));
        return {words.join(' '),
                std::ranges::count(lowering.changes, findFactor("Time"), &Change::factor) > 0};
    }
    // Picks the entries with the mouse; returns what the lists then show.
    static QStringList pickAll(const Picks &picks) {
        QStringList shown;
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            const QString key = QUtf8StringView(factor.key).toString();
            const int index = picks.value(key, factor.scored && key != "Dry_Bulb" ? picks.value("", 0) : -2);
            QComboBox *combo = list(calculator(), key);
            const QString entry = combo->itemText(index == -1 ? combo->count() - 1 : index);
            shown << (index == -2 || pickWithMouse(combo, entry) ? combo->currentText() : "no " + entry);
        }
        return shown;
    }
    // A shortcut, to the control with the focus, or an entry of the box's context menu.
    static void run(RichTextBox *box, const QString &command) {
        if (command.startsWith("Ctrl+")) {
            return QTest::keySequence(QApplication::focusWidget(), QKeySequence(command));
        }
        const QPoint at = box->viewport()->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &request);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->actions().size() > 3);
        // Print, then Save, come last, after the box's own entries, with their shortcuts shown.
        QAction *chosen = menu->actions().at(menu->actions().size() - (command.contains("Ctrl+P") ? 2 : 1));
        QCOMPARE(chosen->text().remove('&') + " (" + chosen->shortcut().toString() + ")", command);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    }

private slots:
    void initTestCase() {
        setProgramFolderForTesting(SWELTRA_PROGRAM_FOLDER);
        setMessageObserver([this](const QString &text) { m_messages << text; });
        setSaveFileAnswerer([this](const QString &) { return ++m_saveDialogs, m_answer; });
        // "Print to File" in the print dialog.
        setPrintDialogAnswerer(
            [this](QPrinter &p) { return p.setOutputFileName(m_answer), ++m_printDialogs, true; });
    }
    // The calculator alone, an earlier record where the commands save, and a folder beside it.
    void init() {
        WindowRegistry::reset();
        settle();
        sweltra::windows::registerWindowKinds();
        m_messages.clear();
        m_printDialogs = m_saveDialogs = 0;
        QFile file(m_answer = m_folder.filePath("record.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("earlier") > 0);
        QVERIFY(QDir(m_folder.path()).mkpath("folder"));
        QVERIFY(WindowRegistry::show(WindowKind::Calculator) && QTest::qWaitForWindowActive(calculator()));
    }

    void recorded_data() {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("verdict"); // empty: "Calculate Total:" names a missing factor
        QTest::addColumn<QString>("command"); // its keys, or its context menu entry (with its keys)
        QTest::addColumn<bool>("written");
        const Picks last{{"", -1}, {"Medical", 0}, {"WBGT", -2}, {"Dry_Bulb", -1}, {"Other", -1}};
        const Picks none{{"", -2}}, noVenue{{"Venue", -2}, {"Medical", 1}};
        const QString print = "Ctrl+P", save = "Ctrl+Shift+S", no, menu = "Print Assessment... (Ctrl+P)";
        QTest::newRow("lowest") << false << picksFor(18) << "Risk score 55 and below" << print << true;
        QTest::newRow("66-74") << false << picksFor(70) << "Risk score 66-74" << save << true;
        QTest::newRow("75 and above, air temperature") << false << last << "Risk score 75 and above"
                                                       << "Save Assessment as PDF... (Ctrl+Shift+S)" << true;
        QTest::newRow("medical referral")
            << false << Picks{{"Medical", -1}} << "Medical referral" << menu << true;
        QTest::newRow("nothing chosen, save") << false << none << no << save << false;
        QTest::newRow("no venue, print") << false << noVenue << no << menu << false;
        QTest::newRow("viewer, saved") << true << none << no << save << true;
        QTest::newRow("viewer, printed") << true << none << no << "Print Document... (Ctrl+P)" << true;
    }
    void recorded() {
        QFETCH(bool, viewer);
        QFETCH(Picks, picks);
        QFETCH(QString, verdict);
        QFETCH(QString, command);
        QFETCH(bool, written);
        QStringList expected = pickAll(picks) << sweltra::printing::pageFooter() << "page 1 of ";
        auto *box = control<RichTextBox>(WindowKind::Calculator, "txtGuidelines");
        if (viewer) {
            QVERIFY(click(WindowKind::Calculator, "cmd_SMA_Guidelines"));
            QVERIFY(QTest::qWaitForWindowActive(live(WindowKind::Viewer)));
            box = control<RichTextBox>(WindowKind::Viewer, "txtAirportHazards");
        } else {
            QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
            const QString total = control<QLineEdit>(WindowKind::Calculator, "txt_Total")->text().trimmed();
            expected << "Heat risk assessment" << verdict
                     << (verdict.startsWith("R") ? "Total: " + total : "");
        }
        expected << box->Text().simplified().section(' ', 0, 7);
        const QStringList calculateSays = m_messages;
        run(box, command);
        // Where "Calculate Total:" names a missing factor, the command says the same and asks nothing.
        const bool print = command.contains("Ctrl+P"), ok = calculateSays.isEmpty();
        QCOMPARE(m_messages, calculateSays + calculateSays);
        QCOMPARE(QPoint(m_printDialogs, m_saveDialogs), QPoint(ok && print, ok && !print));
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", written ? "%PDF-" : "earli"}));
        const QString text = pdfText(m_answer);
        for (const QString &words : expected) {
            QVERIFY2(!written || text.contains(words),
                     qPrintable(words + " not in pdftotext's reading: " + text));
        }
        if (!written || viewer) {
            return;
        }
        // Lines to write the event and place on under the title, to sign after the assessment.
        QCOMPARE(between(text, "non-desert version", "Factor Chosen Points"), "Event Place");
        const QString assessed =
            between(text, "Factor Chosen Points", "Assessed by Signature Recommendation");
        const auto [words, newTime] =
            verdict.startsWith("R") ? verdictWords(verdict) : std::pair(verdict, false);
        QVERIFY2(assessed.contains(words), qPrintable(words + "\nnot in\n" + assessed));
        // After it only the referral's words, or a note to check the temperature for a new time.
        const QString rest = assessed.section(words, 1);
        QVERIFY2(rest.contains("temperature") == newTime && !rest.contains(u'\u2013') &&
                     !rest.contains("lower"),
                 qPrintable(rest));
    }

    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<rlim_t>("sizeLimit");
        QTest::newRow("unwritable folder") << "/proc/record.pdf" << RLIM_INFINITY; // even for root
        QTest::newRow("the name is a folder") << m_folder.filePath("folder") << RLIM_INFINITY;
        QTest::newRow("disk full") << m_folder.filePath("record.pdf") << rlim_t(4096);
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(QString, answer);
        QFETCH(rlim_t, sizeLimit);
        pickAll({});
        m_answer = answer;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{sizeLimit, RLIM_INFINITY}, none{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QTest::keySequence(calculator(), QKeySequence("Ctrl+Shift+S"));
        ::setrlimit(RLIMIT_FSIZE, &none);
        // One message naming the file and the reason; no half or temporary file, the old one as it was.
        const QRegularExpression named(QRegularExpression::escape(m_answer) + ".*: \\w");
        QVERIFY2(m_messages.size() == 1 && m_messages[0].contains(named), qPrintable(m_messages.join('\n')));
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", "earli"}));
    }

    // The commands add no control: the window's controls and its tab order are its table's.
    void noNewControl() {
        const auto &table = sweltra::calculator::CalculatorWindow::controlTable();
        QMap<int, QString> tabOrder;
        for (const ControlRow &row : table) {
            row.tabIndex >= 0 ? void(tabOrder[row.tabIndex] = QUtf8StringView(row.name).toString()) : void();
        }
        for (const QString &name : std::as_const(tabOrder)) {
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(calculator()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(),
                 qsizetype(table.size()));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
