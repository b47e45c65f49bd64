// Run on a real X server by viewer-on-x.sh, with a stand-in for the desktop's opener that writes
// each address it is handed to a file: proves an address leaves the program and the viewer
// keeps working meanwhile.
#include "documents/documentstore.h"
#include "documents/readmeviewer.h"
#include "platform/fonts.h"
#include "platform/placement.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "sweltraconfig.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace sweltra;
using platform::control;
using platform::WindowKind;
using platform::WindowRegistry;

class TestViewerOnX : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_log = qEnvironmentVariable("SWELTRA_OPENED_LOG");
    QPointer<QWidget> m_viewer;

    QStringList recorded() const {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb") || m_log.isEmpty()) {
            QSKIP("needs an X server and a recording opener; run it through viewer-on-x.sh");
        }
        platform::installFontSubstitutes();
        QVERIFY(m_dir.isValid());
        QFile document(m_dir.filePath(QStringLiteral("Asterisk.rtf")));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write("{\\rtf1\\ansi Starred items explained.\\par}");
        document.close();
        platform::setProgramFolderForTesting(m_dir.path());

        WindowRegistry::setFactory(WindowKind::Viewer, [] { return new documents::frmReadMeViewer; });
        WindowRegistry::setFactory(WindowKind::Calculator, [] {
            auto *calculator = new QWidget;
            calculator->setObjectName(QStringLiteral("frm_Sweltra"));
            return calculator;
        });
        WindowRegistry::show(WindowKind::Calculator);
        auto *viewer = WindowRegistry::show<documents::frmReadMeViewer>(WindowKind::Viewer);
        viewer->showDocument(documents::asterisk, QStringLiteral("Sweltra"));
        m_viewer = viewer;
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer));
    }

    void cleanupTestCase() { WindowRegistry::reset(); }

    void addressLeavesTheProgram_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::newRow("Bureau of Meteorology")
            << QStringLiteral("cmd_BOM") << QStringLiteral(SWELTRA_SITE_BOM "/products/IDS65004.shtml");
        QTest::newRow("SMA (SA)") << QStringLiteral("cmd_SMA_SA") << QStringLiteral(SWELTRA_SITE_SMA_SA "/");
        QTest::newRow("Rudev") << QStringLiteral("cmd_Rudev") << QStringLiteral(SWELTRA_SITE_RUDEV);
    }
    void addressLeavesTheProgram() {
        QFETCH(QString, button);
        QFETCH(QString, address);
        const qsizetype before = recorded().size();
        QTest::mouseClick(m_viewer->findChild<QPushButton *>(button), Qt::LeftButton);
        // The opener runs beside the program; the window keeps handling events while it starts.
        QTRY_COMPARE_WITH_TIMEOUT(recorded().size(), before + 1, 30000);
        QCOMPARE(recorded().last(), address);
        QVERIFY(m_viewer && m_viewer->isVisible());
    }

    void viewerStaysResponsive() {
        bool delivered = false;
        QTimer::singleShot(0, this, [&delivered] { delivered = true; });
        QTRY_VERIFY(delivered);
        QTest::mouseClick(m_viewer->findChild<QPushButton *>(QStringLiteral("cmdBackfromReadme")),
                          Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_viewer.isNull());
        QVERIFY(WindowRegistry::find(WindowKind::Calculator)->isVisible());
    }
};

QTEST_MAIN(TestViewerOnX)
#include "tst_viewer_on_x.moc"
