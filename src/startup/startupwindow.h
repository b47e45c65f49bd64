#pragma once

#include "platform/controltable.h"

#include <QWidget>

#include <span>

namespace sweltra::startup {

// The window the program starts on: the user accepts the conditions of use, declines them
// (which ends the program) or reads them in the About window.
class StartupWindow : public QWidget {
    Q_OBJECT
public:
    // The client area as designed, in twips; the benchmarks' yardstick windows take this size.
    static constexpr int clientWidth = 9405;
    static constexpr int clientHeight = 6240;

    explicit StartupWindow(QWidget *parent = nullptr);

    // Every control of the window as designed; their boxes are relative to the panel `Frame1`.
    static std::span<const platform::ControlRow> controlTable();

protected:
    // Key preview: the window sees each key press before the control that has the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void cmdAccept_Click();
    void cmdDecline_Click();
    void cmdDisclaimer_Click();

private:
    void Form_KeyPress(QChar key);
};

} // namespace sweltra::startup
