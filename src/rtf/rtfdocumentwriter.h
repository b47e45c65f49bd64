#pragma once

#include "rtf/rtflimits.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <array>
#include <vector>

class QTextDocument;
class QTextTable;
class QTextImageFormat;

namespace sweltra::rtf {

// A table row as \trowd ... \cellx defines it.
struct RowDefinition {
    std::vector<int> cellRight; // right edges in twips, not widths
    int left = 0;
    int gap = -1;
    bool borders = false;
};

// Writes paragraphs, runs, pictures and (nested) tables at the end of a QTextDocument.
// Table rows and cells are created when content arrives for them, so a missing
// \row or a trailing \row adds nothing empty.
class DocumentWriter {
public:
    explicit DocumentWriter(QTextDocument &document);

    // Moves into the table nesting `level` (0: the body), opening or closing tables.
    void enterLevel(int level) {
        if (level != static_cast<int>(m_tables.size()) || (!m_tables.empty() && m_tables.back().pending()))
            settle(level, true);
    }
    void text(const QString &text, const QTextCharFormat &format);
    void image(const QTextImageFormat &format);
    void paragraph(const QTextBlockFormat &block, const QTextCharFormat &chars);
    void endCell(int level, const QTextBlockFormat &block, const QTextCharFormat &chars);
    void endRow(int level);
    void finish(const QTextBlockFormat &block, const QTextCharFormat &chars);
    // Appends a whole other document (gathered footnotes) after the body.
    void appendDocument(const QTextDocument &other, const QTextBlockFormat &block,
                        const QTextCharFormat &chars);

    RowDefinition &rowDefinition(int level);
    bool isEmpty() const;

private:
    struct OpenTable {
        QTextTable *table = nullptr;
        int row = 0;
        int column = 0;
        int rows = 1; // including spare rows added ahead
        int columns = 1;
        bool cellPending = false;
        bool rowPending = false;
        std::vector<int> appliedRights;
        int appliedColumns = 0;
        bool pending() const { return cellPending || rowPending; }
    };

    void settle(int level, bool settleCell);
    bool openTable();
    void closeTable();
    void moveToCell(OpenTable &t);
    void applyRow(OpenTable &t, const RowDefinition &row);
    bool takeBlocks(int count);
    void commitBreak();
    void formatBlock(const QTextBlockFormat &block, const QTextCharFormat &chars);

    QTextDocument &m_document;
    QTextCursor m_cursor;
    std::vector<OpenTable> m_tables;
    std::array<RowDefinition, kMaxTableDepth + 1> m_rows;
    int m_blocks = 0;
    bool m_breakPending = false;
    bool m_freshBlock = false; // the cursor's block was made by commitBreak() with the pending formats
    QTextBlockFormat m_pendingBlock;
    QTextCharFormat m_pendingChars;
};

} // namespace sweltra::rtf
