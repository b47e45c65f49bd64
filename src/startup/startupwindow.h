#pragma once

#include <QWidget>

class QPushButton;

namespace sweltra::startup {

// The window the program starts on: the user accepts the conditions of use, declines them
// (which ends the program) or reads them in the About window.
class StartupWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartupWindow(QWidget *parent = nullptr);

protected:
    // Key preview: the window sees each key press before the control that has the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdAccept_Click();
    void cmdDecline_Click();
    void cmdDisclaimer_Click();
    void Form_KeyPress(QChar key);
};

} // namespace sweltra::startup
