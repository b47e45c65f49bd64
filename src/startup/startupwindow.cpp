#include "startup/startupwindow.h"

#include "platform/controltable.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "startup/aboutwindow.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace sweltra::startup {
namespace {

using namespace platform::layout;

// The white panel `Frame1` that holds every control; their boxes are relative to it.
constexpr platform::TwipsBox panelBox{360, 240, 8655, 5715};
const QColor background(192, 0, 0);

constexpr DesignFont windowFont{Face::MsSansSerif, 8.25, false};
constexpr DesignFont sloganFont{Face::ComicSansMs, 14.25, true};
constexpr DesignFont nameFont{Face::Arial, 26.25, true};
constexpr std::string_view emblem = resources::emblem90Path;

// clang-format off
constexpr platform::ControlRow controlRows[] = {
    {"cmdDisclaimer", K::Button, "Readme: Conditions of Use", {720, 4920, 2055, 495}, 1, windowFont},
    {"cmdDecline", K::Button, "Decline Conditions of Use/Exit", {5520, 4920, 2490, 495}, 2, windowFont},
    {"cmdAccept", K::Button, "Accept Conditions of Use", {2925, 4920, 2415, 495}, 3, windowFont},
    {"lblTerribleThing", K::Label, "(A Player Is A Terrible Thing To Melt)", {1732, 2640, 5430, 405}, 4, sloganFont, {}, L::Black},
    {"lblVesk", K::Label, "Sweltra", {1560, 1920, 5775, 615}, 5, nameFont, {}, L::Black},
    {"Image1", K::Picture, emblem, {120, 120, 1350, 1350}, -1, windowFont},
    {"imgNoMelt2", K::Picture, emblem, {7200, 120, 1350, 1350}, -1, windowFont},
    {"imgNoMelt3", K::Picture, emblem, {120, 3255, 1350, 1350}, -1, windowFont},
    {"imgNomelt4", K::Picture, emblem, {7200, 3240, 1350, 1350}, -1, windowFont},
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
    platform::makeFixedDialog(this, "frmVESKsplash", clientWidth, clientHeight);
    setWindowTitle(QString());
    platform::setWindowFont(this, windowFont);
    fillWith(this, background);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setGeometry(platform::toPixels(panelBox));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setStyleSheet(QString::fromLatin1(buttonStyle));
    fillWith(panel, Qt::white);

    platform::buildControls(
        panel, controlRows,
        [](const platform::ControlRow &row, QWidget *control) {
            if (row.kind == K::Label) {
                fillWith(control, Qt::white);
                fitToText(static_cast<QLabel *>(control));
            }
        },
        resources::bitmap);

    auto *readme = findChild<QPushButton *>(QStringLiteral("cmdDisclaimer"));
    connect(readme, &QPushButton::clicked, this, &StartupWindow::cmdDisclaimer_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdDecline")), &QPushButton::clicked, this,
            &StartupWindow::cmdDecline_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdAccept")), &QPushButton::clicked, this,
            &StartupWindow::cmdAccept_Click);
    readme->setFocus();

    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>()) {
        child->installEventFilter(this);
    }
}

std::span<const platform::ControlRow> StartupWindow::controlTable() {
    return controlRows;
}

bool StartupWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
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
    // Closing without a window to go to would end the program.
    if (auto *about = platform::WindowRegistry::show<AboutWindow>(platform::WindowKind::About)) {
        about->showConditionsOfUse();
        close();
    }
}

void StartupWindow::Form_KeyPress(QChar) {
    cmdDecline_Click();
}

} // namespace sweltra::startup
