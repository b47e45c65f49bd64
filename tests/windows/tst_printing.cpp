// The assessment record and the viewer's document printed or saved as PDF, by key or context menu,
// read back with poppler's tools; a failed save keeps what was there; no new control.
#include "calculator/calculatortesting.h"
#include "externaldata.h"
#include "platform/messagebox.h"
#include "platform/printing.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "risk/catalogue.h"
#include "windowstesting.h"

#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace sweltra::platform;
using namespace windowstesting;
// Factor key to the entry picked in its list: its index, -1 the last, -2 none. Factors not named
// take the entry of "" (the first by default) when scored, temperature on the wet bulb scale.
using Picks = QMap<QString, int>;

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QStringList m_messages;
    QString m_answer;
    int m_printDialogs = 0, m_saveDialogs = 0;
    bool m_printAccepted = true;

    static QWidget *calculator() { return live(WindowKind::Calculator); }
    // What a poppler tool reads in the file, as single-spaced words.
    static QString poppler(const QString &tool, const QString &path) {
        QProcess process;
        process.start(tool, tool == "pdfinfo" ? QStringList{path} : QStringList{"-raw", path, "-"});
        process.waitForFinished(30000);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        return text.normalized(QString::NormalizationForm_KC).simplified();
    }
    // The folder's files, and whether the earlier record is still there as it was.
    QStringList folder() const {
        QFile file(m_folder.filePath("record.pdf"));
        const bool kept = file.open(QIODevice::ReadOnly) && file.readAll() == "an earlier record";
        return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
               << (kept ? "kept" : "replaced");
    }
    // Picks the entries with the mouse; returns what the lists then show.
    static QStringList pickAll(const Picks &picks) {
        QStringList shown;
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            const QString key = QString::fromStdString(std::string(factor.key));
            const int index = picks.value(key, factor.scored && key != "Dry_Bulb" ? picks.value("", 0) : -2);
            QComboBox *list = calculatortesting::list(calculator(), key);
            const QString entry = list->itemText(index == -1 ? list->count() - 1 : index);
            shown << (index == -2 || calculatortesting::pickWithMouse(list, entry) ? list->currentText()
                                                                                   : "no " + entry);
        }
        return shown;
    }
    // A shortcut, to the control with the focus, or an entry of the box's context menu.
    static void run(QWidget *window, RichTextBox *box, const QString &command) {
        if (command.startsWith("Ctrl+")) {
            return QTest::keySequence(window->focusWidget() ? window->focusWidget() : window,
                                      QKeySequence(command));
        }
        const QPoint at = box->viewport()->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &request);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->actions().size() > 3);
        // The two entries come last, after the box's own, with their shortcuts.
        const QList<QAction *> last = menu->actions().mid(menu->actions().size() - 2);
        QCOMPARE(last[0]->shortcut().toString() + last[1]->shortcut().toString(), "Ctrl+PCtrl+Shift+S");
        QAction *chosen = last[command.startsWith("Print") ? 0 : 1];
        QCOMPARE(chosen->text().remove('&'), command);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
            SWELTRA_DATA_MISSING("pdftotext and pdfinfo (poppler-utils), to read the PDF files back");
        }
        setProgramFolderForTesting(SWELTRA_PROGRAM_FOLDER);
        setMessageObserver([this](const QString &text) { m_messages << text; });
        setSaveFileAnswerer([this](const QString &) { return ++m_saveDialogs, m_answer; });
        // "Print to File" in the print dialog.
        setPrintDialogAnswerer(
            [this](QPrinter &p) { return p.setOutputFileName(m_answer), ++m_printDialogs, m_printAccepted; });
    }
    // Every command finds an earlier record where it saves, and a folder beside it.
    void init() {
        sweltra::windows::registerWindowKinds();
        m_messages.clear();
        m_printDialogs = m_saveDialogs = 0;
        QFile file(m_answer = m_folder.filePath("record.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("an earlier record") > 0);
        QVERIFY(QDir(m_folder.path()).mkpath("folder"));
        QVERIFY(WindowRegistry::show(WindowKind::Calculator) && QTest::qWaitForWindowActive(calculator()));
    }
    void cleanup() {
        WindowRegistry::reset();
        settle();
    }

    void recorded_data() {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("verdict"); // empty: "Calculate Total:" names a missing factor
        QTest::addColumn<QString>("command"); // its keys or its context menu entry
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("paper"); // empty: nothing may be written
        const Picks high{{"WBGT", -1}, {"Duration", -1}, {"Intensity", -1}, {"Acclimatization", -1}},
            none{{"", -2}};
        const QString print = "Ctrl+P", save = "Ctrl+Shift+S", no, low = "Risk score 55 and below";
        const QLocale au("en_AU"), us("en_US");
        QTest::newRow("up to 55, A4") << false << Picks{{"Other", 0}} << low << save << au << "A4";
        QTest::newRow("56-65, US Letter") << false << high << "Risk score 56-65" << print << us << "letter";
        QTest::newRow("75 and above, air temperature")
            << false << Picks{{"", -1}, {"Medical", 0}, {"WBGT", -2}, {"Dry_Bulb", -1}, {"Other", -1}}
            << "Risk score 75 and above"
            << "Save Assessment as PDF..." << au << "A4";
        QTest::newRow("medical referral") << false << Picks{{"Medical", -1}} << "Medical referral"
                                          << "Print Assessment..." << QLocale("fr_CA") << "letter";
        QTest::newRow("print cancelled") << false << Picks{} << low << print << au << no;
        QTest::newRow("nothing chosen, save") << false << none << no << save << au << no;
        QTest::newRow("no venue, print")
            << false << Picks{{"Venue", -2}, {"Medical", 1}} << no << "Print Assessment..." << au << no;
        QTest::newRow("viewer, saved") << true << none << no << save << au << "A4";
        QTest::newRow("viewer, printed") << true << none << no << "Print Document..." << us << "letter";
    }
    void recorded() {
        QFETCH(bool, viewer);
        QFETCH(Picks, picks);
        QFETCH(QString, verdict);
        QFETCH(QString, command);
        QFETCH(QLocale, locale);
        QFETCH(QString, paper);
        QLocale::setDefault(locale);
        m_printAccepted = !paper.isEmpty();
        QString title = "Heat risk assessment";
        QStringList expected = pickAll(picks) << pageFooter() << "page 1 of ";
        QWidget *window = calculator();
        auto *box = control<RichTextBox>(WindowKind::Calculator, "txtGuidelines");
        if (viewer) {
            QVERIFY(click(WindowKind::Calculator, "cmd_SMA_Guidelines"));
            QVERIFY(QTest::qWaitForWindowActive(window = live(WindowKind::Viewer)));
            box = control<RichTextBox>(WindowKind::Viewer, "txtAirportHazards");
            title = "Sports Medicine Australia - hot weather guidelines score4"; // its file name
        } else {
            QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
            const QString total = control<QLineEdit>(WindowKind::Calculator, "txt_Total")->text().trimmed();
            expected << title << verdict << (verdict.startsWith("Risk") ? "Total: " + total : verdict);
        }
        expected << box->Text().simplified().section(' ', 0, 7);
        const QStringList calculateSays = m_messages;
        run(window, box, command);
        // Where "Calculate Total:" names a missing factor, the command says the same and asks nothing.
        const bool print = command.endsWith("P") || command.startsWith("Print"),
                   asked = calculateSays.isEmpty();
        QCOMPARE(m_messages, calculateSays + calculateSays);
        QCOMPARE(QPoint(m_printDialogs, m_saveDialogs), QPoint(asked && print, asked && !print));
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", paper.isEmpty() ? "kept" : "replaced"}));
        const QString text = poppler("pdftotext", m_answer), info = poppler("pdfinfo", m_answer);
        for (const QString &words : expected) {
            QVERIFY2(paper.isEmpty() || text.contains(words), qPrintable(words + " not in " + text));
        }
        QVERIFY2(paper.isEmpty() || (info.contains("Title: " + title) && info.contains("(" + paper + ")")),
                 qPrintable(info));
    }

    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("sizeLimit");                            // 0: none
        QTest::newRow("unwritable folder") << "/proc/record.pdf" << 0; // even for root
        QTest::newRow("the name is a folder") << m_folder.filePath("folder") << 0;
        QTest::newRow("disk full") << m_folder.filePath("record.pdf") << 4096;
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(QString, answer);
        QFETCH(int, sizeLimit);
        pickAll({});
        m_answer = answer;
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{sizeLimit ? rlim_t(sizeLimit) : saved.rlim_cur, saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
        QTest::keySequence(calculator(), QKeySequence("Ctrl+Shift+S"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        // One message naming the file and the reason; no half or temporary file, the old one as it was.
        const QRegularExpression named(QRegularExpression::escape(QDir::toNativeSeparators(m_answer)) +
                                       ".*: \\w");
        QVERIFY2(m_messages.size() == 1 && m_messages[0].contains(named), qPrintable(m_messages.join('\n')));
        QCOMPARE(folder(), (QStringList{"folder", "record.pdf", "kept"}));
    }

    // The commands add no control: the window's controls and its tab order are its table's.
    void noNewControl() {
        const auto &table = sweltra::calculator::CalculatorWindow::controlTable();
        QMap<int, QString> tabOrder;
        for (const ControlRow &row : table) {
            row.tabIndex >= 0 ? void(tabOrder[row.tabIndex] = QString::fromStdString(std::string(row.name)))
                              : void();
        }
        QStringList visited;
        for (qsizetype i = 0; i < tabOrder.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, tabOrder.values());
        QCOMPARE(calculator()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(),
                 qsizetype(table.size()));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
