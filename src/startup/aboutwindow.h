#pragma once

#include <QWidget>

namespace sweltra::startup {

// Title, version and copyright, and the conditions of use to read; Back returns to a fresh
// start-up window.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

protected:
    // Back is the default and the cancel button: Enter and Esc that no control takes press it.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtDisclaimer_Change();
    void cmdOK_Click();
};

} // namespace sweltra::startup
