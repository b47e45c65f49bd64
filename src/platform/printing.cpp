#include "platform/printing.h"

#include "platform/messagebox.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLocale>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace sweltra::platform {
namespace {

QString text(const char *source) {
    return QCoreApplication::translate("Printing", source);
}

SaveFileAnswerer &saveFileAnswerer() {
    static SaveFileAnswerer instance;
    return instance;
}

PrintDialogAnswerer &printDialogAnswerer() {
    static PrintDialogAnswerer instance;
    return instance;
}

// Where the paper in the shops is US Letter (the common locale data's paper table); A4 elsewhere.
bool usesLetter(const QLocale &locale) {
    static constexpr QLocale::Territory letterTerritories[] = {
        QLocale::Belize,       QLocale::Canada,     QLocale::Chile,       QLocale::Colombia,
        QLocale::CostaRica,    QLocale::ElSalvador, QLocale::Guatemala,   QLocale::Mexico,
        QLocale::Nicaragua,    QLocale::Panama,     QLocale::Philippines, QLocale::PuertoRico,
        QLocale::UnitedStates, QLocale::Venezuela};
    return std::find(std::begin(letterTerritories), std::end(letterTerritories), locale.territory()) !=
           std::end(letterTerritories);
}

// Lays the document out on the device's pages, above the footer and the page's number, and draws
// the pages from `first` to `last` (1-based, 0 for the end). False when the device refused to draw.
bool paintPages(QPagedPaintDevice &device, const QTextDocument &source, const Printout &printout,
                int first = 1, int last = 0) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    // A copy laid out for the device: fonts in points and lengths in screen pixels scale to it.
    const std::unique_ptr<QTextDocument> document(source.clone());
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    layout->setPaintDevice(&device);
    if (printout.prepareLayout) {
        printout.prepareLayout(layout);
    }

    QFont footerFont = document->defaultFont();
    footerFont.setPointSizeF(8);
    footerFont.setBold(false);
    footerFont.setItalic(false);
    const QFontMetricsF footerMetrics(footerFont, &device);
    const qreal width = device.width();
    const qreal footerHeight = footerMetrics.height() * 2.5;
    const QSizeF body(width, device.height() - footerHeight);
    document->setPageSize(body);

    const int pages = document->pageCount();
    first = std::max(first, 1);
    last = last <= 0 ? pages : std::min(last, pages);
    const qreal points = device.logicalDpiY() / 72.0;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            return false;
        }
        const QRectF view(0, (page - 1) * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        // Paper is white whatever the screen's colours are.
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();

        const qreal rule = body.height() + footerMetrics.height();
        painter.setPen(QPen(QColor(110, 110, 110), 0.5 * points));
        painter.drawLine(QLineF(0, rule, width, rule));
        painter.setFont(footerFont);
        const QRectF footer(0, rule + 0.4 * footerMetrics.height(), width, footerMetrics.height());
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, printout.footer);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                         text("page %1 of %2").arg(page).arg(pages));
    }
    return painter.end();
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

QPageLayout defaultPageLayout(const QLocale &locale) {
    return {QPageSize(usesLetter(locale) ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter};
}

void setSaveFileAnswerer(SaveFileAnswerer answerer) {
    saveFileAnswerer() = std::move(answerer);
}

void setPrintDialogAnswerer(PrintDialogAnswerer answerer) {
    printDialogAnswerer() = std::move(answerer);
}

void printDocument(QWidget *parent, const QTextDocument &document, const Printout &printout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(defaultPageLayout(QLocale()));
    printer.setDocName(printout.title);
    printer.setCreator(printout.creator);
    bool accepted = false;
    if (printDialogAnswerer()) {
        accepted = printDialogAnswerer()(printer);
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) {
        return;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!paintPages(printer, document, printout, range ? printer.fromPage() : 1,
                    range ? printer.toPage() : 0)) {
        showMessage(parent,
                    text("\u201c%1\u201d could not be printed on %2.")
                        .arg(printout.title, printer.outputFileName().isEmpty()
                                                 ? printer.printerName()
                                                 : QDir::toNativeSeparators(printer.outputFileName())));
    }
}

QString savePdf(const QTextDocument &document, const QString &path, const Printout &printout) {
    const auto failure = [&path](const QString &reason) {
        return text("The PDF file \u201c%1\u201d could not be saved: %2.")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    // Written beside the target under a temporary name, renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return failure(file.errorString());
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(printout.title);
        writer.setCreator(printout.creator);
        writer.setPageLayout(defaultPageLayout(QLocale()));
        painted = paintPages(writer, document, printout);
    }
    if (!painted) {
        file.cancelWriting();
        return failure(text("the pages could not be drawn"));
    }
    if (!file.commit()) {
        return failure(file.errorString());
    }
    return {};
}

void saveDocumentAsPdf(QWidget *parent, const QTextDocument &document, const Printout &printout,
                       const QString &dialogCaption, const QString &fileName) {
    const QString proposed = QDir(documentsFolder()).filePath(fileName);
    QString path;
    if (saveFileAnswerer()) {
        path = saveFileAnswerer()(dialogCaption, proposed);
    } else {
        QFileDialog dialog(parent, dialogCaption, proposed, text("PDF documents (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            path = dialog.selectedFiles().constFirst();
        }
    }
    if (path.isEmpty()) {
        return;
    }
    const QString failure = savePdf(document, path, printout);
    if (!failure.isEmpty()) {
        showMessage(parent, failure);
    }
}

void installPrintCommands(QWidget *window, QTextEdit *box, const PrintCommands &commands) {
    auto *print = new QAction(commands.printText, window);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(print, &QAction::triggered, window, [run = commands.print] { run(); });
    auto *save = new QAction(commands.saveText, window);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    save->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(save, &QAction::triggered, window, [run = commands.save] { run(); });
    window->addAction(print);
    window->addAction(save);

    // The box's own menu (Copy, Select All), then the two commands. The menu is shown without
    // waiting for it, and goes when it closes.
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box, print, save](const QPoint &at) {
        const QPoint scrolled(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
        QMenu *menu = box->createStandardContextMenu(at + scrolled);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        menu->addAction(print);
        menu->addAction(save);
        menu->popup(box->viewport()->mapToGlobal(at));
    });
}

} // namespace sweltra::platform
