#include "startup/startupwindow.h"

#include "documents/documentstore.h"
#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "startup/controltable.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sweltra::startup {
namespace {

using platform::Face;

constexpr int clientWidth = 9405;
constexpr int clientHeight = 6240;
constexpr platform::TwipsBox panelBox{360, 240, 8655, 5715};
const QColor background(192, 0, 0);

constexpr FontChoice windowFont{Face::MsSansSerif, 8.25, false};
constexpr FontChoice sloganFont{Face::ComicSansMs, 14.25, true};
constexpr FontChoice nameFont{Face::Arial, 26.25, true};
using enum ControlKind;
constexpr const char *emblem = resources::emblem90Path;

// Every control lies on the panel; boxes are relative to it. Buttons come in tab order.
// clang-format off
constexpr ControlRow controls[] = {
    {"cmdDisclaimer", Button, "Readme: Conditions of Use", {720, 4920, 2055, 495}, windowFont},
    {"cmdDecline", Button, "Decline Conditions of Use/Exit", {5520, 4920, 2490, 495}, windowFont},
    {"cmdAccept", Button, "Accept Conditions of Use", {2925, 4920, 2415, 495}, windowFont},
    {"lblTerribleThing", Label, "(A Player Is A Terrible Thing To Melt)", {1732, 2640, 5430, 405}, sloganFont},
    {"lblVesk", Label, "Sweltra", {1560, 1920, 5775, 615}, nameFont},
    {"Image1", Picture, emblem, {120, 120, 1350, 1350}, windowFont},
    {"imgNoMelt2", Picture, emblem, {7200, 120, 1350, 1350}, windowFont},
    {"imgNoMelt3", Picture, emblem, {120, 3255, 1350, 1350}, windowFont},
    {"imgNomelt4", Picture, emblem, {7200, 3240, 1350, 1350}, windowFont},
};
// clang-format on

// White faces that still show clearly which button has the focus and which is held down.
const char *const buttonStyle = R"(
QPushButton { background-color: white; color: black; border: 1px solid #8a8a8a; border-radius: 3px; }
QPushButton:hover { background-color: #f3f3f3; }
QPushButton:focus { border: 1px solid #c00000; border-bottom: 3px solid #c00000; }
QPushButton:pressed { background-color: #dcdcdc; border-color: #600000; padding-top: 2px; }
)";

void fillWith(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The caption is sized to its text and stays centred where the design placed it, so a face
// wider or narrower than the designed one neither clips the text nor moves it off centre.
void fitToText(QLabel *label) {
    const QRect designed = label->geometry();
    const QSize text = label->sizeHint();
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(designed.x() + (designed.width() - text.width()) / 2,
                       designed.y() + (designed.height() - text.height()) / 2, text.width(), text.height());
}

} // namespace

StartupWindow::StartupWindow(QWidget *parent) : QWidget(parent) {
    makeFixedDialog(this, "frmVESKsplash", clientWidth, clientHeight);
    setWindowTitle(QString());
    setWindowIcon(resources::windowIcon());
    setFont(fontFor(windowFont));
    fillWith(this, background);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setGeometry(platform::toPixels(panelBox));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setStyleSheet(QString::fromLatin1(buttonStyle));
    fillWith(panel, Qt::white);

    QWidget *previousButton = nullptr;
    for (const ControlRow &row : controls) {
        QWidget *control = addControl(panel, row);
        if (row.kind == Label) {
            auto *label = static_cast<QLabel *>(control);
            fillWith(label, Qt::white);
            fitToText(label);
        }
        if (row.kind == Button) {
            if (previousButton) {
                setTabOrder(previousButton, control);
            }
            previousButton = control;
        }
    }

    auto *readme = platform::control<QPushButton>(this, "cmdDisclaimer");
    connect(readme, &QPushButton::clicked, this, &StartupWindow::cmdDisclaimer_Click);
    connect(platform::control<QPushButton>(this, "cmdDecline"), &QPushButton::clicked, this,
            &StartupWindow::cmdDecline_Click);
    connect(platform::control<QPushButton>(this, "cmdAccept"), &QPushButton::clicked, this,
            &StartupWindow::cmdAccept_Click);
    readme->setFocus();

    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>()) {
        child->installEventFilter(this);
    }
}

bool StartupWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the focused button, like the space bar; a held key presses it once.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && !key->isAutoRepeat()) {
            button->click();
        }
        return true;
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The focused button presses itself; Tab moves the focus.
        return false;
    default:
        break;
    }
    // Arrows, function keys and lone modifiers bring no character.
    if (key->text().isEmpty()) {
        return false;
    }
    if (!key->isAutoRepeat()) {
        Form_KeyPress(key->text().front());
    }
    return true;
}

void StartupWindow::cmdAccept_Click() {
    platform::WindowRegistry::handOver(this, platform::WindowKind::Calculator);
}

void StartupWindow::cmdDecline_Click() {
    // No other window is open, so this ends the program.
    close();
}

void StartupWindow::cmdDisclaimer_Click() {
    QWidget *about = platform::WindowRegistry::show(platform::WindowKind::About);
    auto *disclaimer = platform::control<platform::RichTextBox>(about, "txtDisclaimer");
    auto *back = platform::control<QPushButton>(about, "cmdOK");
    if (!disclaimer || !back) {
        // Closing without a window to go to would end the program.
        return;
    }
    documents::loadDocument(*disclaimer, documents::conditionsOfUse);
    disclaimer->SetFocus();
    back->setFocus();
    close();
}

void StartupWindow::Form_KeyPress(QChar) {
    cmdDecline_Click();
}

} // namespace sweltra::startup
