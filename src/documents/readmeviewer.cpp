#include "documents/readmeviewer.h"

#include "documents/documentprinting.h"
#include "platform/fonts.h"
#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/shell.h"
#include "platform/twips.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace sweltra::documents {
namespace {

using platform::Face;
using platform::TwipsBox;

enum class Kind { RichText, Button, TextField, Label };
// Window: the window's own font. Document: the box's text takes the document's fonts.
enum class FontRole { Window, Document, SmallField, LinkButton };

struct ControlRow {
    const char *name;
    Kind kind;
    const char *caption;
    TwipsBox box;
    FontRole font;
    bool hidden;
};

// Every control in tab order, with its place and size in twips as the window was drawn.
constexpr ControlRow controlTable[] = {
    {"txtAirportHazards", Kind::RichText, "", {240, 240, 8895, 5055}, FontRole::Document, false},
    {"cmdBackfromReadme", Kind::Button, "Back", {7920, 5423, 1215, 375}, FontRole::Window, false},
    {"txtLocator", Kind::TextField, "", {0, 4440, 255, 345}, FontRole::Window, true},
    {"txtURL", Kind::TextField, "", {0, 3480, 255, 210}, FontRole::SmallField, true},
    {"cmdURL", Kind::Button, "Go to Web LInk", {0, 2400, 255, 420}, FontRole::Window, true},
    {"cmd_Rudev", Kind::Button, "Rudev", {1680, 5423, 975, 375}, FontRole::LinkButton, false},
    {"lbl_Go_To", Kind::Label, "Web Links:", {240, 5442, 1335, 375}, FontRole::Window, false},
    {"cmd_SMA_SA", Kind::Button, "SMA (SA)", {2800, 5423, 1935, 375}, FontRole::LinkButton, false},
    {"cmd_BOM", Kind::Button, "Bureau of Meteorology", {4880, 5423, 2895, 375}, FontRole::LinkButton, false},
};

constexpr int clientWidth = 9375;
constexpr int clientHeight = 5925;

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

QWidget *makeControl(const ControlRow &row, QWidget *window) {
    const QString caption = QString::fromUtf8(row.caption);
    QWidget *control = nullptr;
    switch (row.kind) {
    case Kind::RichText:
        control = new platform::RichTextBox(window);
        break;
    case Kind::Button: {
        auto *button = new QPushButton(caption, window);
        // Enter presses the focused button, as the keyboard user expects of every button here.
        button->setAutoDefault(true);
        control = button;
        break;
    }
    case Kind::TextField:
        control = new QLineEdit(caption, window);
        break;
    case Kind::Label: {
        auto *label = new QLabel(caption, window);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control = label;
        break;
    }
    }
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(platform::toPixels(row.box));
    switch (row.font) {
    case FontRole::Window:
    case FontRole::Document:
        break;
    case FontRole::SmallField:
        control->setFont(platform::designFont(Face::MsSansSerif, 8.25, true));
        break;
    case FontRole::LinkButton:
        control->setFont(platform::designFont(Face::Verdana, 9.75, true));
        break;
    }
    if (row.hidden) {
        control->hide();
    }
    return control;
}

} // namespace

frmReadMeViewer::frmReadMeViewer(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmReadMeViewer"));
    setWindowTitle(QStringLiteral("Readme Viewer"));
    setWindowIcon(resources::windowIcon());
    setFont(platform::designFont(Face::MsSansSerif, 12, true));
    platform::setClientSize(this, clientWidth, clientHeight, false);

    QWidget *previous = nullptr;
    for (const ControlRow &row : controlTable) {
        QWidget *control = makeControl(row, this);
        if (previous) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
    txtLocator = platform::control<QLineEdit>(this, "txtLocator");
    txtAirportHazards = platform::control<platform::RichTextBox>(this, "txtAirportHazards");
    // The box takes the focus: a screen reader announces it by this name.
    txtAirportHazards->setAccessibleName(tr("Document"));
    installDocumentPrintCommands(this, txtAirportHazards);

    connect(txtAirportHazards, &platform::RichTextBox::Change, this,
            &frmReadMeViewer::txtAirportHazards_Change);
    connect(platform::control<QPushButton>(this, "cmdBackfromReadme"), &QPushButton::clicked, this,
            &frmReadMeViewer::cmdBackfromReadme_Click);
    for (const WebLink &link : webLinks) {
        const QString url = QString::fromUtf8(link.site) + QString::fromUtf8(link.path);
        connect(platform::control<QPushButton>(this, link.button), &QPushButton::clicked, this,
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
    if (txtLocator->text() == QStringView(returnToCalculator)) {
        platform::WindowRegistry::handOver(this, platform::WindowKind::Calculator);
    } else {
        close();
    }
}

void frmReadMeViewer::txtAirportHazards_Change() {
    txtAirportHazards->setSelStart(0);
    txtAirportHazards->setSelLength(static_cast<int>(txtAirportHazards->Text().size()));
    txtAirportHazards->setSelIndent(100);
    txtAirportHazards->setSelRightIndent(100);
}

void frmReadMeViewer::OpenWebLink(const QString &url) {
    platform::openWebLink(QUrl(url));
}

} // namespace sweltra::documents
