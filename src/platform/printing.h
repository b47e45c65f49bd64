#pragma once

#include <QString>

#include <functional>

class QAbstractTextDocumentLayout;
class QLocale;
class QPageLayout;
class QPrinter;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace sweltra::platform {

// The page every printout starts from: US Letter where the locale's paper is Letter, A4
// elsewhere; 15 mm margins all round.
QPageLayout defaultPageLayout(const QLocale &locale);

// What a printout says of itself: its title (the print job's or the PDF's), the line at the foot
// of every page beside the page number, and the program named as its maker. The document is drawn
// from a copy laid out for the paper; `prepareLayout`, when set, is given that copy's layout before
// it lays out, to register the handlers of the document's own text objects there.
struct Printout {
    QString title;
    QString footer;
    QString creator;
    std::function<void(QAbstractTextDocumentLayout *)> prepareLayout = {};
};

// Shows the platform's print dialog and prints the document there, the footer on every page.
void printDocument(QWidget *parent, const QTextDocument &document, const Printout &printout);

// Writes the document as a PDF file. The file is written under a temporary name in the target
// folder and takes the target's name only when complete, so a failure leaves no half file and
// an existing file as it was. Returns an empty text on success, else a message naming the file
// and the reason.
QString savePdf(const QTextDocument &document, const QString &path, const Printout &printout);

// Asks where to save a PDF, proposing `fileName` in the user's documents folder, saves the
// document there and reports a failure in the message box. Nothing happens when cancelled.
void saveDocumentAsPdf(QWidget *parent, const QTextDocument &document, const Printout &printout,
                       const QString &dialogCaption, const QString &fileName);

// While set, the save dialog is not shown: the answerer gets the dialog's caption and the proposed
// path and returns the chosen one, or an empty text for Cancel (tests).
using SaveFileAnswerer = std::function<QString(const QString &caption, const QString &proposedPath)>;
void setSaveFileAnswerer(SaveFileAnswerer answerer);

// While set, the print dialog is not shown: the answerer sets up the printer and returns whether
// to print (tests).
using PrintDialogAnswerer = std::function<bool(QPrinter &printer)>;
void setPrintDialogAnswerer(PrintDialogAnswerer answerer);

// Ctrl+P and Ctrl+Shift+S in the window, and the same two commands with their shortcuts at the
// end of the box's context menu, after its own Copy and Select All.
struct PrintCommands {
    QString printText;
    QString saveText;
    std::function<void()> print;
    std::function<void()> save;
};
void installPrintCommands(QWidget *window, QTextEdit *box, const PrintCommands &commands);

} // namespace sweltra::platform
