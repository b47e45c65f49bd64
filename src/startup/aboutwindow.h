#pragma once

#include "platform/controltable.h"

#include <QWidget>

#include <span>

class QPushButton;

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::startup {

// Title, version and copyright, and the conditions of use to read; Back returns to a fresh
// start-up window.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

    // The hand-off from the start-up window, which has just shown this one: the conditions of
    // use are loaded and shown from their start, and the focus is left on Back.
    void showConditionsOfUse();

    // Every control of the window as designed, in tab order.
    static std::span<const platform::ControlRow> controlTable();

protected:
    // Back is the default and the cancel button: Enter and Esc that no control takes press it.
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void txtDisclaimer_Change();
    void cmdOK_Click();

private:
    QPushButton *m_back = nullptr;
    platform::RichTextBox *m_disclaimer = nullptr;
};

} // namespace sweltra::startup
