// Damaged, odd or hostile documents on disk, met through the windows that show them: a notice
// naming the document and its folder, nothing hangs, and the window keeps what the person did.
#include "calculator/calculatortesting.h"
#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "risk/catalogue.h"
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
struct Shower { const char *name; WindowKind kind, from; std::string_view opener, document, back; };
using enum WindowKind;
const Shower showers[] = {{"viewer", Viewer, Calculator, "cmd_asterisk", asterisk, "cmdBackfromReadme"},
                          {"About", About, Startup, "cmdDisclaimer", conditionsOfUse, "cmdOK"},
                          {"calculator", Calculator, Calculator, "cmd_Calculate", medicalConditions, {}}};
const std::pair<std::string_view, QByteArray> abuses[] = { // null: no file written
    {"missing", {}}, {"directory", {}}, {"fifo", {}}, {"empty", ""}, {"200 MB", "{\\rtf1 "},
    {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)}, {"plain text", "Drink water.\n"},
    {"truncated", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Heat ill"}};
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
            const char *abuse = abuses[row / std::size(showers)].first.data();
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
        const auto &[name, bytes] = abuses[row / std::size(showers)];
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
        for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
            const QString key =
                QString::fromUtf8(factor.key.data(), static_cast<qsizetype>(factor.key.size()));
            if (shower.back.empty() && factor.scored && key != QLatin1String("Dry_Bulb")) {
                QVERIFY(pickWithKeys(list(from, key),
                                     list(from, key)->itemText(key == QLatin1String("Medical"))));
            }
        }
        QVERIFY(click(shower.from, shower.opener.data()));
        settle();
        const QString notice = live(shower.kind)->findChild<RichTextBox *>()->Text();
        // A document cut short shows what arrived; any other, a notice naming document and folder.
        for (const QString &part :
             name == "truncated"
                 ? QStringList{QStringLiteral("Heat ill")}
                 : QStringList{QFileInfo(path).fileName(), QDir::toNativeSeparators(m_folder->path())}) {
            QVERIFY2(notice.contains(part), qPrintable(notice));
        }

        // Nothing the person did is lost, and the window goes on to the next step.
        if (shower.back.empty()) {
            for (QLineEdit *box :
                 from->findChildren<QLineEdit *>(QRegularExpression("^txt_(?!Total|Dry_Bulb)")))
                QVERIFY(!box->text().isEmpty());
            return;
        }
        QVERIFY(click(shower.kind, shower.back.data()));
        settle();
        QVERIFY(!live(shower.kind) && live(shower.from));
    }
};

QTEST_MAIN(TestDocumentAbuse)
#include "tst_documentabuse.moc"
