#pragma once

class QWidget;

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::printing {

// Ctrl+P prints and Ctrl+Shift+S saves as PDF the document that the box shows, titled by its
// file name; the box's context menu offers both.
void installDocumentPrintCommands(QWidget *window, platform::RichTextBox *box);

} // namespace sweltra::printing
