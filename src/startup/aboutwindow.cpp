#include "startup/aboutwindow.h"

#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "startup/controltable.h"
#include "sweltraconfig.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sweltra::startup {
namespace {

using platform::Face;

constexpr int clientWidth = 9405;
constexpr int clientHeight = 5955;
// Formatting applied to each newly loaded text: a margin either side, in twips.
constexpr int textMargin = 100;

constexpr FontChoice smallFont{Face::MsSansSerif, 8.25, false};
constexpr FontChoice textFont{Face::MsSansSerif, 9.75, false};
constexpr FontChoice windowFont{Face::MsSansSerif, 12, false};

using enum ControlKind;

// In tab order.
// clang-format off
constexpr ControlRow controls[] = {
    {"cmdOK", Button, "Back", {7800, 5400, 1260, 345}, smallFont},
    {"picNoMelt9", Picture, resources::emblem48Path, {240, 120, 780, 780}, smallFont},
    {"txtDisclaimer", RichText, "", {600, 1080, 7935, 4095}, textFont},
    {"Label1", Label, "", {1080, 715, 8085, 330}, smallFont},
    {"lblDescription", Label, "Copyright © 2026 Rudev. All rights reserved.", {1080, 437, 4005, 210},
     smallFont},
    {"lblTitle", Label, "Sweltra °C, Version " SWELTRA_VERSION, {1080, 130, 4125, 240}, smallFont},
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
    makeFixedDialog(this, "frmVeskAbout", clientWidth, clientHeight);
    setWindowTitle(QStringLiteral("About Sweltra °C"));
    setFont(fontFor(windowFont));

    QWidget *previous = nullptr;
    for (const ControlRow &row : controls) {
        QWidget *control = addControl(this, row);
        if (previous) {
            setTabOrder(previous, control);
        }
        previous = control;
    }

    auto *back = platform::control<QPushButton>(this, "cmdOK");
    back->setDefault(true);
    // A held Enter would otherwise go back and forth between this window and the start-up one.
    back->installEventFilter(this);
    connect(back, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);

    // The picture takes the focus in its turn, and shows when it has it.
    auto *picture = platform::control<QLabel>(this, "picNoMelt9");
    picture->setFocusPolicy(Qt::StrongFocus);
    picture->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted black; }"));
    // Both take the focus, so a screen reader must have something to say for them.
    picture->setAccessibleName(tr("Sweltra emblem"));
    platform::control<platform::RichTextBox>(this, "txtDisclaimer")
        ->setAccessibleName(tr("Conditions of use"));

    connect(platform::control<platform::RichTextBox>(this, "txtDisclaimer"), &platform::RichTextBox::Change,
            this, &AboutWindow::txtDisclaimer_Change);
}

void AboutWindow::keyPressEvent(QKeyEvent *event) {
    if (pressesBack(event)) {
        if (!event->isAutoRepeat()) {
            platform::control<QPushButton>(this, "cmdOK")->click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat() && pressesBack(key)) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::txtDisclaimer_Change() {
    auto *box = platform::control<platform::RichTextBox>(this, "txtDisclaimer");
    box->setSelStart(0);
    box->setSelLength(static_cast<int>(box->Text().size()));
    box->setSelIndent(textMargin);
    box->setSelRightIndent(textMargin);
    box->SetFocus();
    box->setSelStart(0);
    box->setSelLength(0);
}

void AboutWindow::cmdOK_Click() {
    platform::WindowRegistry::handOver(this, platform::WindowKind::Startup);
}

} // namespace sweltra::startup
