#include "platform/richtextbox.h"
#include "platform/twips.h"
#include "platform/windowregistry.h"
#include "rtf/rtflimits.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>

#include <sys/stat.h>

using namespace sweltra::platform;

class TestPlatform : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() {
        for (int kind = 0; kind < windowKindCount; ++kind)
            WindowRegistry::setFactory(WindowKind(kind), [] { return new QWidget; });
    }
    void cleanup() { WindowRegistry::reset(); }

    // The document, or a notice naming it and its folder, replaces what was shown; one change told.
    void loadFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<RichTextBox::LoadResult>("result");
        QFile good(m_dir.filePath("good.rtf"));
        QVERIFY(good.open(QIODevice::WriteOnly) && good.write("{\\rtf1 Hot weather advice}") > 0);
        for (const char *name : {"empty.rtf", "huge.rtf"})
            QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(QFile::resize(m_dir.filePath("huge.rtf"), sweltra::rtf::kMaxDocumentBytes + 1)); // sparse
        QVERIFY(QDir(m_dir.path()).mkdir("folder.rtf"));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath("pipe.rtf")).constData(), 0600) == 0);
        QTest::newRow("readable document") << "good.rtf" << RichTextBox::LoadResult::Loaded;
        QTest::newRow("missing") << "absent.rtf" << RichTextBox::LoadResult::Missing;
        QTest::newRow("empty file") << "empty.rtf" << RichTextBox::LoadResult::NotRtf;
        QTest::newRow("directory") << "folder.rtf" << RichTextBox::LoadResult::Unreadable;
        QTest::newRow("fifo does not block") << "pipe.rtf" << RichTextBox::LoadResult::Unreadable;
        QTest::newRow("one byte over the limit") << "huge.rtf" << RichTextBox::LoadResult::TooLarge;
    }
    void loadFile() {
        QFETCH(QString, name);
        QFETCH(RichTextBox::LoadResult, result);
        RichTextBox box;
        QSignalSpy changes(&box, &RichTextBox::Change);
        box.setText("earlier text");
        QCOMPARE(box.LoadFile(m_dir.filePath(name)), result);
        QCOMPARE(changes.count(), 2); // one each for the text and the load
        const QString text = box.Text();
        QVERIFY(result == RichTextBox::LoadResult::Loaded
                    ? text == "Hot weather advice"
                    : text.contains(name) && text.contains(m_dir.path()) && !text.contains("earlier"));
    }

    void selectionPastTheEndStopsThereAndTypingChangesNothing() {
        RichTextBox box;
        box.setText("Hello world");
        box.setSelStart(6);
        box.setSelLength(3);
        QCOMPARE(QPair(box.SelStart(), box.textCursor().selectedText()), QPair(6, QString("wor")));
        box.setSelLength(100);
        QCOMPARE(QPair(box.SelLength(), box.textCursor().selectedText()), QPair(5, QString("world")));
        QTest::keyClicks(&box, "abc");
        QCOMPARE(box.Text(), QStringLiteral("Hello world"));
    }

    // Set again on every load, the margins stay put, keep paragraph indents and carry over.
    void margins() {
        RichTextBox box;
        box.setHtml("<p style=\"margin-left:30px\">Indented</p>");
        for (int round = 0; round < 2; ++round)
            box.setSelIndent(100), box.setSelRightIndent(100);
        QCOMPARE(box.document()->begin().blockFormat().leftMargin(), 30.0);
        box.setText("next text");
        const QTextFrameFormat frame = box.document()->rootFrame()->frameFormat();
        QCOMPARE(QPair(frame.leftMargin(), frame.rightMargin()), QPair(7.0, 7.0));
    }

    void twipsRoundToNearest() {
        QCOMPARE(QList({twipsToPixels(22), twipsToPixels(23), twipsToPixels(-23)}), QList({1, 2, -2}));
    }

    void oneWindowPerKindRaisedUnchangedAndDeletedOnClose() {
        QPointer<QWidget> first = WindowRegistry::show(WindowKind::Viewer);
        first->setWindowTitle("changed");
        QCOMPARE(WindowRegistry::show(WindowKind::Viewer), first.data());
        QVERIFY(first->isVisible() && first->windowTitle() == "changed");
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull() && !WindowRegistry::find(WindowKind::Viewer));
        QVERIFY(WindowRegistry::show(WindowKind::Viewer)->isVisible());
    }

    // The next window shows before the current one closes: the program never is without a window.
    void handOverShowsNextBeforeClosingCurrent() {
        QWidget *startup = WindowRegistry::show(WindowKind::Startup);
        bool nextShowing = false;
        connect(startup->windowHandle(), &QWindow::visibleChanged, this, [&nextShowing] {
            const QWidget *next = WindowRegistry::find(WindowKind::Calculator);
            nextShowing = next && next->isVisible();
        });
        WindowRegistry::handOver(startup, WindowKind::Calculator);
        QVERIFY(!startup->isVisible() && nextShowing);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
