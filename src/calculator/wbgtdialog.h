#pragma once

#include "risk/wbgt.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sweltra::calculator {

// Asks for the air temperature and the humidity and shows, as they are typed, the estimated WBGT,
// the entry of the WBGT list it falls in and what the estimate assumes. "Use this" is available
// only while both inputs are good; each bad one says why beside its field.
class WbgtDialog : public QDialog {
    Q_OBJECT
public:
    explicit WbgtDialog(QWidget *parent = nullptr);

    // The weather as typed and its estimate; nothing while an input is missing or refused.
    std::optional<risk::Weather> weather() const;
    std::optional<risk::WbgtEstimate> estimate() const;

private:
    void update();

    QLineEdit *m_airTemperature = nullptr;
    QLineEdit *m_humidity = nullptr;
    QLabel *m_airTemperatureProblem = nullptr;
    QLabel *m_humidityProblem = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_use = nullptr;
};

// A number as the user types it: in the locale's form or with '.' as decimal point, without
// group separators; NaN for anything else, which the estimate refuses as not a number.
double typedNumber(const QString &text);

} // namespace sweltra::calculator
