#pragma once

#include "risk/assessment.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class QTextDocument;
class QWidget;

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::printing {

// A record of an assessment, or the message that names the first factor still to be answered.
struct AssessmentRecord {
    QString message;
    std::unique_ptr<QTextDocument> document;
};

// The record of the choices, judged by the same verdict as "Calculate Total:": when and what was
// chosen with its points, the total and its band on a scale of the possible totals or the medical
// referral, what would lower the total, lines to fill in by hand, and the recommendation document
// read afresh from its file. The scale and the lines are text objects that the commands below draw.
AssessmentRecord buildAssessmentRecord(const risk::Choices &choices, const QDateTime &madeAt);

// The name the save dialog proposes: "Heat risk assessment 2026-12-06 14-30.pdf".
QString assessmentFileName(const QDateTime &madeAt);

// Ctrl+P prints and Ctrl+Shift+S saves the record of the window's current choices; the guideline
// box's context menu offers both. A factor still to be answered is named in the message box instead.
void installAssessmentCommands(QWidget *window, platform::RichTextBox *guidelines,
                               std::function<risk::Choices()> choices);

} // namespace sweltra::printing
