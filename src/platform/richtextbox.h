#pragma once

#include <QTextEdit>

namespace sweltra::platform {

// A read-only box that shows one rich-text (RTF) document, with the few operations the windows
// use. The user can select and copy but not edit.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    enum class LoadResult { Loaded, Missing, Unreadable, NotRtf, TooLarge };

    explicit RichTextBox(QWidget *parent = nullptr);

    // Replaces the whole content with the RTF file at `path`. A file that cannot be shown is
    // replaced by a short notice naming it and its folder. Change is emitted before returning.
    LoadResult LoadFile(const QString &path);

    // The plain text of the content.
    QString Text() const;
    // Replaces the content by plain text (the windows only ever empty the box this way).
    void setText(const QString &text);

    int SelStart() const;
    void setSelStart(int position);
    int SelLength() const;
    void setSelLength(int length);

    // The two whole-number formatting properties the windows apply to each newly loaded text.
    // They are the blank margin, in twips, left and right of the text: applying them sets the
    // same margin however often it is done, and paragraphs keep their own indents.
    void setSelIndent(int twips);
    void setSelRightIndent(int twips);

    void SetFocus();

signals:
    // After every change of the content, before the operation that made it returns.
    void Change();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void replaceDocument(QTextDocument *next);
    void showNotice(const QString &notice);
    void setFrameMargin(bool left, int twips);

    QTextDocument *m_document = nullptr;
};

} // namespace sweltra::platform
