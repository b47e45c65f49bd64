#include "documents/documentstore.h"
#include "documents/readmeviewer.h"
#include "platform/fonts.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/twips.h"
#include "platform/windowregistry.h"
#include "sweltraconfig.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextFrame>
#include <QWindow>

#include <string_view>

using namespace sweltra;
using platform::RichTextBox;
using platform::WindowKind;
using platform::WindowRegistry;

namespace {

// A control of the viewer, by the name the user meets it under.
template <typename T> T *control(QWidget *viewer, const char *name) {
    return viewer->findChild<T *>(QLatin1String(name));
}

const QString returnKeyword = QStringLiteral("Sweltra");

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A document long enough to scroll, whose first words tell it apart.
QByteArray longDocument(const QByteArray &firstWords) {
    QByteArray rtf = "{\\rtf1\\ansi " + firstWords + "\\par ";
    for (int i = 0; i < 150; ++i) {
        rtf += "Drink water before, during and after the event, and rest in the shade.\\par ";
    }
    return rtf + "}";
}

QString plainName(std::string_view name) {
    return QString::fromUtf8(name.substr(1).data(), static_cast<qsizetype>(name.size() - 1));
}

} // namespace

class TestReadmeViewer : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
    int m_calculatorsMade = 0;

    // The calculator's "*" and "View Full SMA Guidelines" hand-off, with the given locator.
    static QWidget *openViewer(std::string_view document, const QString &locator) {
        auto *viewer = WindowRegistry::show<documents::frmReadMeViewer>(WindowKind::Viewer);
        viewer->showDocument(document, locator);
        return viewer;
    }

    static void processDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

public slots:
    // Stands in for the desktop's browser.
    void openUrl(const QUrl &url) { m_opened.append(url); }

private slots:
    void initTestCase() {
        platform::installFontSubstitutes();
        QVERIFY(m_dir.isValid());
        writeFile(m_dir.filePath(plainName(documents::asterisk)), longDocument("Starred items explained."));
        writeFile(m_dir.filePath(plainName(documents::fullGuidelines)),
                  longDocument("Hot weather guidelines."));
        platform::setProgramFolderForTesting(m_dir.path());
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        platform::setProgramFolderForTesting({});
    }

    void init() {
        m_opened.clear();
        m_calculatorsMade = 0;
        WindowRegistry::setFactory(WindowKind::Viewer, [] { return new documents::frmReadMeViewer; });
        WindowRegistry::setFactory(WindowKind::Calculator, [this] {
            ++m_calculatorsMade;
            auto *calculator = new QWidget;
            calculator->setObjectName(QStringLiteral("frm_Sweltra"));
            return calculator;
        });
    }

    void cleanup() { WindowRegistry::reset(); }

    void window() {
        documents::frmReadMeViewer viewer;
        QCOMPARE(viewer.objectName(), QStringLiteral("frmReadMeViewer"));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Readme Viewer"));
        QVERIFY(!viewer.isVisible());
        QCOMPARE(viewer.size(), platform::toPixels(9375, 5925));
        QVERIFY2(viewer.minimumSize() != viewer.maximumSize(), "the frame is sizable");
        QCOMPARE(viewer.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(viewer.font().pixelSize(), 16);
        QVERIFY(viewer.font().bold());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(viewer.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(viewer.geometry().center().y() - screen.center().y()) <= 1);
    }

    // The caller's hand-off leaves the document at its start, nothing selected, Back focused.
    void handOff_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("firstWords");
        QTest::newRow("explanation of the starred items")
            << QByteArray(documents::asterisk.data()) << QStringLiteral("Starred items explained.");
        QTest::newRow("full guidelines")
            << QByteArray(documents::fullGuidelines.data()) << QStringLiteral("Hot weather guidelines.");
    }
    void handOff() {
        QFETCH(QByteArray, document);
        QFETCH(QString, firstWords);
        QPointer<QWidget> viewer = openViewer(document.toStdString(), returnKeyword);
        auto *box = control<RichTextBox>(viewer, "txtAirportHazards");
        auto *back = control<QPushButton>(viewer, "cmdBackfromReadme");
        QVERIFY(viewer->isVisible());
        QVERIFY(box->Text().left(40).contains(firstWords));
        QCOMPARE(box->SelStart(), 0);
        QCOMPARE(box->SelLength(), 0);
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QCOMPARE(viewer->focusWidget(), back);

        QTest::keyClick(viewer->focusWidget(), Qt::Key_Return);
        processDeletions();
        QVERIFY(viewer.isNull());
        QCOMPARE(m_calculatorsMade, 1);
        QVERIFY(WindowRegistry::find(WindowKind::Calculator)->isVisible());
    }

    void openingAgainReusesTheWindow() {
        QWidget *first = openViewer(documents::fullGuidelines, returnKeyword);
        auto *box = control<RichTextBox>(first, "txtAirportHazards");
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        QWidget *second = openViewer(documents::asterisk, returnKeyword);
        QCOMPARE(second, first);
        QVERIFY(box->Text().left(40).contains(QStringLiteral("Starred items explained.")));
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QCOMPARE(box->SelLength(), 0);
    }

    // The change handler alone: whole text selected, margins applied the same on every load.
    void changeHandlerSelectsEverything() {
        QWidget *viewer = WindowRegistry::show(WindowKind::Viewer);
        auto *box = control<RichTextBox>(viewer, "txtAirportHazards");
        for (int load = 0; load < 2; ++load) {
            documents::loadDocument(*box, documents::asterisk);
            QCOMPARE(box->SelStart(), 0);
            QCOMPARE(box->SelLength(), box->Text().size());
            const QTextFrameFormat frame = box->document()->rootFrame()->frameFormat();
            QCOMPARE(frame.leftMargin(), platform::twipsToPixels(100));
            QCOMPARE(frame.rightMargin(), platform::twipsToPixels(100));
        }
    }

    // Every way of asking the window to close, other than Back, is refused and changes nothing.
    void closeIsRefused_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("close() from another window") << 0;
        QTest::newRow("close event sent to it") << 1;
        QTest::newRow("the window system's close") << 2;
    }
    void closeIsRefused() {
        QFETCH(int, how);
        QPointer<QWidget> viewer = openViewer(documents::asterisk, returnKeyword);
        auto *box = control<RichTextBox>(viewer, "txtAirportHazards");
        const QString text = box->Text();
        const QRect geometry = viewer->geometry();
        switch (how) {
        case 0:
            QVERIFY(!viewer->close());
            break;
        case 1: {
            QCloseEvent event;
            QApplication::sendEvent(viewer, &event);
            QVERIFY(!event.isAccepted());
            break;
        }
        default:
            QVERIFY(!viewer->windowHandle()->close());
            break;
        }
        processDeletions();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->geometry(), geometry);
        QCOMPARE(box->Text(), text);
        QCOMPARE(box->SelLength(), 0);
        QCOMPARE(control<QLineEdit>(viewer, "txtLocator")->text(), returnKeyword);
        QCOMPARE(viewer->focusWidget(), control<QPushButton>(viewer, "cmdBackfromReadme"));
        QCOMPARE(WindowRegistry::find(WindowKind::Viewer), viewer.data());

        control<QPushButton>(viewer, "cmdBackfromReadme")->click();
        processDeletions();
        QVERIFY(viewer.isNull());
    }

    // Only the exact keyword returns to the calculator; anything else only closes the viewer.
    void back_data() {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<bool>("showsCalculator");
        QTest::newRow("calculator keyword") << returnKeyword << true;
        QTest::newRow("lower case") << QStringLiteral("sweltra") << false;
        QTest::newRow("trailing blank") << QStringLiteral("Sweltra ") << false;
        QTest::newRow("leading blank") << QStringLiteral(" Sweltra") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("other keyword") << QStringLiteral("Directory") << false;
    }
    void back() {
        QFETCH(QString, locator);
        QFETCH(bool, showsCalculator);
        QPointer<QWidget> viewer = openViewer(documents::asterisk, locator);
        control<QPushButton>(viewer, "cmdBackfromReadme")->click();
        processDeletions();
        QVERIFY(viewer.isNull());
        QCOMPARE(WindowRegistry::find(WindowKind::Viewer), nullptr);
        QCOMPARE(m_calculatorsMade, showsCalculator ? 1 : 0);
        QCOMPARE(WindowRegistry::find(WindowKind::Calculator) != nullptr, showsCalculator);
    }

    void backRaisesAnOpenCalculatorUnchanged() {
        QWidget *calculator = WindowRegistry::show(WindowKind::Calculator);
        calculator->setProperty("choices", 3);
        openViewer(documents::asterisk, returnKeyword);
        control<QPushButton>(WindowRegistry::find(WindowKind::Viewer), "cmdBackfromReadme")->click();
        processDeletions();
        QCOMPARE(WindowRegistry::find(WindowKind::Calculator), calculator);
        QCOMPARE(calculator->property("choices").toInt(), 3);
        QCOMPARE(m_calculatorsMade, 1);
    }

    void backAfterTheCalculatorClosedMakesAFreshOne() {
        QPointer<QWidget> calculator = WindowRegistry::show(WindowKind::Calculator);
        calculator->setProperty("choices", 3);
        QPointer<QWidget> viewer = openViewer(documents::asterisk, returnKeyword);
        calculator->close();
        processDeletions();
        QVERIFY(calculator.isNull());
        QVERIFY(viewer && viewer->isVisible());

        control<QPushButton>(viewer, "cmdBackfromReadme")->click();
        processDeletions();
        QVERIFY(viewer.isNull());
        QWidget *fresh = WindowRegistry::find(WindowKind::Calculator);
        QVERIFY(fresh && fresh->isVisible());
        QVERIFY(!fresh->property("choices").isValid());
        QCOMPARE(m_calculatorsMade, 2);
    }

    void webLinks_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::newRow("Rudev") << QStringLiteral("cmd_Rudev") << QStringLiteral(SWELTRA_SITE_RUDEV);
        QTest::newRow("SMA (SA)") << QStringLiteral("cmd_SMA_SA") << QStringLiteral(SWELTRA_SITE_SMA_SA "/");
        QTest::newRow("Bureau of Meteorology")
            << QStringLiteral("cmd_BOM") << QStringLiteral(SWELTRA_SITE_BOM "/products/IDS65004.shtml");
    }
    void webLinks() {
        QFETCH(QString, button);
        QFETCH(QString, address);
        QPointer<QWidget> viewer = openViewer(documents::fullGuidelines, returnKeyword);
        auto *box = control<RichTextBox>(viewer, "txtAirportHazards");
        const QString text = box->Text();
        QTest::mouseClick(viewer->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().toString(), address);
        QCOMPARE(m_opened.first().scheme(), QStringLiteral("https"));
        processDeletions();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(box->Text(), text);
        QCOMPARE(control<QLineEdit>(viewer, "txtLocator")->text(), returnKeyword);
    }

    void bomTwiceHandsItTwice() {
        QWidget *viewer = openViewer(documents::asterisk, returnKeyword);
        auto *bom = control<QPushButton>(viewer, "cmd_BOM");
        QTest::mouseClick(bom, Qt::LeftButton);
        QTest::mouseClick(bom, Qt::LeftButton);
        QCOMPARE(m_opened.size(), 2);
        QCOMPARE(m_opened.at(0), m_opened.at(1));
    }

    // Logout or shutdown must not wait on the viewer. The session manager first asks programs to
    // commit their data, then tells them to quit; each lets the viewer go. The quit row ends the
    // application's event loops, so it comes last.
    void sessionEndLetsTheViewerClose_data() {
        QTest::addColumn<bool>("quit");
        QTest::newRow("commit data request") << false;
        QTest::newRow("quit request") << true;
    }
    void sessionEndLetsTheViewerClose() {
        QFETCH(bool, quit);
        WindowRegistry::show(WindowKind::Calculator);
        QPointer<QWidget> viewer = openViewer(documents::asterisk, returnKeyword);
        QVERIFY(!viewer->close());
        if (quit) {
            QEvent request(QEvent::Quit);
            QApplication::sendEvent(QCoreApplication::instance(), &request);
            QVERIFY2(request.isAccepted(), "no window held up the quit");
        } else {
            // Emitted as the platform does; the manager itself is not used by the viewer.
            const QMetaMethod signal = QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest);
            void *arguments[] = {nullptr, nullptr};
            QMetaObject::activate(QCoreApplication::instance(), &QGuiApplication::staticMetaObject,
                                  signal.methodIndex() - QGuiApplication::staticMetaObject.methodOffset(),
                                  arguments);
            QVERIFY(viewer->close());
        }
        processDeletions();
        QVERIFY(viewer.isNull());
        QCOMPARE(m_calculatorsMade, 1);
    }
};

QTEST_MAIN(TestReadmeViewer)
#include "tst_readmeviewer.moc"
