#include "startup/aboutwindow.h"

#include "documents/documentstore.h"
#include "platform/controltable.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "sweltraconfig.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sweltra::startup {
namespace {

using namespace platform::layout;

constexpr int clientWidth = 9405;
constexpr int clientHeight = 5955;
// Formatting applied to each newly loaded text: a margin either side, in twips.
constexpr int textMargin = 100;

constexpr DesignFont smallFont{Face::MsSansSerif, 8.25, false};
constexpr DesignFont textFont{Face::MsSansSerif, 9.75, false};
constexpr DesignFont windowFont{Face::MsSansSerif, 12, false};

// clang-format off
constexpr platform::ControlRow controlRows[] = {
    {"cmdOK", K::Button, "Back", {7800, 5400, 1260, 345}, 0, smallFont},
    {"picNoMelt9", K::Picture, resources::emblem48Path, {240, 120, 780, 780}, 1, smallFont},
    {"txtDisclaimer", K::RichText, "", {600, 1080, 7935, 4095}, 2, textFont},
    {"Label1", K::Label, "", {1080, 715, 8085, 330}, 3, smallFont, {}, L::Black},
    {"lblDescription", K::Label, SWELTRA_COPYRIGHT, {1080, 437, 4005, 210}, 4, smallFont, {}, L::Black},
    {"lblTitle", K::Label, SWELTRA_PRODUCT_NAME ", Version " SWELTRA_VERSION, {1080, 130, 4125, 240}, 5, smallFont, {}, L::Black},
};
// clang-format on

bool pressesBack(const QKeyEvent *key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : QWidget(parent) {
    platform::makeFixedDialog(this, "frmVeskAbout", clientWidth, clientHeight);
    setWindowTitle(QStringLiteral("About Sweltra °C"));
    platform::setWindowFont(this, windowFont);
    platform::buildControls(this, controlRows, {}, resources::bitmap);

    m_back = findChild<QPushButton *>(QStringLiteral("cmdOK"));
    m_back->setDefault(true);
    connect(m_back, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);

    // The picture takes the focus in its turn, and shows when it has it.
    auto *picture = findChild<QLabel *>(QStringLiteral("picNoMelt9"));
    picture->setFocusPolicy(Qt::StrongFocus);
    picture->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted black; }"));
    // Both take the focus, so a screen reader must have something to say for them.
    picture->setAccessibleName(tr("Sweltra emblem"));
    m_disclaimer = findChild<platform::RichTextBox *>(QStringLiteral("txtDisclaimer"));
    m_disclaimer->setAccessibleName(tr("Conditions of use"));
    connect(m_disclaimer, &platform::RichTextBox::Change, this, &AboutWindow::txtDisclaimer_Change);
}

std::span<const platform::ControlRow> AboutWindow::controlTable() {
    return controlRows;
}

void AboutWindow::showConditionsOfUse() {
    documents::loadDocument(*m_disclaimer, documents::Document::ConditionsOfUse);
    m_disclaimer->SetFocus();
    m_back->setFocus();
}

void AboutWindow::keyPressEvent(QKeyEvent *event) {
    if (pressesBack(event)) {
        if (!event->isAutoRepeat()) {
            m_back->click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void AboutWindow::txtDisclaimer_Change() {
    m_disclaimer->setSelStart(0);
    m_disclaimer->setSelLength(static_cast<int>(m_disclaimer->Text().size()));
    m_disclaimer->setSelIndent(textMargin);
    m_disclaimer->setSelRightIndent(textMargin);
    m_disclaimer->SetFocus();
    m_disclaimer->setSelStart(0);
    m_disclaimer->setSelLength(0);
}

void AboutWindow::cmdOK_Click() {
    platform::WindowRegistry::handOver(this, platform::WindowKind::Startup);
}

} // namespace sweltra::startup
