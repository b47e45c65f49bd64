#pragma once

#include "platform/controltable.h"

#include <QWidget>

#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;

namespace sweltra::risk {
struct RiskFactor;
struct Choices;
} // namespace sweltra::risk
namespace sweltra::platform {
class RichTextBox;
}
namespace sweltra::printing {
struct FactorChoice;
}
namespace sweltra::documents {
enum class Document;
}

namespace sweltra::calculator {

// The calculator window `frm_Sweltra`: twelve factor lists whose picks fill points boxes, the
// total, the recommendation document and the commands. All of its state lives in its controls.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget *parent = nullptr);

    // Every control of the window as designed, factor by factor and then the rest.
    static std::span<const platform::ControlRow> controlTable();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void cmd_Calculate_Click();
    void cmd_Reset_Click();
    void cmd_asterisk_Click();
    void cmd_SMA_Guidelines_Click();
    void cmd_Back_to_Directory_Click();

private:
    // The controls of one factor of the catalogue; `points` is null for the factor without points.
    struct FactorControls {
        const risk::RiskFactor *factor;
        QLabel *caption;
        QComboBox *list;
        QLineEdit *points;
    };

    void setUpList(QComboBox *list);
    void bindFactors();
    void wireCommands();

    std::vector<FactorControls> inResetOrder() const;
    const FactorControls *factorOwning(const QObject *watched) const;

    // The pick handler of every scored list (`cbo_Age_Click` and its kin): the picked entry's
    // points go into the factor's points box.
    void pick(const FactorControls &controls);
    // The key filter of every list (`cbo_Age_KeyPress` and its kin): receives the typed
    // character's code and may change it; 0 discards it.
    static void keyPress(char16_t &keyAscii);
    bool filterListKey(const FactorControls &controls, QEvent *event);
    void showInViewer(documents::Document document);
    // Ctrl+E and the temperature lists' context menus: the WBGT entry estimated from the weather,
    // picked as a click picks it. Unavailable while the WBGT list is.
    void installWbgtEstimate();
    void estimateWbgt();
    void updateWbgtEstimateCommand();
    const FactorControls &wbgtControls() const;
    // What "Calculate Total:" and the record judge: each list's chosen entry and each points box's text.
    risk::Choices choices() const;

    std::vector<FactorControls> m_factors;
    QAction *m_estimateWbgt = nullptr;
    // Where the WBGT entry came from, while it came from an estimate: the air temperature in °C
    // and the humidity in %.
    std::optional<std::pair<double, double>> m_wbgtEstimatedFrom;
    QLineEdit *m_total = nullptr;
    platform::RichTextBox *m_guidelines = nullptr;
};

} // namespace sweltra::calculator
