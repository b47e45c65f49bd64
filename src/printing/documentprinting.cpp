#include "printing/documentprinting.h"

#include "platform/printing.h"
#include "platform/richtextbox.h"
#include "printing/printout.h"

#include <QCoreApplication>
#include <QTextDocument>

namespace sweltra::printing {
namespace {

QString text(const char *source) {
    return QCoreApplication::translate("DocumentPrinting", source);
}

// The name of the file the box shows; a notice or an empty box has none.
QString titleOf(const platform::RichTextBox &box) {
    const QString title = box.document()->metaInformation(QTextDocument::DocumentTitle);
    return title.isEmpty() ? text("Document") : title;
}

} // namespace

void installDocumentPrintCommands(QWidget *window, platform::RichTextBox *box) {
    platform::PrintCommands commands;
    commands.printText = text("Print Document...");
    commands.saveText = text("Save Document as PDF...");
    commands.print = [window, box] {
        platform::printDocument(window, *box->document(), printout(titleOf(*box)));
    };
    commands.save = [window, box] {
        const QString title = titleOf(*box);
        platform::saveDocumentAsPdf(window, *box->document(), printout(title), text("Save Document as PDF"),
                                    title + QStringLiteral(".pdf"));
    };
    platform::installPrintCommands(window, box, commands);
}

} // namespace sweltra::printing
