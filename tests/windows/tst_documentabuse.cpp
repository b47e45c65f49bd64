// Documents that are damaged, odd or hostile on disk, met through the windows that show them:
// each ends in the document or a notice in the box, nothing hangs, and the window goes on
// working. (The rich-text box's own refusals are tested with the box alone.)
#include "calculator/calculatortesting.h"
#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "windowstesting.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using sweltra::platform::RichTextBox;
using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;
using namespace windowstesting;

namespace {

// Where each window's document comes from, and how a person reaches it.
enum class Target { Viewer, About, Calculator };

QString documentFor(Target target) {
    std::string_view name;
    switch (target) {
    case Target::Viewer:
        name = sweltra::documents::asterisk;
        break;
    case Target::About:
        name = sweltra::documents::conditionsOfUse;
        break;
    case Target::Calculator:
        name = sweltra::documents::medicalConditions;
        break;
    }
    return sweltra::documents::documentPath(name);
}

} // namespace

Q_DECLARE_METATYPE(Target)

class TestDocumentAbuse : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void abusedDocument_data();
    void abusedDocument();
    void editedWhileShown_data();
    void editedWhileShown();

private:
    RichTextBox *open(Target target);
    void checkStillUsable(Target target);
    void emptyFolder();

    QTemporaryDir m_folder;
    QStringList m_messages;
};

void TestDocumentAbuse::initTestCase() {
    sweltra::platform::installFontSubstitutes();
    QVERIFY(m_folder.isValid());
    sweltra::platform::setProgramFolderForTesting(m_folder.path());
    sweltra::platform::setMessageObserver([this](const QString &text) { m_messages << text; });
}

void TestDocumentAbuse::init() {
    sweltra::windows::registerWindowKinds();
    m_messages.clear();
}

void TestDocumentAbuse::cleanup() {
    WindowRegistry::reset();
    settle();
    emptyFolder();
}

void TestDocumentAbuse::emptyFolder() {
    QDir dir(m_folder.path());
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        ::chmod(QFile::encodeName(entry.filePath()).constData(), 0700);
        if (entry.isDir() && !entry.isSymLink()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            ::unlink(QFile::encodeName(entry.filePath()).constData());
        }
    }
}

// Opens the window that shows the target's document, the way a person does; its box.
RichTextBox *TestDocumentAbuse::open(Target target) {
    switch (target) {
    case Target::Viewer:
        WindowRegistry::show(WindowKind::Calculator);
        if (!click(WindowKind::Calculator, "cmd_asterisk")) {
            return nullptr;
        }
        return control<RichTextBox>(WindowKind::Viewer, "txtAirportHazards");
    case Target::About:
        WindowRegistry::show(WindowKind::Startup);
        if (!click(WindowKind::Startup, "cmdDisclaimer")) {
            return nullptr;
        }
        settle();
        return control<RichTextBox>(WindowKind::About, "txtDisclaimer");
    case Target::Calculator: {
        QWidget *calculator = WindowRegistry::show(WindowKind::Calculator);
        // Every factor answered, with a serious medical condition: the medical-conditions note.
        for (const char *key : {"WBGT", "Duration", "Intensity", "Acclimatization", "Ability", "Age",
                                "Drinks", "Time", "Surface", "Venue"}) {
            QComboBox *list = calculatortesting::list(calculator, QString::fromLatin1(key));
            if (!calculatortesting::pickWithKeys(list, list->itemText(0))) {
                return nullptr;
            }
        }
        QComboBox *medical = calculatortesting::list(calculator, QStringLiteral("Medical"));
        if (!calculatortesting::pickWithKeys(medical, medical->itemText(1)) ||
            !click(WindowKind::Calculator, "cmd_Calculate")) {
            return nullptr;
        }
        return control<RichTextBox>(WindowKind::Calculator, "txtGuidelines");
    }
    }
    return nullptr;
}

// The window goes on with its work after the bad document.
void TestDocumentAbuse::checkStillUsable(Target target) {
    switch (target) {
    case Target::Viewer:
        QVERIFY(click(WindowKind::Viewer, "cmdBackfromReadme"));
        settle();
        QVERIFY(!live(WindowKind::Viewer));
        QVERIFY(live(WindowKind::Calculator));
        break;
    case Target::About:
        QVERIFY(click(WindowKind::About, "cmdOK"));
        settle();
        QVERIFY(!live(WindowKind::About));
        QVERIFY(live(WindowKind::Startup));
        break;
    case Target::Calculator: {
        QWidget *calculator = live(WindowKind::Calculator);
        QVERIFY(calculator);
        QVERIFY(click(WindowKind::Calculator, "cmd_Reset"));
        QCOMPARE(control<RichTextBox>(WindowKind::Calculator, "txtGuidelines")->Text(), QString());
        QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Please add Temperature data.")});
        break;
    }
    }
}

void TestDocumentAbuse::abusedDocument_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("abuse");
    const std::pair<const char *, Target> targets[] = {
        {"viewer", Target::Viewer}, {"About", Target::About}, {"calculator", Target::Calculator}};
    for (const auto &[targetName, target] : targets) {
        for (const char *abuse :
             {"missing", "directory", "fifo", "unreadable", "empty", "200 MB", "symlink loop", "not rtf"}) {
            QTest::addRow("%s, %s", targetName, abuse) << target << QString::fromLatin1(abuse);
        }
    }
}

void TestDocumentAbuse::abusedDocument() {
    QFETCH(Target, target);
    QFETCH(QString, abuse);
    const QString path = documentFor(target);
    const QByteArray native = QFile::encodeName(path);
    if (abuse == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(path));
    } else if (abuse == QLatin1String("fifo")) {
        // Nobody writes to it: opening it for reading in the usual way would wait forever.
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    } else if (abuse == QLatin1String("unreadable")) {
        if (::geteuid() == 0) {
            QSKIP("root reads any file");
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 Hidden}");
        file.close();
        QCOMPARE(::chmod(native.constData(), 0), 0);
    } else if (abuse == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (abuse == QLatin1String("200 MB")) {
        // Sparse: the size is there, the disk space is not used.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 ");
        QVERIFY(file.resize(200LL * 1024 * 1024));
    } else if (abuse == QLatin1String("symlink loop")) {
        QCOMPARE(::symlink(native.constData(), native.constData()), 0);
    } else if (abuse == QLatin1String("not rtf")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG\r\n\x1a\n not a document at all");
    }

    RichTextBox *box = open(target);
    QVERIFY(box);
    // The notice names the document, so the person knows which file to put right.
    const QString name = QFileInfo(path).fileName();
    QVERIFY2(box->Text().contains(name), qPrintable(box->Text()));
    checkStillUsable(target);
}

void TestDocumentAbuse::editedWhileShown_data() {
    QTest::addColumn<Target>("target");
    QTest::newRow("viewer") << Target::Viewer;
    QTest::newRow("About") << Target::About;
    QTest::newRow("calculator") << Target::Calculator;
}

void TestDocumentAbuse::editedWhileShown() {
    QFETCH(Target, target);
    const auto write = [&](const QByteArray &text) {
        QFile file(documentFor(target));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{\\rtf1\\ansi " + text + "\\par}");
    };
    write("First edition");
    RichTextBox *box = open(target);
    QVERIFY(box);
    QVERIFY2(box->Text().contains(QLatin1String("First edition")), qPrintable(box->Text()));

    // Edited by someone else while it is on screen: what is shown stays until it is loaded again.
    write("Second edition, somewhat longer");
    QVERIFY(box->Text().contains(QLatin1String("First edition")));
    switch (target) {
    case Target::Viewer:
        QVERIFY(click(WindowKind::Calculator, "cmd_asterisk"));
        break;
    case Target::About:
        QVERIFY(click(WindowKind::About, "cmdOK"));
        settle();
        QVERIFY(click(WindowKind::Startup, "cmdDisclaimer"));
        settle();
        box = control<RichTextBox>(WindowKind::About, "txtDisclaimer");
        QVERIFY(box);
        break;
    case Target::Calculator:
        QVERIFY(click(WindowKind::Calculator, "cmd_Calculate"));
        break;
    }
    QVERIFY2(box->Text().contains(QLatin1String("Second edition, somewhat longer")), qPrintable(box->Text()));
    QVERIFY(!box->Text().contains(QLatin1String("First edition")));
}

QTEST_MAIN(TestDocumentAbuse)
#include "tst_documentabuse.moc"
