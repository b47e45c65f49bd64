// Damaged, odd or hostile documents on disk, met through the windows that show them: a notice
// naming the document and its folder, nothing hangs, and the window keeps what the person did.
#include "calculator/calculatortesting.h"
#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "support/picks.h"
#include "windowstesting.h"

#include <QDir>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace sweltra::platform;
using namespace sweltra::documents;
using namespace windowstesting;
using namespace calculatortesting;

namespace {

// Each window that shows a document: where a person opens it from, with which button, and leaves.
// clang-format off
struct Shower { const char *name; WindowKind kind, from; std::string_view opener; Document document; std::string_view back; };
using enum WindowKind;
const Shower showers[] = {{"viewer", Viewer, Calculator, "cmd_asterisk", Document::Asterisk, "cmdBackfromReadme"},
                          {"About", About, Startup, "cmdDisclaimer", Document::ConditionsOfUse, "cmdOK"},
                          {"calculator", Calculator, Calculator, "cmd_Calculate", Document::MedicalConditions, {}}};
// What is on disk (null: no file written) and the notice shown, naming the file (%1) and folder (%2).
const char *const notFound = "The document \u201c%1\u201d was not found in the folder %2.";
const char *const unreadable = "The document \u201c%1\u201d in the folder %2 could not be read.";
const char *const notRtf = "The document \u201c%1\u201d in the folder %2 is not a readable rich-text document.";
const char *const tooLarge = "The document \u201c%1\u201d in the folder %2 is too large to show.";
const struct { std::string_view name; QByteArray bytes; const char *notice; } abuses[] = {
    {"missing", {}, notFound}, {"directory", {}, unreadable}, {"fifo", {}, unreadable}, {"empty", "", notRtf},
    {"200 MB", "{\\rtf1 ", tooLarge}, {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), notRtf},
    {"plain text", "Drink water.\n", notRtf}, {"truncated", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Heat ill", "Heat ill"}};
// clang-format on

} // namespace

class TestDocumentAbuse : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_folder;

private slots:
    void init() {
        installFontSubstitutes();
        setMessageObserver([](const QString &text) { QFAIL(qPrintable(text)); });
        sweltra::windows::registerWindowKinds();
        setProgramFolderForTesting(m_folder.emplace().path());
    }
    void cleanup() { WindowRegistry::reset(); }

    void abusedDocument_data() {
        QTest::addColumn<uint>("row");
        for (uint row = 0; row < std::size(showers) * std::size(abuses); ++row) {
            const char *abuse = abuses[row / std::size(showers)].name.data();
#ifdef Q_OS_WIN
            if (abuse == std::string_view("fifo")) // a Windows folder holds no FIFO
                continue;
#endif
            QTest::addRow("%s, %s", showers[row % std::size(showers)].name, abuse) << row;
        }
    }
    void abusedDocument() {
        QFETCH(uint, row);
        const Shower &shower = showers[row % std::size(showers)];
        const auto &[name, bytes, said] = abuses[row / std::size(showers)];
        const QString path = documentPath(shower.document);
        if (name == "directory") {
            QVERIFY(QDir().mkdir(path));
        } else if (name == "fifo") { // nobody writes: a blocking read would hang
#ifndef Q_OS_WIN
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
        } else if (!bytes.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            QVERIFY(name != "200 MB" || file.resize(200LL << 20)); // sparse
        }

        // Opened the way a person does; the calculator's note needs every factor answered.
        QWidget *from = WindowRegistry::show(shower.from);
        const picks::Assessment referral =
            picks::referred(picks::forTotal(50, *picks::findFactor("WBGT")).value());
        QVERIFY(!shower.back.empty() || pickAll(from, referral));
        QVERIFY(click(shower.from, shower.opener.data()));
        settle();
        // A document cut short shows what arrived; any other, a notice naming document and folder.
        const QString notice = live(shower.kind)->findChild<RichTextBox *>()->Text();
        const QString folder = QDir::toNativeSeparators(m_folder->path()), file = QFileInfo(path).fileName();
        QCOMPARE(notice.trimmed(), QString(said).replace("%1", file).replace("%2", folder));

        // Nothing the person did is lost, and the window goes on to the next step.
        if (shower.back.empty()) {
            QCOMPARE(allPoints(from).count(QString()), 1); // the temperature scale not used
            return;
        }
        QVERIFY(click(shower.kind, shower.back.data()));
        settle();
        QVERIFY(!live(shower.kind) && live(shower.from));
    }
};

QTEST_MAIN(TestDocumentAbuse)
#include "tst_documentabuse.moc"
