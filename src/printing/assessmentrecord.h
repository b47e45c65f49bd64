#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTextDocument;
class QWidget;

namespace sweltra::risk {
struct RiskFactor;
}
namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::printing {

// What the calculator shows for one factor: the chosen entry (empty when none) and the text of its
// points box (empty for the factor without one).
struct FactorChoice {
    const risk::RiskFactor *factor = nullptr;
    QString entry;
    QString points;
};

// A record of an assessment, or the message that names the first factor still to be answered.
struct AssessmentRecord {
    QString message;
    std::unique_ptr<QTextDocument> document;
};

// The record of the choices, judged by the same verdict as "Calculate Total:": when and what was
// chosen with its points, the total and its band or the medical referral, and the recommendation
// document read afresh from its file.
AssessmentRecord buildAssessmentRecord(const std::vector<FactorChoice> &choices, const QDateTime &madeAt);

// The name the save dialog proposes: "Heat risk assessment 2026-12-06 14-30.pdf".
QString assessmentFileName(const QDateTime &madeAt);

// Ctrl+P prints and Ctrl+Shift+S saves the record of the window's current choices; the guideline
// box's context menu offers both. A factor still to be answered is named in the message box instead.
void installAssessmentCommands(QWidget *window, platform::RichTextBox *guidelines,
                               std::function<std::vector<FactorChoice>()> choices);

} // namespace sweltra::printing
