// The assessment record and the viewer's document on paper and as PDF: what the saved file says,
// read back with pdftotext; the same verdict as "Calculate Total:"; saving that fails keeps what
// was there; the paper size of the locale; the shortcuts and context menus; no new control.
#include "calculator/assessmentrecord.h"
#include "calculator/calculatortesting.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/printing.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "risk/catalogue.h"
#include "windowstesting.h"

#include <QDir>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <csignal>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

using sweltra::platform::RichTextBox;
using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;
using namespace windowstesting;
using calculatortesting::list;
using calculatortesting::pickWithMouse;

namespace {

// Factor key to the index of the entry picked in its list; -1 picks the last entry.
using Picks = std::map<QString, int>;

// The first entry of every scored factor, temperature on the wet bulb scale.
Picks firstEntries() {
    Picks picks;
    for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
        if (factor.scored && factor.key != "Dry_Bulb") {
            picks[QString::fromUtf8(factor.key.data(), static_cast<qsizetype>(factor.key.size()))] = 0;
        }
    }
    return picks;
}

Picks with(Picks picks, const Picks &changes) {
    for (const auto &[key, entry] : changes) {
        picks[key] = entry;
    }
    return picks;
}

// What a poppler tool says about a file.
QString poppler(const QString &tool, const QStringList &arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What a reader of the PDF sees, as one line of single-spaced words.
QString pdfText(const QString &path) {
    return poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC)
        .simplified();
}

QString pdfInfo(const QString &path, const QString &field) {
    const QString info = poppler(QStringLiteral("pdfinfo"), {path});
    return QRegularExpression(QStringLiteral("^%1: +(.*)$").arg(field), QRegularExpression::MultilineOption)
        .match(info)
        .captured(1);
}

QString firstWords(const QString &text, int count) {
    return text.simplified().section(QLatin1Char(' '), 0, count - 1);
}

QStringList entriesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// How a save is made to fail.
enum class Failure { None, NoSuchFolder, FileAsFolder, NameIsAFolder, ReadOnlyFolder, DiskFull };

// Writes beyond this many bytes fail as on a full disk, until the guard goes.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() { ::setrlimit(RLIMIT_FSIZE, &m_saved); }
    DiskFull(const DiskFull &) = delete;
    DiskFull &operator=(const DiskFull &) = delete;

private:
    rlimit m_saved{};
};

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestPrinting : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_outFolder;
    QStringList m_messages;
    QStringList m_proposed;
    QString m_answer;
    int m_printDialogs = 0;

    QWidget *calculator() const { return live(WindowKind::Calculator); }
    RichTextBox *guidelines() const {
        return calculator()->findChild<RichTextBox *>(QStringLiteral("txtGuidelines"));
    }
    bool pickAll(const Picks &picks) const {
        for (const auto &[key, index] : picks) {
            QComboBox *combo = list(calculator(), key);
            if (!pickWithMouse(combo, combo->itemText(index < 0 ? combo->count() - 1 : index))) {
                return false;
            }
        }
        return true;
    }
    // The keys as a person presses them, in the window that is in front.
    static void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(focus, key, modifiers);
    }
    static void saveKeys(QWidget *window) {
        press(window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    static void printKeys(QWidget *window) { press(window, Qt::Key_P, Qt::ControlModifier); }
    // Saves the calculator's assessment to `path` with Ctrl+Shift+S.
    void saveAssessmentAs(const QString &path) {
        m_answer = path;
        saveKeys(calculator());
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            if (qEnvironmentVariableIntValue("SWELTRA_REQUIRE_CORPUS") == 1) {
                QFAIL("pdftotext and pdfinfo (poppler-utils) are needed to read the PDF files back");
            }
            QSKIP(
                "pdftotext and pdfinfo (poppler-utils) are not installed: the PDF files cannot be read back");
        }
        sweltra::platform::installFontSubstitutes();
        sweltra::platform::setProgramFolderForTesting(QStringLiteral(SWELTRA_PROGRAM_FOLDER));
        QVERIFY(m_home.isValid());
        // The save dialog proposes the documents folder of this home.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Documents")));
        sweltra::platform::setMessageObserver([this](const QString &text) { m_messages << text; });
        sweltra::platform::setSaveFileAnswerer([this](const QString &proposed) {
            m_proposed << proposed;
            return m_answer;
        });
    }
    void cleanupTestCase() {
        sweltra::platform::setMessageObserver(nullptr);
        sweltra::platform::setSaveFileAnswerer(nullptr);
        sweltra::platform::setPrintDialogAnswerer(nullptr);
        sweltra::platform::setProgramFolderForTesting(QString());
    }
    void init() {
        sweltra::windows::registerWindowKinds();
        m_messages.clear();
        m_proposed.clear();
        m_printDialogs = 0;
        QVERIFY(WindowRegistry::show(WindowKind::Calculator));
        QVERIFY(QTest::qWaitForWindowActive(calculator()));
        m_outFolder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_outFolder->isValid());
    }
    void cleanup() {
        WindowRegistry::reset();
        settle();
        QLocale::setDefault(QLocale::system());
        sweltra::platform::setPrintDialogAnswerer(nullptr);
        // A folder left without write permission must not keep its files from going.
        QFile::setPermissions(m_outFolder->filePath(QStringLiteral("target")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_outFolder.reset();
    }
    QString out(const QString &name) const { return m_outFolder->filePath(name); }

    void savedAssessment_data() {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("55 and below, other factor chosen")
            << with(firstEntries(), {{"Other", 0}}) << "Risk score 55 and below";
        QTest::newRow("56-65")
            << with(firstEntries(),
                    {{"WBGT", -1}, {"Duration", -1}, {"Intensity", -1}, {"Acclimatization", -1}})
            << "Risk score 56-65";
        Picks last = firstEntries();
        for (auto &[key, index] : last) {
            index = key == QLatin1String("Medical") ? 0 : -1;
        }
        last.erase(QStringLiteral("WBGT"));
        QTest::newRow("last entries, by air temperature")
            << with(last, {{"Dry_Bulb", -1}, {"Other", -1}}) << "Risk score 75 and above";
        QTest::newRow("medical referral") << with(firstEntries(), {{"Medical", -1}}) << "Medical referral";
    }
    void savedAssessment() {
        QFETCH(Picks, picks);
        QFETCH(QString, verdict);
        QVERIFY(pickAll(picks));
        // What "Calculate Total:" shows is what the record says.
        QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        const QString total =
            calculator()->findChild<QLineEdit *>(QStringLiteral("txt_Total"))->text().trimmed();
        const QString recommendation = firstWords(guidelines()->Text(), 8);
        QVERIFY(!recommendation.isEmpty());
        // The keys work with the focus in a list's edit field too, and type nothing into it.
        QComboBox *age = list(calculator(), QStringLiteral("Age"));
        const QString ageEntry = age->currentText();
        QTest::mouseClick(age->lineEdit(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), age);

        const QDateTime before = QDateTime::currentDateTime();
        const QString path = out(QStringLiteral("record.pdf"));
        saveAssessmentAs(path);
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(age->currentText(), ageEntry);
        QCOMPARE(entriesIn(m_outFolder->path()), QStringList{"record.pdf"});

        // The proposal: the documents folder, named for the minute it was made.
        QCOMPARE(m_proposed.size(), 1);
        const QFileInfo proposed(m_proposed.constFirst());
        QCOMPARE(proposed.absolutePath(), QDir(m_home.path()).filePath(QStringLiteral("Documents")));
        QVERIFY2(proposed.fileName() == sweltra::calculator::assessmentFileName(before) ||
                     proposed.fileName() == sweltra::calculator::assessmentFileName(after),
                 qPrintable(proposed.fileName()));
        QVERIFY(proposed.fileName().contains(QRegularExpression(
            QStringLiteral("^Heat risk assessment \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d\\.pdf$"))));

        const QString saved = pdfText(path);
        QVERIFY2(saved.startsWith(QStringLiteral("Heat risk assessment")), qPrintable(saved));
        for (const auto &[key, index] : picks) {
            const QString entry = list(calculator(), key)->currentText();
            QVERIFY2(saved.contains(entry), qPrintable(entry + QStringLiteral(" in ") + saved));
        }
        QVERIFY2(saved.contains(verdict), qPrintable(saved));
        if (verdict != QLatin1String("Medical referral")) {
            QVERIFY2(saved.contains(QStringLiteral("Total: ") + total), qPrintable(saved));
        }
        QVERIFY2(saved.contains(recommendation), qPrintable(recommendation + QStringLiteral(" in ") + saved));
        QVERIFY2(saved.contains(sweltra::platform::pageFooter()), qPrintable(saved));
        QVERIFY2(saved.contains(QStringLiteral("page 1 of ")), qPrintable(saved));
        QCOMPARE(pdfInfo(path, QStringLiteral("Title")), QStringLiteral("Heat risk assessment"));
    }

    void dateWrittenOut_data() {
        QTest::addColumn<QDateTime>("madeAt");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 6), QTime(14, 30))
                                   << "Sunday 6 December 2026, 2:30 pm"
                                   << "Heat risk assessment 2026-12-06 14-30.pdf";
        QTest::newRow("morning") << QDateTime(QDate(2027, 1, 18), QTime(9, 5))
                                 << "Monday 18 January 2027, 9:05 am"
                                 << "Heat risk assessment 2027-01-18 09-05.pdf";
    }
    void dateWrittenOut() {
        QFETCH(QDateTime, madeAt);
        QFETCH(QString, written);
        QFETCH(QString, fileName);
        // Every factor at its first entry.
        std::vector<sweltra::calculator::FactorChoice> choices;
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            const sweltra::risk::FactorOption &first = factor.options.front();
            choices.push_back(
                {&factor, QString::fromUtf8(first.text.data(), static_cast<qsizetype>(first.text.size())),
                 QString::fromUtf8(first.points.data(), static_cast<qsizetype>(first.points.size()))});
        }
        const auto record = sweltra::calculator::buildAssessmentRecord(choices, madeAt);
        QVERIFY(record.document);
        QVERIFY2(record.document->toPlainText().contains(written),
                 qPrintable(record.document->toPlainText()));
        QCOMPARE(sweltra::calculator::assessmentFileName(madeAt), fileName);
    }

    void incompleteChoiceRecordsNothing_data() {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<bool>("print");
        Picks noVenue = firstEntries();
        noVenue.erase(QStringLiteral("Venue"));
        QTest::newRow("nothing chosen, save") << Picks{} << false;
        QTest::newRow("nothing chosen, print") << Picks{} << true;
        QTest::newRow("no venue, save") << noVenue << false;
        QTest::newRow("no venue, medical condition, print") << with(noVenue, {{"Medical", 1}}) << true;
    }
    void incompleteChoiceRecordsNothing() {
        QFETCH(Picks, picks);
        QFETCH(bool, print);
        QVERIFY(pickAll(picks));
        QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        QCOMPARE(m_messages.size(), 1);
        const QString calculateSays = m_messages.takeFirst();
        sweltra::platform::setPrintDialogAnswerer([this](QPrinter &) { return ++m_printDialogs, true; });

        m_answer = out(QStringLiteral("record.pdf"));
        print ? printKeys(calculator()) : saveKeys(calculator());
        QCOMPARE(m_messages, QStringList{calculateSays});
        QCOMPARE(m_proposed, QStringList());
        QCOMPARE(m_printDialogs, 0);
        QCOMPARE(entriesIn(m_outFolder->path()), QStringList());
    }

    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<bool>("existing");
        QTest::newRow("replaces an existing file") << Failure::None << true;
        QTest::newRow("no such folder") << Failure::NoSuchFolder << false;
        QTest::newRow("a file where the folder should be") << Failure::FileAsFolder << false;
        QTest::newRow("the name is a folder") << Failure::NameIsAFolder << false;
        QTest::newRow("folder without write permission") << Failure::ReadOnlyFolder << true;
        QTest::newRow("disk full, new file") << Failure::DiskFull << false;
        QTest::newRow("disk full, existing file") << Failure::DiskFull << true;
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(Failure, failure);
        QFETCH(bool, existing);
        QVERIFY(pickAll(firstEntries()));
        const QString folder = out(QStringLiteral("target"));
        QVERIFY(QDir().mkpath(folder));
        QString path = QDir(folder).filePath(QStringLiteral("record.pdf"));
        const QByteArray earlier = "%PDF-1.4 an earlier record\n%%EOF\n";
        if (existing) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        switch (failure) {
        case Failure::None:
        case Failure::DiskFull:
            break;
        case Failure::NoSuchFolder:
            path = QDir(folder).filePath(QStringLiteral("missing/record.pdf"));
            break;
        case Failure::FileAsFolder: {
            QFile plain(QDir(folder).filePath(QStringLiteral("notes.txt")));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            path = plain.fileName() + QStringLiteral("/record.pdf");
            break;
        }
        case Failure::NameIsAFolder:
            QVERIFY(QDir(folder).mkdir(QStringLiteral("record.pdf")));
            break;
        case Failure::ReadOnlyFolder:
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            if (::access(QFile::encodeName(folder).constData(), W_OK) == 0) {
                QSKIP("This user may write into a folder without write permission (root)");
            }
            break;
        }
        const QStringList before = entriesIn(folder);

        if (failure == Failure::DiskFull) {
            const DiskFull full(4096);
            saveAssessmentAs(path);
        } else {
            saveAssessmentAs(path);
        }

        if (failure == Failure::None) {
            QCOMPARE(m_messages, QStringList());
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            const QByteArray bytes = saved.readAll();
            QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF") &&
                    bytes.size() > earlier.size());
            QVERIFY(pdfText(path).contains(QStringLiteral("Heat risk assessment")));
        } else {
            // One message that names the file and says why; the calculator stays as it was.
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages.constFirst().contains(QDir::toNativeSeparators(path)),
                     qPrintable(m_messages.constFirst()));
            QVERIFY2(m_messages.constFirst().contains(QRegularExpression(QStringLiteral(": \\w+"))),
                     qPrintable(m_messages.constFirst()));
            QVERIFY(calculator()->isVisible() && calculator()->isEnabled());
            QVERIFY(guidelines()->Text().isEmpty());
            if (existing) {
                QFile kept(path);
                QVERIFY(kept.open(QIODevice::ReadOnly));
                QCOMPARE(kept.readAll(), earlier);
            }
        }
        // No half file and no temporary file is left behind.
        QCOMPARE(entriesIn(folder), before);
    }

    void paperOfTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("paper");
        QTest::newRow("Australia") << QLocale(QLocale::English, QLocale::Australia) << "(A4)";
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << "(letter)";
        QTest::newRow("Canada, French") << QLocale(QLocale::French, QLocale::Canada) << "(letter)";
    }
    void paperOfTheLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, paper);
        QLocale::setDefault(locale);
        QVERIFY(pickAll(firstEntries()));
        const QString path = out(QStringLiteral("record.pdf"));
        saveAssessmentAs(path);
        const QString size = pdfInfo(path, QStringLiteral("Page size"));
        QVERIFY2(size.endsWith(paper), qPrintable(size));
    }

    void printedThroughTheDialog_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printedThroughTheDialog() {
        QFETCH(bool, accepted);
        QVERIFY(pickAll(firstEntries()));
        const QString path = out(QStringLiteral("printed.pdf"));
        QString docName;
        sweltra::platform::setPrintDialogAnswerer([&](QPrinter &printer) {
            ++m_printDialogs;
            docName = printer.docName();
            // "Print to File" in the dialog.
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return accepted;
        });
        printKeys(calculator());
        QCOMPARE(m_printDialogs, 1);
        QCOMPARE(docName, QStringLiteral("Heat risk assessment"));
        QCOMPARE(m_messages, QStringList());
        if (accepted) {
            const QString printed = pdfText(path);
            QVERIFY2(printed.contains(list(calculator(), QStringLiteral("Acclimatization"))->currentText()) &&
                         printed.contains(QStringLiteral("Risk score 55 and below")),
                     qPrintable(printed));
        } else {
            QVERIFY(!QFile::exists(path));
        }
    }

    void contextMenuCommands_data() {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("calculator") << false
                                    << QStringList{"Print Assessment...", "Save Assessment as PDF..."};
        QTest::newRow("viewer") << true << QStringList{"Print Document...", "Save Document as PDF..."};
    }
    void contextMenuCommands() {
        QFETCH(bool, viewer);
        QFETCH(QStringList, commands);
        RichTextBox *box = guidelines();
        if (viewer) {
            QVERIFY(click(WindowKind::Calculator, "cmd_SMA_Guidelines"));
            QVERIFY(QTest::qWaitForWindowActive(live(WindowKind::Viewer)));
            box = live(WindowKind::Viewer)->findChild<RichTextBox *>(QStringLiteral("txtAirportHazards"));
        } else {
            QVERIFY(pickAll(firstEntries()));
            QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        }
        const QString shown = firstWords(box->Text(), 8);

        const QPoint at = box->viewport()->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &request);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList texts;
        QList<QKeySequence> keys;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
                keys << action->shortcut();
            }
        }
        // The box's own commands first, then the two new ones with their shortcuts.
        QVERIFY2(texts.indexOf(QStringLiteral("Copy")) >= 0 &&
                     texts.indexOf(QStringLiteral("Copy")) < texts.indexOf(QStringLiteral("Select All")),
                 qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(texts.mid(texts.size() - 2), commands);
        QCOMPARE(keys.mid(keys.size() - 2),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+P")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+S"))}));

        // Choosing "Save ... as PDF..." saves what the box shows.
        m_answer = out(QStringLiteral("chosen.pdf"));
        QAction *save = menu->actions().constLast();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(save).center());
        settle();
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(m_proposed.size(), 1);
        const QString saved = pdfText(m_answer);
        QVERIFY2(saved.contains(shown), qPrintable(shown + QStringLiteral(" in ") + saved));
        if (viewer) {
            // Titled by the document's file name, and proposed under it.
            const QString name = QStringLiteral("Sports Medicine Australia - hot weather guidelines score4");
            QCOMPARE(QFileInfo(m_proposed.constFirst()).fileName(), name + QStringLiteral(".pdf"));
            QCOMPARE(pdfInfo(m_answer, QStringLiteral("Title")), name);
            QVERIFY2(saved.contains(sweltra::platform::pageFooter()), qPrintable(saved));

            // The same with the keys, in the viewer.
            m_answer = out(QStringLiteral("keys.pdf"));
            live(WindowKind::Viewer)->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(live(WindowKind::Viewer)));
            saveKeys(live(WindowKind::Viewer));
            QVERIFY(pdfText(m_answer).contains(shown));
        }
    }

    // The commands add no control: the window's controls and its tab order are its table's.
    void noNewControl() {
        std::vector<const sweltra::platform::ControlRow *> rows;
        QStringList names;
        for (const sweltra::platform::ControlRow &row :
             sweltra::calculator::CalculatorWindow::controlTable()) {
            names << QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
            if (row.tabIndex >= 0) {
                rows.push_back(&row);
            }
        }
        QStringList children;
        for (QWidget *child : calculator()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                children << child->objectName();
            }
        }
        names.sort();
        children.sort();
        QCOMPARE(children, names);

        std::sort(rows.begin(), rows.end(), [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
        QStringList expected;
        for (const auto *row : rows) {
            expected << QString::fromUtf8(row->name.data(), static_cast<qsizetype>(row->name.size()));
        }
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
