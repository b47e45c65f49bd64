#include "calculator/wbgtdialog.h"

#include "platform/utf8.h"
#include "risk/catalogue.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <limits>

namespace sweltra::calculator {

using platform::qs;

double typedNumber(const QString &text) {
    for (QLocale locale : {QLocale(), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(text.trimmed(), &ok);
        if (ok) {
            return value;
        }
    }
    return std::numeric_limits<double>::quiet_NaN();
}

WbgtDialog::WbgtDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlg_WBGT_Estimate"));
    setWindowTitle(tr("Estimate WBGT"));
    auto *grid = new QGridLayout(this);
    const auto field = [this, grid](int row, const QString &caption, QLineEdit *&edit, QLabel *&problem) {
        auto *label = new QLabel(caption, this);
        edit = new QLineEdit(this);
        edit->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        edit->setMaxLength(12);
        label->setBuddy(edit);
        problem = new QLabel(this);
        QPalette warning = problem->palette();
        warning.setColor(QPalette::WindowText, QColor(128, 0, 0));
        problem->setPalette(warning);
        problem->setMinimumWidth(problem->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(problem, row, 2);
        connect(edit, &QLineEdit::textChanged, this, &WbgtDialog::update);
    };
    field(0, tr("&Air temperature (\u00B0C)"), m_airTemperature, m_airTemperatureProblem);
    field(1, tr("Relative &humidity (%)"), m_humidity, m_humidityProblem);

    m_result = new QLabel(this);
    m_result->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    grid->addWidget(m_result, 2, 0, 1, 3);
    auto *caveat =
        new QLabel(tr("The Bureau of Meteorology's approximation assumes fairly strong sun and light "
                      "wind, so it reads high in cloud, in wind and at night: a measured WBGT is "
                      "better."),
                   this);
    caveat->setWordWrap(true);
    grid->addWidget(caveat, 3, 0, 1, 3);

    auto *buttons = new QDialogButtonBox(this);
    m_use = buttons->addButton(tr("&Use this"), QDialogButtonBox::AcceptRole);
    m_use->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 4, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    update();
}

std::optional<risk::Weather> WbgtDialog::weather() const {
    if (!estimate()) {
        return std::nullopt;
    }
    return risk::Weather{typedNumber(m_airTemperature->text()), typedNumber(m_humidity->text())};
}

std::optional<risk::WbgtEstimate> WbgtDialog::estimate() const {
    const auto outcome =
        risk::estimateWbgt({typedNumber(m_airTemperature->text()), typedNumber(m_humidity->text())});
    const auto *estimate = std::get_if<risk::WbgtEstimate>(&outcome);
    return estimate ? std::optional(*estimate) : std::nullopt;
}

void WbgtDialog::update() {
    using Input = risk::WeatherRefusal::Input;
    const risk::Weather weather{typedNumber(m_airTemperature->text()), typedNumber(m_humidity->text())};
    // An empty field is still to be filled in, not wrong; the other field is judged on its own.
    const auto problem = [](const QLineEdit *edit, const risk::Weather &alone, Input input) {
        const auto outcome = risk::estimateWbgt(alone);
        const auto *refusal = std::get_if<risk::WeatherRefusal>(&outcome);
        return edit->text().trimmed().isEmpty() || !refusal || refusal->input != input ? QString()
                                                                                       : qs(refusal->reason);
    };
    m_airTemperatureProblem->setText(
        problem(m_airTemperature, {weather.airTemperature, 50}, Input::AirTemperature));
    m_humidityProblem->setText(problem(m_humidity, {20, weather.humidity}, Input::Humidity));
    m_airTemperatureProblem->setAccessibleName(m_airTemperatureProblem->text());
    m_humidityProblem->setAccessibleName(m_humidityProblem->text());
    m_airTemperature->setAccessibleDescription(m_airTemperatureProblem->text());
    m_humidity->setAccessibleDescription(m_humidityProblem->text());

    const std::optional<risk::WbgtEstimate> found = estimate();
    m_use->setEnabled(found.has_value());
    if (!found) {
        m_result->setText(tr("Type both values, within range, to see the estimate."));
        return;
    }
    const risk::FactorOption &option = risk::wbgtFactor().options[found->option];
    m_result->setText(tr("Estimated WBGT: %1 \u00B0C, which falls in \u201c%2\u201d.")
                          .arg(QLocale().toString(found->wbgt, 'f', 1), qs(option.text)));
}

} // namespace sweltra::calculator
