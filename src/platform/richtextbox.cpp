#include "platform/richtextbox.h"

#include "platform/regularfile.h"
#include "platform/shell.h"
#include "platform/twips.h"
#include "rtf/rtflimits.h"
#include "rtf/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace sweltra::platform {
namespace {

enum class ReadOutcome { Read, Missing, Unreadable, TooLarge };

// Reads a regular file of bounded size; anything else is refused without blocking.
ReadOutcome readBounded(const QString &path, QByteArray &bytes) {
    QFile file;
    qint64 expected = 0;
    switch (openRegularFile(path, file, expected)) {
    case OpenOutcome::Missing:
        return ReadOutcome::Missing;
    case OpenOutcome::Unreadable:
        return ReadOutcome::Unreadable;
    case OpenOutcome::Opened:
        break;
    }
    if (expected > rtf::kMaxDocumentBytes) // the reader's own limit, checked before reading
        return ReadOutcome::TooLarge;
    // The file may grow while it is read: never take more than the limit. The buffer starts at
    // the size the file has now (QIODevice::read reserves all it is asked for, so asking for
    // the limit at once would reserve 64 MiB for every small document).
    bytes = file.read(std::min<qint64>(expected, rtf::kMaxDocumentBytes) + 1);
    while (bytes.size() <= rtf::kMaxDocumentBytes && !file.atEnd() && file.error() == QFileDevice::NoError) {
        const QByteArray more =
            file.read(std::min<qint64>(1 << 20, rtf::kMaxDocumentBytes + 1 - bytes.size()));
        if (more.isEmpty()) {
            break;
        }
        bytes += more;
    }
    if (bytes.size() > rtf::kMaxDocumentBytes) {
        bytes.clear();
        return ReadOutcome::TooLarge;
    }
    return file.error() == QFileDevice::NoError ? ReadOutcome::Read : ReadOutcome::Unreadable;
}

QString noticeFor(RichTextBox::LoadResult result, const QString &path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    switch (result) {
    case RichTextBox::LoadResult::Missing:
        return RichTextBox::tr("The document \u201c%1\u201d was not found in the folder %2.")
            .arg(name, folder);
    case RichTextBox::LoadResult::NotRtf:
        return RichTextBox::tr("The document \u201c%1\u201d in the folder %2 is not a readable rich-text "
                               "document.")
            .arg(name, folder);
    case RichTextBox::LoadResult::TooLarge:
        return RichTextBox::tr("The document \u201c%1\u201d in the folder %2 is too large to show.")
            .arg(name, folder);
    case RichTextBox::LoadResult::Unreadable:
    case RichTextBox::LoadResult::Loaded:
        break;
    }
    return RichTextBox::tr("The document \u201c%1\u201d in the folder %2 could not be read.")
        .arg(name, folder);
}

bool isWebAddress(const QString &href) {
    const QUrl url(href);
    return url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAcceptRichText(true);
    setUndoRedoEnabled(false);
    m_document = new QTextDocument(this);
    m_document->setUndoRedoEnabled(false);
    setDocument(m_document);
}

void RichTextBox::replaceDocument(QTextDocument *next) {
    // Carry the box's own settings over to the new document, then drop the old one.
    QTextDocument *old = m_document;
    if (old) {
        next->setDocumentMargin(old->documentMargin());
        QTextFrameFormat frame = next->rootFrame()->frameFormat();
        const QTextFrameFormat oldFrame = old->rootFrame()->frameFormat();
        frame.setLeftMargin(oldFrame.leftMargin());
        frame.setRightMargin(oldFrame.rightMargin());
        next->rootFrame()->setFrameFormat(frame);
    }
    next->setUndoRedoEnabled(false);
    m_document = next;
    setDocument(next);
    delete old;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

RichTextBox::LoadResult RichTextBox::LoadFile(const QString &path) {
    QByteArray bytes;
    LoadResult result = LoadResult::Loaded;
    switch (readBounded(path, bytes)) {
    case ReadOutcome::Missing:
        result = LoadResult::Missing;
        break;
    case ReadOutcome::Unreadable:
        result = LoadResult::Unreadable;
        break;
    case ReadOutcome::TooLarge:
        result = LoadResult::TooLarge;
        break;
    case ReadOutcome::Read: {
        auto *next = new QTextDocument(this);
        next->setDefaultFont(font());
        const rtf::ReadResult read = rtf::readRtf(bytes, *next);
        if (read.ok()) {
            // Printouts are titled by the file's name.
            next->setMetaInformation(QTextDocument::DocumentTitle, QFileInfo(path).completeBaseName());
            replaceDocument(next);
        } else {
            delete next;
            result = read.status == rtf::ReadStatus::TooLarge ? LoadResult::TooLarge : LoadResult::NotRtf;
        }
        break;
    }
    }
    if (result != LoadResult::Loaded) {
        showNotice(noticeFor(result, path));
    }
    emit Change();
    return result;
}

void RichTextBox::showNotice(const QString &notice) {
    auto *next = new QTextDocument(this);
    next->setDefaultFont(font());
    QTextCursor cursor(next);
    QTextCharFormat format;
    format.setFontItalic(true);
    cursor.insertText(notice, format);
    replaceDocument(next);
}

QString RichTextBox::Text() const {
    return toPlainText();
}

void RichTextBox::setText(const QString &text) {
    auto *next = new QTextDocument(this);
    next->setDefaultFont(font());
    next->setPlainText(text);
    replaceDocument(next);
    emit Change();
}

int RichTextBox::SelStart() const {
    return textCursor().selectionStart();
}

void RichTextBox::setSelStart(int position) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(qBound(0, position, cursor.position()));
    setTextCursor(cursor);
    if (position == 0) {
        verticalScrollBar()->setValue(0);
    }
    ensureCursorVisible();
}

int RichTextBox::SelLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length) {
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    // Tables and pictures make the document longer than its plain text: a length that covers
    // the plain text from the caret selects to the end.
    const int plainLength = static_cast<int>(Text().size());
    const int target =
        length >= plainLength - start ? end.position() : qBound(start, start + length, end.position());
    cursor.setPosition(target, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void RichTextBox::setFrameMargin(bool left, int twips) {
    QTextFrame *root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const int pixels = twipsToPixels(twips);
    if (left) {
        format.setLeftMargin(pixels);
    } else {
        format.setRightMargin(pixels);
    }
    root->setFrameFormat(format);
}

void RichTextBox::setSelIndent(int twips) {
    setFrameMargin(true, twips);
}

void RichTextBox::setSelRightIndent(int twips) {
    setFrameMargin(false, twips);
}

void RichTextBox::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event) {
    QTextEdit::mouseMoveEvent(event);
    const bool overLink = isWebAddress(anchorAt(event->position().toPoint()));
    viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event) {
    QTextEdit::mouseReleaseEvent(event);
    // A click on a web link (not a drag that selected text) opens it in the browser.
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection()) {
        const QString href = anchorAt(event->position().toPoint());
        if (isWebAddress(href)) {
            openWebLink(QUrl(href));
        }
    }
}

} // namespace sweltra::platform
