// The viewer: hand-off, Back, refused close, session end and web links.
#include "documents/documentstore.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "sweltraconfig.h"
#include "viewer/viewerwindow.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextFrame>
#include <QWindow>

using namespace sweltra;
using platform::WindowKind;
using platform::WindowRegistry;

class TestViewerWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QStringList m_opened; // the addresses handed to the desktop

    static QWidget *openViewer(documents::Document document, const QString &locator) {
        auto *viewer = WindowRegistry::show<viewer::frmReadMeViewer>(WindowKind::Viewer);
        viewer->showDocument(document, locator);
        return viewer;
    }

public slots:
    void openUrl(const QUrl &url) { m_opened << url.toString(); }

private slots:
    void initTestCase() {
        for (const documents::Document document :
             {documents::Document::Asterisk, documents::Document::FullGuidelines}) {
            QFile file(m_dir.filePath(documents::fileName(document)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\\rtf1\\ansi " + documents::fileName(document).toLatin1() +
                       " {\\field{\\*\\fldinst HYPERLINK \"https://example.org/\"}{\\fldrslt first}}.\\par " +
                       QByteArray("Drink water before, during and after the event.\\par ").repeated(150) +
                       "}");
        }
        platform::setProgramFolderForTesting(m_dir.path());
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    }

    void init() {
        m_opened.clear();
        WindowRegistry::setFactory(WindowKind::Viewer, [] { return new viewer::frmReadMeViewer; });
        WindowRegistry::setFactory(WindowKind::Calculator, [] { return new QWidget; });
    }

    void cleanup() { WindowRegistry::reset(); }

    // One viewer, each document from its start; every close but Back refused; Back returns to the
    // calculator, whose keyword is the only one a viewer is ever handed.
    void handOffAndBack() {
        const QString locator = QStringLiteral("Sweltra");
        QPointer<QWidget> viewer = openViewer(documents::Document::FullGuidelines, locator);
        auto *box = viewer->findChild<platform::RichTextBox *>("txtAirportHazards");
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        QCOMPARE(openViewer(documents::Document::Asterisk, locator), viewer.data());
        QVERIFY(box->Text().startsWith(QStringLiteral("Asterisk.rtf first.")));
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->verticalScrollBar()->value() + box->SelStart() + box->SelLength(), 0);
        const QTextFrameFormat frame = box->document()->rootFrame()->frameFormat(); // text off both edges
        QVERIFY(frame.leftMargin() > 0 && frame.rightMargin() > 0);
        QCOMPARE(viewer->focusWidget()->objectName(), QStringLiteral("cmdBackfromReadme"));
        QCOMPARE(viewer->focusWidget()->font(), viewer->font()); // its row leaves it the window's

        // The links, in the document and below it, hand their pages to the desktop; the viewer stays.
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                          box->cursorRect(box->document()->find("firs")).center());
        for (const char *link : {"cmd_Rudev", "cmd_SMA_SA", "cmd_BOM"}) {
            QTest::mouseClick(viewer->findChild<QPushButton *>(link), Qt::LeftButton);
        }
        QCOMPARE(m_opened, QStringList({"https://example.org/", SWELTRA_SITE_RUDEV, SWELTRA_SITE_SMA_SA "/",
                                        SWELTRA_SITE_BOM "/products/IDS65004.shtml"}));
        QVERIFY(!viewer->close());
        QVERIFY(!viewer->windowHandle()->close());
        QVERIFY(viewer->isVisible());
        QTest::mouseClick(viewer->findChild<QPushButton *>("cmdBackfromReadme"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(WindowRegistry::find(WindowKind::Calculator));
    }

    // A logout must not wait on the viewer: the session manager's commit request or the quit that
    // follows lets it close. The quit row ends the event loops, so it comes last.
    void sessionEndLetsItClose_data() {
        QTest::addColumn<bool>("quit");
        QTest::newRow("commit data request") << false;
        QTest::newRow("quit request") << true;
    }
    void sessionEndLetsItClose() {
        QFETCH(bool, quit);
        QPointer<QWidget> viewer = openViewer(documents::Document::Asterisk, QStringLiteral("Sweltra"));
        if (quit) {
            QEvent request(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &request);
        } else {
            // Emitted as the platform does; the viewer does not use the manager itself.
            void *arguments[] = {nullptr, nullptr};
            QMetaObject::activate(qApp, &QGuiApplication::staticMetaObject,
                                  QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest).methodIndex() -
                                      QGuiApplication::staticMetaObject.methodOffset(),
                                  arguments);
        }
        QVERIFY(viewer->close());
    }
};

QTEST_MAIN(TestViewerWindow)
#include "tst_viewerwindow.moc"
