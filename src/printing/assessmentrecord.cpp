#include "printing/assessmentrecord.h"

#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/printing.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"
#include "printing/printout.h"
#include "printing/recordcolours.h"
#include "printing/recordobjects.h"
#include "risk/lowering.h"
#include "risk/wbgt.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace sweltra::printing {
namespace {

using platform::qs;

QString text(const char *source) {
    return QCoreApplication::translate("AssessmentRecord", source);
}

const QString recordTitle = QStringLiteral("Heat risk assessment");

// A band as the guidelines name it: "Risk score 55 and below", "Risk score 56-65".
QString bandLine(risk::Band band) {
    const risk::BandRange range = risk::bandRange(band);
    if (!range.lowest) {
        return text("Risk score %1 and below").arg(*range.highest);
    }
    if (!range.highest) {
        return text("Risk score %1 and above").arg(*range.lowest);
    }
    return text("Risk score %1-%2").arg(*range.lowest).arg(*range.highest);
}

// A factor's caption on paper: without the asterisk that points to the window's "*" button, and
// the alternative temperature scale under the number of the factor it answers.
QString recordCaption(const risk::RiskFactor &factor) {
    return qs(risk::factorNumber(factor)) + QStringLiteral(". ") + qs(risk::factorName(factor));
}

QTextCharFormat charFormat(qreal points, bool bold, const QColor &colour = QColor::fromRgb(ink)) {
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setForeground(colour);
    return format;
}

void addParagraph(QTextCursor &cursor, const QString &line, const QTextCharFormat &format, qreal spaceAbove,
                  qreal spaceBelow = 0) {
    QTextBlockFormat block;
    block.setTopMargin(spaceAbove);
    block.setBottomMargin(spaceBelow);
    cursor.insertBlock(block, format);
    cursor.insertText(line, format);
}

// Whole degrees and percent as they were typed, to a tenth at most.
QString weatherNumber(double value) {
    return QLocale(QLocale::English).toString(std::round(value * 10) / 10, 'g', 6);
}

void writeChoices(QTextCursor &cursor, const risk::Choices &choices) {
    struct Row {
        const risk::RiskFactor *factor;
        QString points;
    };
    std::vector<Row> rows;
    for (const risk::RiskFactor &factor : risk::factors()) {
        const QString points = qs(choices.points[factor]);
        // The temperature scale that was not used has no points and no row.
        if (!factor.scored || !points.isEmpty()) {
            rows.push_back({&factor, points});
        }
    }
    QTextTableFormat table;
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 47),
                                     QTextLength(QTextLength::PercentageLength, 41),
                                     QTextLength(QTextLength::PercentageLength, 12)});
    // Shaded bands instead of ruled lines: hairlines vanish on some printers.
    table.setBorder(0);
    table.setCellPadding(2);
    table.setCellSpacing(0);
    table.setHeaderRowCount(1);
    table.setTopMargin(10);
    QTextTable *grid = cursor.insertTable(static_cast<int>(rows.size()) + 1, 3, table);

    const QTextCharFormat plain = charFormat(10, false);
    const QTextCharFormat header = charFormat(10, true);
    QTextCharFormat missing = charFormat(10, false, QColor(100, 100, 100));
    missing.setFontItalic(true);
    const auto write = [grid](int row, int column, const QString &cell, const QTextCharFormat &format) {
        QTextTableCell target = grid->cellAt(row, column);
        if (row == 0 || row % 2 == 0) {
            QTextCharFormat shade = target.format();
            shade.setBackground(row == 0 ? QColor(222, 222, 222) : QColor(244, 244, 244));
            target.setFormat(shade);
        }
        QTextCursor in = target.firstCursorPosition();
        QTextBlockFormat block = in.blockFormat();
        block.setAlignment(column == 2 ? Qt::AlignCenter : Qt::AlignLeft);
        in.setBlockFormat(block);
        in.insertText(cell, format);
    };
    write(0, 0, text("Factor"), header);
    write(0, 1, text("Chosen"), header);
    write(0, 2, text("Points"), header);
    int row = 1;
    for (const Row &choice : rows) {
        write(row, 0, recordCaption(*choice.factor), plain);
        const std::optional<std::size_t> chosen = choices.assessment[*choice.factor];
        write(row, 1, chosen ? qs(choice.factor->options[*chosen].text) : text("none chosen"),
              chosen ? plain : missing);
        if (const auto &weather = choices.wbgtEstimatedFrom;
            weather && chosen && choice.factor == &risk::wbgtFactor()) {
            QTextCursor in = grid->cellAt(row, 1).lastCursorPosition();
            QTextCharFormat note = charFormat(8.5, false, QColor(80, 80, 80));
            note.setFontItalic(true);
            in.insertBlock();
            in.insertText(text("estimated from %1 \u00B0C and %2% relative humidity (Bureau of Meteorology "
                               "approximation: assumes sun and light wind)")
                              .arg(weatherNumber(weather->airTemperature), weatherNumber(weather->humidity)),
                          note);
        }
        const bool scored = choice.factor->scored;
        write(row, 2, scored ? choice.points : text("no points"), scored ? plain : missing);
        ++row;
    }
    cursor = grid->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}

void writeVerdict(QTextCursor &cursor, const risk::RiskOutcome &outcome) {
    const QTextCharFormat strong = charFormat(13, true);
    if (outcome.kind == risk::RiskOutcome::Kind::MedicalReferral) {
        addParagraph(cursor, text("Medical referral"), strong, 10);
        addParagraph(cursor,
                     text("A serious medical condition was chosen, so no risk score applies: the advice on "
                          "medical conditions below takes its place."),
                     charFormat(10, false), 4);
        return;
    }
    addParagraph(cursor, text("Total: %1 risk points").arg(qs(risk::totalText(outcome.total))), strong, 10);
    addParagraph(cursor, outcome.band ? bandLine(*outcome.band) : text("No risk score band for this total"),
                 strong, 4);
    if (outcome.band) {
        addParagraph(cursor, QString(), charFormat(8.5, false), 6);
        insertScale(cursor, outcome.total, charFormat(8.5, false));
    }
}

// The changes an organiser can still make on the day, most points saved first, and all of them
// together; nothing for a referral.
void writeLowering(QTextCursor &cursor, const risk::Assessment &assessment) {
    const std::optional<risk::Lowering> lowering = risk::whatWouldLower(assessment);
    if (!lowering) {
        return;
    }
    addParagraph(cursor, text("What would lower the risk"), charFormat(12, true), 10, 2);
    const QTextCharFormat plain = charFormat(10, false);
    if (lowering->changes.empty()) {
        addParagraph(cursor, text("Nothing that can still be changed on the day would lower this total."),
                     plain, 2);
        return;
    }
    for (const risk::Change &change : lowering->changes) {
        addParagraph(cursor, qs(risk::changeLine(change)), plain, 1);
    }
    addParagraph(cursor,
                 text("All of these together: total %1 (%2)")
                     .arg(qs(risk::totalText(lowering->total)), qs(risk::bandName(lowering->band))),
                 charFormat(10, true), 4);
    const bool newTime = std::ranges::any_of(lowering->changes, [](const risk::Change &change) {
        return change.factor->role == risk::Role::TimeOfDay;
    });
    if (newTime) {
        QTextCharFormat note = charFormat(9, false, QColor(80, 80, 80));
        note.setFontItalic(true);
        addParagraph(cursor,
                     text("These totals keep the temperature entered. Another time of day usually brings "
                          "another temperature: check it for the new time."),
                     note, 3);
    }
}

// The recommendation as the guideline box shows it, read afresh: a file that cannot be read
// shows the box's notice in its place.
void writeRecommendation(QTextCursor &cursor, QTextDocument &record, documents::Document document) {
    addParagraph(cursor, text("Recommendation"), charFormat(12, true), 12, 3);
    platform::RichTextBox box;
    documents::loadDocument(box, document);
    const QTextDocument &source = *box.document();
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertFragment(QTextDocumentFragment(&source));
    // Pictures travel as resources of their document.
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QUrl url(format.toImageFormat().name());
                record.addResource(QTextDocument::ImageResource, url,
                                   source.resource(QTextDocument::ImageResource, url));
            }
        }
    }
}

} // namespace

AssessmentRecord buildAssessmentRecord(const risk::Choices &choices, const QDateTime &madeAt) {
    const risk::RiskOutcome outcome = risk::calculateRisk(choices.points);
    if (outcome.kind == risk::RiskOutcome::Kind::Incomplete) {
        return {qs(outcome.message), nullptr};
    }
    auto record = std::make_unique<QTextDocument>();
    QFont base(platform::familyName(platform::Face::Arial));
    base.setPointSizeF(10);
    record->setDefaultFont(base);
    record->setDocumentMargin(0);
    record->setMetaInformation(QTextDocument::DocumentTitle, recordTitle);

    QTextCursor cursor(record.get());
    const QTextCharFormat title = charFormat(20, true);
    cursor.setCharFormat(title);
    cursor.insertText(recordTitle, title);
    // Written out in full, so that no reader mistakes the day for the month.
    const QString when =
        QLocale(QLocale::English).toString(madeAt, QStringLiteral("dddd d MMMM yyyy, h:mm ap"));
    const QTextCharFormat quiet = charFormat(10, false, QColor(80, 80, 80));
    addParagraph(cursor, text("Made on %1").arg(when), quiet, 4);
    addParagraph(
        cursor,
        text("By the hot-weather guidelines of Sports Medicine Australia (SA Branch), non-desert version"),
        quiet, 2);
    addParagraph(cursor, QString(), quiet, 0);
    insertLinesToFill(cursor, {text("Event"), text("Place")}, charFormat(10, false));

    writeChoices(cursor, choices);
    writeVerdict(cursor, outcome);
    writeLowering(cursor, choices.assessment);
    addParagraph(cursor, QString(), quiet, 2);
    insertLinesToFill(cursor, {text("Assessed by"), text("Signature")}, charFormat(10, false));
    if (const auto document = documents::documentFor(outcome)) {
        writeRecommendation(cursor, *record, *document);
    }
    return {QString(), std::move(record)};
}

QString assessmentFileName(const QDateTime &madeAt) {
    return recordTitle + madeAt.toString(QStringLiteral(" yyyy-MM-dd HH-mm")) + QStringLiteral(".pdf");
}

namespace {

// The record's printout draws its scale and lines to fill in.
platform::Printout recordPrintout() {
    platform::Printout record = printout(recordTitle);
    record.prepareLayout = registerRecordObjects;
    return record;
}

} // namespace

void installAssessmentCommands(QWidget *window, platform::RichTextBox *guidelines,
                               std::function<risk::Choices()> choices) {
    // The record of this moment's choices, or the missing factor named as "Calculate Total:" names it.
    const auto recordNow = [window, choices]() -> std::pair<QDateTime, std::unique_ptr<QTextDocument>> {
        const QDateTime now = QDateTime::currentDateTime();
        AssessmentRecord record = buildAssessmentRecord(choices(), now);
        if (!record.document) {
            platform::showMessage(window, record.message);
        }
        return {now, std::move(record.document)};
    };
    platform::PrintCommands commands;
    commands.printText = text("Print Assessment...");
    commands.saveText = text("Save Assessment as PDF...");
    commands.print = [window, recordNow] {
        if (const auto [madeAt, document] = recordNow(); document) {
            platform::printDocument(window, *document, recordPrintout());
        }
    };
    commands.save = [window, recordNow] {
        if (const auto [madeAt, document] = recordNow(); document) {
            platform::saveDocumentAsPdf(window, *document, recordPrintout(), text("Save Assessment as PDF"),
                                        assessmentFileName(madeAt));
        }
    };
    platform::installPrintCommands(window, guidelines, commands);
}

} // namespace sweltra::printing
