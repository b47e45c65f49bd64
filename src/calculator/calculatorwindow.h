#pragma once

#include "calculator/assessmentrecord.h"

#include <QWidget>

#include <string_view>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sweltra::risk {
struct RiskFactor;
}
namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::calculator {

// The calculator window `frm_Sweltra`: twelve factor lists whose picks fill points boxes, the
// total, the recommendation document and the commands. All of its state lives in its controls.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget *parent = nullptr);

    // Pick handlers: the picked entry's points go into the factor's points box.
    void cbo_WBGT_Click();
    void cbo_Dry_Bulb_Click();
    void cbo_Duration_Click();
    void cbo_Intensity_Click();
    void cbo_Acclimatization_Click();
    void cbo_Ability_Click();
    void cbo_Age_Click();
    void cbo_Drinks_Click();
    void cbo_Time_Click();
    void cbo_Surface_Click();
    void cbo_Venue_Click();
    void cbo_Medical_Click();

    // Key filters: receive the typed character's code and may change it; 0 discards it.
    void cbo_WBGT_KeyPress(char16_t &keyAscii);
    void cbo_Dry_Bulb_KeyPress(char16_t &keyAscii);
    void cbo_Duration_KeyPress(char16_t &keyAscii);
    void cbo_Intensity_KeyPress(char16_t &keyAscii);
    void cbo_Acclimatization_KeyPress(char16_t &keyAscii);
    void cbo_Ability_KeyPress(char16_t &keyAscii);
    void cbo_Age_KeyPress(char16_t &keyAscii);
    void cbo_Drinks_KeyPress(char16_t &keyAscii);
    void cbo_Time_KeyPress(char16_t &keyAscii);
    void cbo_Surface_KeyPress(char16_t &keyAscii);
    void cbo_Venue_KeyPress(char16_t &keyAscii);
    void cbo_Medical_KeyPress(char16_t &keyAscii);
    void cbo_Other_KeyPress(char16_t &keyAscii);

    // Commands.
    void cmd_Calculate_Click();
    void cmd_Reset_Click();
    void cmd_asterisk_Click();
    void cmd_SMA_Guidelines_Click();
    void cmd_Back_to_Directory_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls of one factor of the catalogue; `points` is null for the factor without points.
    struct FactorControls {
        const risk::RiskFactor *factor;
        QLabel *caption;
        QComboBox *list;
        QLineEdit *points;
        void (CalculatorWindow::*click)();
        void (CalculatorWindow::*keyPress)(char16_t &);
    };

    void buildControls();
    void bindFactors();
    void wireControls();
    void orderTabs();

    const FactorControls &factorControls(std::string_view key) const;
    const FactorControls *factorOwning(const QObject *watched) const;
    QLineEdit *pointsBox(std::string_view key) const;
    void pickFactor(std::string_view key);
    static void discardCharacter(char16_t &keyAscii);
    bool filterListKey(const FactorControls &controls, QEvent *event);
    void showInViewer(std::string_view document);
    // What the record of the assessment is made from: each factor's chosen entry and points.
    std::vector<FactorChoice> assessmentChoices() const;

    std::vector<FactorControls> m_factors;
    QLineEdit *m_total = nullptr;
    platform::RichTextBox *m_guidelines = nullptr;
};

} // namespace sweltra::calculator
