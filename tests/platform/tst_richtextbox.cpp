#include "documents/documentstore.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>

#include <sys/stat.h>
#include <unistd.h>

using namespace sweltra;
using platform::RichTextBox;
using Result = RichTextBox::LoadResult;

Q_DECLARE_METATYPE(RichTextBox::LoadResult)

namespace {
void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
} // namespace

class TestRichTextBox : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void cleanup() { platform::setProgramFolderForTesting({}); }

    // Every kind of file the box may be pointed at: content or a notice, never a hang or a crash.
    void loadFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("shown");

        QVERIFY(m_dir.isValid());
        writeFile(path("good.rtf"), "{\\rtf1\\ansi Hot weather advice\\par}");
        writeFile(path("empty.rtf"), "");
        writeFile(path("plain.rtf"), "Just some words, no markup at all.\n");
        writeFile(path("picture.rtf"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QDir(m_dir.path()).mkdir("folder.rtf");
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe.rtf")).constData(), 0600) == 0);
        QFile::link(path("loop-b.rtf"), path("loop-a.rtf"));
        QFile::link(path("loop-a.rtf"), path("loop-b.rtf"));
        {
            QFile huge(path("huge.rtf"));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.write("{\\rtf1 ") == 7);
            QVERIFY(huge.resize(200LL * 1024 * 1024)); // sparse: costs no disk
        }

        QTest::newRow("readable document") << "good.rtf" << int(Result::Loaded) << "Hot weather advice";
        QTest::newRow("missing") << "absent.rtf" << int(Result::Missing) << "was not found";
        QTest::newRow("empty file") << "empty.rtf" << int(Result::NotRtf) << "not a readable rich-text";
        QTest::newRow("plain text") << "plain.rtf" << int(Result::NotRtf) << "not a readable rich-text";
        QTest::newRow("png renamed") << "picture.rtf" << int(Result::NotRtf) << "not a readable rich-text";
        QTest::newRow("directory") << "folder.rtf" << int(Result::Unreadable) << "could not be read";
        QTest::newRow("fifo does not block") << "pipe.rtf" << int(Result::Unreadable) << "could not be read";
        QTest::newRow("symlink loop") << "loop-a.rtf" << int(Result::Unreadable) << "could not be read";
        QTest::newRow("200 MB") << "huge.rtf" << int(Result::TooLarge) << "too large";
    }
    void loadFile() {
        QFETCH(QString, name);
        QFETCH(int, result);
        QFETCH(QString, shown);

        RichTextBox box;
        int changesDuringLoad = 0;
        connect(&box, &RichTextBox::Change, &box, [&] { ++changesDuringLoad; });
        QCOMPARE(int(box.LoadFile(path(name))), result);
        QCOMPARE(changesDuringLoad, 1);
        QVERIFY2(box.Text().contains(shown), qPrintable(box.Text()));
        if (result != int(Result::Loaded)) {
            // The notice names the document and where it was looked for.
            QVERIFY(box.Text().contains(name));
            QVERIFY(box.Text().contains(QDir::toNativeSeparators(m_dir.path())));
        }
    }

    void unreadableFileGivesNotice() {
        if (::geteuid() == 0) {
            QSKIP("root reads files of any mode");
        }
        writeFile(path("locked.rtf"), "{\\rtf1 secret}");
        QFile::setPermissions(path("locked.rtf"), {});
        RichTextBox box;
        QCOMPARE(box.LoadFile(path("locked.rtf")), Result::Unreadable);
    }

    void failedLoadReplacesEarlierDocument() {
        RichTextBox box;
        writeFile(path("first.rtf"), "{\\rtf1 first text}");
        box.LoadFile(path("first.rtf"));
        box.LoadFile(path("nowhere.rtf"));
        QVERIFY(!box.Text().contains("first text"));
    }

    void editedFileLoadsAfresh() {
        RichTextBox box;
        writeFile(path("changing.rtf"), "{\\rtf1 old advice}");
        box.LoadFile(path("changing.rtf"));
        writeFile(path("changing.rtf"), "{\\rtf1 new advice}");
        box.LoadFile(path("changing.rtf"));
        QVERIFY(box.Text().contains("new advice"));
        QVERIFY(!box.Text().contains("old advice"));
    }

    void selection_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("selected");
        QTest::newRow("whole text") << 0 << 11 << "Hello world";
        QTest::newRow("nothing") << 0 << 0 << "";
        QTest::newRow("middle") << 6 << 3 << "wor";
        QTest::newRow("length past the end") << 6 << 100 << "world";
    }
    void selection() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, selected);
        RichTextBox box;
        box.setText("Hello world");
        box.setSelStart(start);
        box.setSelLength(length);
        QCOMPARE(box.SelStart(), start);
        QCOMPARE(box.textCursor().selectedText(), selected);
        QCOMPARE(box.SelLength(), int(selected.size()));
    }

    void setTextEmptiesAndNotifies() {
        RichTextBox box;
        writeFile(path("some.rtf"), "{\\rtf1 something}");
        box.LoadFile(path("some.rtf"));
        QSignalSpy changes(&box, &RichTextBox::Change);
        box.setText(QString());
        QCOMPARE(changes.count(), 1);
        QVERIFY(box.Text().isEmpty());
    }

    void marginsAreRepeatableAndKeepIndents() {
        RichTextBox box;
        box.setText("Indented paragraph");
        QTextBlockFormat indented;
        indented.setLeftMargin(30);
        QTextCursor(box.document()).setBlockFormat(indented);
        for (int round = 0; round < 3; ++round) {
            box.setSelIndent(100);
            box.setSelRightIndent(100);
        }
        const QTextFrameFormat frame = box.document()->rootFrame()->frameFormat();
        QCOMPARE(frame.leftMargin(), 7.0);
        QCOMPARE(frame.rightMargin(), 7.0);
        QCOMPARE(box.document()->begin().blockFormat().leftMargin(), 30.0);
    }

    void userCannotEdit() {
        RichTextBox box;
        box.setText("fixed");
        box.setSelStart(0);
        QTest::keyClicks(&box, "abc");
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.Text(), QStringLiteral("fixed"));
    }

    void documentPath_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary folder") << "/opt/sweltra"
                                         << "\\Asterisk.rtf"
                                         << "/opt/sweltra/Asterisk.rtf";
        QTest::newRow("two blanks kept") << "/opt/sweltra"
                                         << "\\Risk Score  75 recommendation.rtf"
                                         << "/opt/sweltra/Risk Score  75 recommendation.rtf";
        QTest::newRow("root folder") << "/"
                                     << "\\Medical Conditions.rtf"
                                     << "/Medical Conditions.rtf";
    }
    void documentPath() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        platform::setProgramFolderForTesting(folder);
        QCOMPARE(documents::documentPath(name.toStdString()), expected);
    }

    void singleBlankTopBandIsNotFound() {
        platform::setProgramFolderForTesting(m_dir.path());
        writeFile(path("Risk Score 75 recommendation.rtf"), "{\\rtf1 wrong name}");
        RichTextBox box;
        documents::loadDocument(box, documents::topBand);
        QVERIFY(box.Text().contains("was not found"));
    }
};

QTEST_MAIN(TestRichTextBox)
#include "tst_richtextbox.moc"
