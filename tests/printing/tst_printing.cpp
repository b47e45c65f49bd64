// The assessment record and the viewer's document printed or saved as PDF, by key or context menu,
// read back page by page, each part where it stands; cancelled or failed saves keep what was.
#include "calculator/calculatortesting.h"
#include "platform/messagebox.h"
#include "platform/printing.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"
#include "printing/printout.h"
#include "risk/lowering.h"
#include "risk/wbgt.h"
#include "support/picks.h"
#include "windows/windowstesting.h"

#include <QDeadlineTimer>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

using namespace sweltra::platform;
using namespace sweltra::risk;
using namespace windowstesting;
using namespace calculatortesting;
using sweltra::printing::pageFooter;
Q_DECLARE_METATYPE(Assessment)

// The picks on the air temperature scale whose points add up to `total`, then the `changed` entries.
Assessment picksFor(int total, const std::map<std::string_view, std::optional<std::size_t>> &changed = {}) {
    Assessment picked = picks::forTotal(total, *findFactor("Dry_Bulb")).value();
    for (const auto &[key, entry] : changed)
        picked[*findFactor(key)] = entry;
    return picked;
}

namespace {

// The largest file the process may write from now on, none for -1; a disk that fills. Windows
// has no such limit, and its rows leave it out.
void limitFileSize([[maybe_unused]] qint64 bytes) {
#ifndef Q_OS_WIN
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes < 0 ? RLIM_INFINITY : rlim_t(bytes), RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
#endif
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QStringList m_messages;
    QString m_answer, m_dialog,
        m_proposed; // the file the dialogs choose; "cancel", or a page range "2-3"; the name proposed
    int m_printDialogs = 0, m_saveDialogs = 0;

    static QWidget *calculator() { return live(WindowKind::Calculator); }
    // What pdftotext reads on each page of the file, as single-spaced words. Under Wine, Linux's
    // pdftotext reaches no pipe of Wine's: a detached shell hands it Unix paths (SWELTRA_UNIX_DRIVE
    // taken off) and names its output once complete (empty where there is no PDF), which is waited for.
    static QStringList pdfPages(const QString &path) {
        const QTemporaryDir scratch;
        const QString drive = qEnvironmentVariable("SWELTRA_UNIX_DRIVE");
        const auto unixPath = [&](const QString &file) {
            return QDir::fromNativeSeparators(file).mid(drive.size());
        };
        const QString text = scratch.filePath("pages.txt");
        QProcess::startDetached(
            qEnvironmentVariable("SWELTRA_SH", "sh"),
            {"-c", R"(pdftotext -raw "$1" "$2.part" 2>/dev/null; mv "$2.part" "$2" 2>/dev/null || : >"$2")",
             "sh", unixPath(path), unixPath(text)});
        const QDeadlineTimer deadline(30000);
        while (!QFile::exists(text) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile out(text);
        QStringList pages = QString::fromUtf8(out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray())
                                .split('\f', Qt::SkipEmptyParts);
        for (QString &page : pages)
            page = page.normalized(QString::NormalizationForm_KC).simplified();
        return pages;
    }
    // The folder's files, and how the record there begins.
    QStringList folder() const {
        QFile file(m_folder.filePath("record.pdf"));
        return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
               << (file.open(QIODevice::ReadOnly) ? file.read(5) : "");
    }
    // What the record says from its lines to fill in to its verdict, from the lists and boxes as
    // shown and the core: each row's factor, entry and points; for a band the total, the band, the
    // scale's bands and marker, and the changes that would lower it, with whether the time is among them.
    static std::pair<QString, bool> recordWords(const QString &verdict) {
        QStringList words{"Event Place Factor Chosen Points"};
        Assessment shown;
        for (const RiskFactor &factor : factors()) {
            const auto *points = calculator()->findChild<QLineEdit *>("txt_" + qs(factor.key));
            const QComboBox *combo = list(calculator(), qs(factor.key));
            combo->currentIndex() >= 0 ? void(shown[factor] = std::size_t(combo->currentIndex())) : void();
            // The temperature scale not used has no row.
            if (!points || !points->text().isEmpty()) {
                words << qs(factorNumber(factor)) + ". " + qs(factorName(factor)) + ' ' +
                             (combo->currentIndex() < 0 ? "none chosen" : combo->currentText()) + ' ' +
                             (points ? points->text() : "no points");
            }
        }
        const std::optional<Lowering> lowering = whatWouldLower(shown);
        if (!lowering)
            return {words.join(' ') + ' ' + verdict, false};
        const QString total = control<QLineEdit>(WindowKind::Calculator, "txt_Total")->text().trimmed();
        words << "Total: " + total + " risk points" << verdict;
        const TotalRange all = possibleTotals();
        for (const Band each : {Band::Lower, Band::Moderate, Band::High, Band::Extreme}) {
            const auto [low, high] = bandRange(each);
            const QString range =
                QString("%1\u2013%2 ").arg(low.value_or(all.lowest)).arg(high.value_or(all.highest));
            words << range + qs(bandName(each));
        }
        words << total << "What would lower the risk";
        for (const Change &change : lowering->changes)
            words << qs(changeLine(change));
        words << (lowering->changes.empty()
                      ? QString("Nothing that can still be changed on the day would lower this total.")
                      : QString("All of these together: total %1 (%2)")
                            .arg(qs(totalText(lowering->total)), qs(bandName(lowering->band))));
        return {words.join(' '),
                std::ranges::count(lowering->changes, findFactor("Time"), &Change::factor) > 0};
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
        setMessageObserver([this](const QString &text) { m_messages << text; });
        setSaveFileAnswerer([this](const QString &caption, const QString &proposed) {
            return ++m_saveDialogs, m_proposed = caption + ": " + proposed,
                                    m_dialog == "cancel" ? "" : m_answer;
        });
        // "Print to File" in the print dialog, the whole document or the range asked for.
        setPrintDialogAnswerer([this](QPrinter &p) {
            p.setOutputFileName(m_answer);
            p.setPrintRange(m_dialog.contains('-') ? QPrinter::PageRange : QPrinter::AllPages);
            p.setFromTo(m_dialog.section('-', 0, 0).toInt(), m_dialog.section('-', 1).toInt());
            return ++m_printDialogs, m_dialog != "cancel";
        });
    }
    // The calculator alone, its documents, an earlier record where the commands save, an empty folder.
    void init() {
        WindowRegistry::reset();
        settle();
        sweltra::windows::registerWindowKinds();
        setProgramFolderForTesting(SWELTRA_PROGRAM_FOLDER);
        m_messages.clear();
        m_printDialogs = m_saveDialogs = 0;
        QFile file(m_answer = m_folder.filePath("record.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("earlier") > 0);
        QVERIFY(QDir(m_folder.path()).mkpath("folder"));
        QVERIFY(WindowRegistry::show(WindowKind::Calculator) && QTest::qWaitForWindowActive(calculator()));
    }

    void recorded_data() {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<Assessment>("picks");
        QTest::addColumn<QString>("verdict"); // empty: "Calculate Total:" names a missing factor
        QTest::addColumn<QString>("command"); // its keys, or its context menu entry (with its keys)
        QTest::addColumn<QString>("dialog");  // how the dialog is answered: the file, "cancel", pages
        QTest::addColumn<QString>("missing"); // a document the program folder lacks (all are taken)
        const Assessment none, noVenue = picksFor(50, {{"Venue", std::nullopt}, {"Medical", 1}}),
                               referral = picksFor(50, {{"Medical", 2}});
        const QString print = "Ctrl+P", save = "Ctrl+Shift+S", no, menu = "Print Assessment... (Ctrl+P)";
        QTest::newRow("lowest") << false << picksFor(18) << "Risk score 55 and below" << print << no << no;
        QTest::newRow("56-65, its document missing") << false << picksFor(56) << "Risk score 56-65" << save
                                                     << no << "Risk Score 56-65 recommendation.rtf";
        QTest::newRow("66-74") << false << picksFor(74) << "Risk score 66-74" << save << no << no;
        QTest::newRow("75 and above, other factors")
            << false << picksFor(75, {{"Other", 3}}) << "Risk score 75 and above"
            << "Save Assessment as PDF... (Ctrl+Shift+S)" << no << no;
        QTest::newRow("75 and above, the earliest time already")
            << false << picksFor(90, {{"Time", 0}}) << "Risk score 75 and above" << save << no << no;
        QTest::newRow("referral, 2 pages") << false << referral << "Medical referral" << menu << no << no;
        QTest::newRow("print, cancel") << false << referral << "Medical referral" << print << "cancel" << no;
        QTest::newRow("nothing chosen, save") << false << none << no << save << no << no;
        QTest::newRow("no venue, print") << false << noVenue << no << menu << no << no;
        QTest::newRow("viewer, saved") << true << none << no << save << no << no;
        QTest::newRow("viewer, save cancelled") << true << none << no << save << "cancel" << no;
        QTest::newRow("viewer, printed") << true << none << no << "Print Document... (Ctrl+P)" << no << no;
        QTest::newRow("viewer, page 2 of 2") << true << none << no << print << "2-2" << no;
    }
    void recorded() {
        QFETCH(bool, viewer);
        QFETCH(Assessment, picks);
        QFETCH(QString, verdict);
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(QString, missing);
        m_dialog = dialog;
        QVERIFY(pickAll(calculator(), picks));
        auto *box = control<RichTextBox>(WindowKind::Calculator, "txtGuidelines");
        if (viewer) {
            QVERIFY(click(WindowKind::Calculator, "cmd_SMA_Guidelines"));
            QVERIFY(QTest::qWaitForWindowActive(live(WindowKind::Viewer)));
            box = control<RichTextBox>(WindowKind::Viewer, "txtAirportHazards");
        } else {
            QVERIFY(missing.isEmpty() || QFile::exists(SWELTRA_PROGRAM_FOLDER "/" + missing));
            missing.isEmpty() ? void() : setProgramFolderForTesting(m_folder.filePath("folder"));
            QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        }
        const QStringList calculateSays = m_messages;
        run(box, command);
        // Where "Calculate Total:" names a missing factor, the command says the same and asks nothing.
        const bool print = command.contains("Ctrl+P"), ok = calculateSays.isEmpty();
        QCOMPARE(m_messages, calculateSays + calculateSays);
        QCOMPARE(QPoint(m_printDialogs, m_saveDialogs), QPoint(ok && print, ok && !print));
        const bool written = (viewer || !verdict.isEmpty()) && dialog != "cancel";
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", written ? "%PDF-" : "earli"}));
        const QStringList pages = pdfPages(m_answer);
        // Every page ends in the footer and its number as in the whole document, only the pages asked for.
        const int first = std::max(1, dialog.section('-', 0, 0).toInt());
        const int last = dialog.contains('-') ? dialog.section('-', 1).toInt() : int(pages.size());
        const int count = dialog.contains('-') ? pages.value(0).section(' ', -1).toInt() : last;
        QVERIFY(pages.size() == last - first + 1 && count >= last);
        for (int page = first; page <= last; ++page)
            QVERIFY(
                pages[page - first].endsWith(pageFooter() + QString(" page %1 of %2").arg(page).arg(count)));
        // A document from its start; a record from its title, its recommendation as the box shows it.
        const QString text = pages.join(' '), shown = box->Text().simplified().section(' ', 0, 7);
        QVERIFY(!written || first > 1 || text.startsWith(viewer ? shown : "Heat risk assessment "));
        QVERIFY(print || !viewer || m_proposed.startsWith("Save Document as PDF: "));
        if (!written || viewer)
            return;
        static const QRegularExpression named(
            "^Save Assessment as PDF: .*/Heat risk assessment [-\\d]{10} \\d\\d-\\d\\d\\.pdf$");
        QVERIFY2(print || named.match(m_proposed).hasMatch(), qPrintable(m_proposed));
        // The record: lines to write the event and place on under the title, the table as the window
        // shows the choices, the verdict, lines to sign, and the recommendation as the box shows it.
        const QString signature = " Assessed by Signature Recommendation ";
        const QString assessed = text.section(" non-desert version ", 1).section(signature, 0, 0);
        const QString recommendation = text.section(signature, 1);
        // A notice names a document only where it is missing (blanks and quotes aside: Wine's font for
        // the notice puts no text for the curly quotes into the PDF).
        static const QRegularExpression quotes(u"[\\s\u201c\u201d\ufffd]"_qs);
        QVERIFY2(QString(recommendation).remove(quotes).contains(QString(missing).remove(quotes)),
                 qPrintable(recommendation));
        QVERIFY2(recommendation.startsWith(shown.section(u'\u201c', 0, 0)) &&
                     recommendation.contains(".rtf") != missing.isEmpty(),
                 qPrintable(recommendation));
        const auto [words, newTime] = recordWords(verdict);
        QVERIFY2(assessed.startsWith(words), qPrintable(words + "\nnot the start of\n" + assessed));
        // After it only the referral's words, or a note to check the temperature for a new time.
        const QString rest = assessed.mid(words.size());
        QVERIFY2(rest.contains("temperature") == newTime && !rest.contains(u'\u2013') &&
                     !rest.contains("lower"),
                 qPrintable(rest));
    }

    // A WBGT entry estimated from the weather says so on the record until the list is picked by hand.
    void estimateNoted() {
        QVERIFY(pickAll(calculator(), picks::forTotal(50, wbgtFactor()).value(), "WBGT"));
        QTest::keySequence(calculator(), QKeySequence("Ctrl+E"));
        const auto fields = QApplication::activeModalWidget()->findChildren<QLineEdit *>();
        QTest::keyClicks(fields.value(0), "28.5");
        QTest::keyClicks(fields.value(1), "90\r");
        settle(); // the dialog goes, and the calculator takes its place
        calculator()->activateWindow();
        for (const bool estimated : {true, false}) {
            QVERIFY(QTest::qWaitForWindowActive(calculator()));
            QTest::keySequence(calculator(), QKeySequence("Ctrl+Shift+S"));
            QCOMPARE(pdfPages(m_answer).join(' ').contains(
                         "estimated from 28.5 \u00B0C and 90% relative humidity "
                         "(Bureau of Meteorology approximation: assumes sun and light wind)"),
                     estimated);
            QVERIFY(pickWithMouse(list(calculator(), "WBGT"), "<23\u00B0C"));
        }
    }

    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<qint64>("sizeLimit");
        QTest::newRow("the name is a folder") << m_folder.filePath("folder") << qint64(-1);
#ifdef Q_OS_WIN
        QTest::newRow("no such folder") << m_folder.filePath("absent/record.pdf") << qint64(-1);
#else
        QTest::newRow("unwritable folder") << "/proc/record.pdf" << qint64(-1); // even for root
        QTest::newRow("disk full") << m_folder.filePath("record.pdf") << qint64(4096);
#endif
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(QString, answer);
        QFETCH(qint64, sizeLimit);
        QVERIFY(pickAll(calculator(), picksFor(50)));
        m_answer = answer;
        limitFileSize(sizeLimit);
        QTest::keySequence(calculator(), QKeySequence("Ctrl+Shift+S"));
        limitFileSize(-1);
        // One message naming the file and the reason; no half or temporary file, the old one as it was.
        const QRegularExpression named(QRegularExpression::escape(QDir::toNativeSeparators(m_answer)) +
                                       ".*: \\w");
        QVERIFY2(m_messages.size() == 1 && m_messages[0].contains(named), qPrintable(m_messages.join('\n')));
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", "earli"}));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
