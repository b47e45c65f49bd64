#include "platform/entriesonly.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"
#include "platform/twips.h"
#include "rtf/rtflimits.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>
#include <QTimer>

using namespace sweltra::platform;

class TestPlatform : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // The document, or a notice naming it and its folder, replaces what was shown; one change told.
    void loadFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<RichTextBox::LoadResult>("result");
        QFile good(m_dir.filePath("good.rtf"));
        QVERIFY(good.open(QIODevice::WriteOnly) && good.write("{\\rtf1 Heat}") > 0);
        QVERIFY(QFile(m_dir.filePath("huge.rtf")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::resize(m_dir.filePath("huge.rtf"), sweltra::rtf::kMaxDocumentBytes + 1)); // sparse
        QTest::newRow("readable document") << "good.rtf" << RichTextBox::LoadResult::Loaded;
#ifdef Q_OS_WIN
        // Names that open a device in any folder, whatever the extension.
        for (const char *device : {"CON.rtf", "nul", "COM1.rtf", "lpt2.txt.rtf"})
            QTest::newRow(device) << device << RichTextBox::LoadResult::Unreadable;
#else
        QFile growing("/proc/self/comm"); // longer than its size says, as a file that grew once opened
        QVERIFY(growing.open(QIODevice::WriteOnly) && growing.write("{\\rtf1 Heat}") > 0);
        QTest::newRow("read to its end") << growing.fileName() << RichTextBox::LoadResult::Loaded;
#endif
        QTest::newRow("its folder a file") << "good.rtf/absent.rtf" << RichTextBox::LoadResult::Missing;
        QTest::newRow("one byte over the limit") << "huge.rtf" << RichTextBox::LoadResult::TooLarge;
    }
    void loadFile() {
        QFETCH(QString, name);
        QFETCH(RichTextBox::LoadResult, result);
        RichTextBox box;
        QSignalSpy changes(&box, &RichTextBox::Change);
        box.setText("earlier text");
        QCOMPARE(box.LoadFile(QDir(m_dir.path()).filePath(name)), result);
        QCOMPARE(changes.count(), 2); // one each for the text and the load
        const QString text = box.Text();
        QVERIFY(result == RichTextBox::LoadResult::Loaded
                    ? text == "Heat"
                    : text.contains(QFileInfo(name).fileName()) &&
                          text.contains(QDir::toNativeSeparators(m_dir.path())) && !text.contains("earlier"));
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

    // Delete takes a run out of the middle of a pick.
    void entriesOnlyLetsDeleteRemove() {
        QComboBox list;
        list.setEditable(true);
        list.addItem("Over 60 minutes");
        acceptEntriesOnly(&list);
        list.lineEdit()->setSelection(4, 3);
        QTest::keyClick(list.lineEdit(), Qt::Key_Delete);
        QCOMPARE(list.lineEdit()->text(), QStringLiteral("Over minutes"));
    }

    // Set again on every load, the margins stay put, keep paragraph indents and carry over.
    void margins() {
        RichTextBox box;
        box.setHtml("<p style=\"margin-left:30px\">Indented</p>");
        box.document()->setDocumentMargin(2);
        for (int round = 0; round < 2; ++round)
            box.setSelIndent(100), box.setSelRightIndent(200);
        QCOMPARE(box.document()->begin().blockFormat().leftMargin(), 30.0);
        box.setText("next text");
        const QTextFrameFormat frame = box.document()->rootFrame()->frameFormat();
        QCOMPARE(QList({frame.leftMargin(), frame.rightMargin(), box.document()->documentMargin()}),
                 QList({7.0, 13.0, 2.0}));
    }

    // The real box: the program's name as its title, the message, one OK button and no icon, until
    // Return closes it.
    void messageBox() {
        QCoreApplication::setApplicationName("SweltraC");
        QStringList seen;
        QObject scope;
        QTimer::singleShot(0, &scope, [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            const QAbstractButton *ok = box->buttons().value(0);
            const bool icon =
                box->icon() != QMessageBox::NoIcon || !box->iconPixmap().isNull() || !ok->icon().isNull();
            seen << box->windowTitle() << box->text()
                 << QString::number(box->buttons().size()) + " button " + ok->text()
                 << (icon ? "an icon" : "no icon");
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible()) // the key did not close it
                seen << "still open", box->done(0);
        });
        showMessage(nullptr, "Please add Venue data.");
        QCOMPARE(seen, QStringList({"SweltraC", "Please add Venue data.", "1 button OK", "no icon"}));
    }

    void twipsRoundToNearest() {
        QCOMPARE(QList({twipsToPixels(22), twipsToPixels(23), twipsToPixels(-23)}), QList({1, 2, -2}));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
