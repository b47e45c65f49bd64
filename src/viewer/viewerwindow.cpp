#include "viewer/viewerwindow.h"

#include "documents/documentstore.h"
#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/shell.h"
#include "platform/windowregistry.h"
#include "printing/documentprinting.h"
#include "sweltraconfig.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace sweltra::viewer {
namespace {

using namespace platform::layout;

constexpr int clientWidth = 9375;
constexpr int clientHeight = 5925;
constexpr DesignFont windowFont{Face::MsSansSerif, 12, true};
constexpr DesignFont smallField{Face::MsSansSerif, 8.25, true};
constexpr DesignFont linkButton{Face::Verdana, 9.75, true};
// The box's text takes the document's own fonts.
constexpr DesignFont documentFont = platform::parentFont;

// clang-format off
constexpr platform::ControlRow controlRows[] = {
    {"txtAirportHazards", K::RichText, "", {240, 240, 8895, 5055}, 0, documentFont},
    {"cmdBackfromReadme", K::Button, "Back", {7920, 5423, 1215, 375}, 1, platform::parentFont},
    {"txtLocator", K::TextField, "", {0, 4440, 255, 345}, 2, platform::parentFont, {}, L::Hidden},
    {"txtURL", K::TextField, "", {0, 3480, 255, 210}, 3, smallField, {}, L::Hidden},
    {"cmdURL", K::Button, "Go to Web LInk", {0, 2400, 255, 420}, 4, platform::parentFont, {}, L::Hidden},
    {"cmd_Rudev", K::Button, "Rudev", {1680, 5423, 975, 375}, 5, linkButton},
    {"lbl_Go_To", K::Label, "Web Links:", {240, 5442, 1335, 375}, 6, platform::parentFont},
    {"cmd_SMA_SA", K::Button, "SMA (SA)", {2800, 5423, 1935, 375}, 7, linkButton},
    {"cmd_BOM", K::Button, "Bureau of Meteorology", {4880, 5423, 2895, 375}, 8, linkButton},
};
// clang-format on

struct WebLink {
    const char *button;
    const char *site;
    const char *path;
};

// The sites come from the build configuration; the paths are fixed.
constexpr WebLink webLinks[] = {
    {"cmd_Rudev", SWELTRA_SITE_RUDEV, ""},
    {"cmd_SMA_SA", SWELTRA_SITE_SMA_SA, "/"},
    {"cmd_BOM", SWELTRA_SITE_BOM, "/products/IDS65004.shtml"},
};

const char16_t returnToCalculator[] = u"Sweltra";

} // namespace

frmReadMeViewer::frmReadMeViewer(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmReadMeViewer"));
    setWindowTitle(QStringLiteral("Readme Viewer"));
    platform::setWindowFont(this, windowFont);
    platform::setClientSize(this, clientWidth, clientHeight, false);

    platform::buildControls(this, controlRows, [](const platform::ControlRow &row, QWidget *control) {
        // The focused button is drawn as the default one, the button Enter presses.
        if (row.kind == K::Button) {
            static_cast<QPushButton *>(control)->setAutoDefault(true);
        }
    });
    m_locator = findChild<QLineEdit *>(QStringLiteral("txtLocator"));
    m_document = findChild<platform::RichTextBox *>(QStringLiteral("txtAirportHazards"));
    m_back = findChild<QPushButton *>(QStringLiteral("cmdBackfromReadme"));
    // The box takes the focus: a screen reader announces it by this name.
    m_document->setAccessibleName(tr("Document"));
    printing::installDocumentPrintCommands(this, m_document);

    connect(m_document, &platform::RichTextBox::Change, this, &frmReadMeViewer::txtAirportHazards_Change);
    connect(m_back, &QPushButton::clicked, this, &frmReadMeViewer::cmdBackfromReadme_Click);
    for (const WebLink &link : webLinks) {
        const QString url = QString::fromUtf8(link.site) + QString::fromUtf8(link.path);
        connect(findChild<QPushButton *>(QLatin1String(link.button)), &QPushButton::clicked, this,
                [this, url] { OpenWebLink(url); });
    }
    // The hidden cmdURL and txtURL are kept as fields only: nothing opens a link through them.

    // The session manager asks programs to commit their data before it ends the session, and then
    // asks them to quit; either way a viewer that refused to close would hold up the logout.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &frmReadMeViewer::allowCloseForSessionEnd);
    QCoreApplication::instance()->installEventFilter(this);

    platform::centreOnScreen(this);
    blnStayOpen = true;
}

std::span<const platform::ControlRow> frmReadMeViewer::controlTable() {
    return controlRows;
}

void frmReadMeViewer::showDocument(documents::Document document, const QString &locator) {
    m_locator->setText(locator);
    documents::loadDocument(*m_document, document);
    m_back->setFocus();
    m_document->SetFocus();
    m_document->setSelStart(0);
    m_document->setSelLength(0);
    m_document->SetFocus();
    m_back->setFocus();
}

void frmReadMeViewer::allowCloseForSessionEnd() {
    blnStayOpen = false;
}

bool frmReadMeViewer::eventFilter(QObject *watched, QEvent *event) {
    // The program never quits by itself: a quit request comes from the platform, which is ending
    // the session (the session manager's last word to a program).
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        allowCloseForSessionEnd();
    }
    return QWidget::eventFilter(watched, event);
}

void frmReadMeViewer::closeEvent(QCloseEvent *event) {
    if (blnStayOpen) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmReadMeViewer::cmdBackfromReadme_Click() {
    blnStayOpen = false;
    // Only the calculator's own keyword returns to it; any other keyword, the empty one
    // included, names no window of this program and Back only closes the viewer.
    if (m_locator->text() == QStringView(returnToCalculator)) {
        platform::WindowRegistry::handOver(this, platform::WindowKind::Calculator);
    } else {
        close();
    }
}

void frmReadMeViewer::txtAirportHazards_Change() {
    m_document->setSelStart(0);
    m_document->setSelLength(static_cast<int>(m_document->Text().size()));
    m_document->setSelIndent(100);
    m_document->setSelRightIndent(100);
}

void frmReadMeViewer::OpenWebLink(const QString &url) {
    platform::openWebLink(QUrl(url));
}

} // namespace sweltra::viewer
