#include "rtf/rtfdocumentwriter.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextTable>

#include <algorithm>

namespace sweltra::rtf {

DocumentWriter::DocumentWriter(QTextDocument &document) : m_document(document), m_cursor(&document) {
    m_cursor.movePosition(QTextCursor::End);
}

RowDefinition &DocumentWriter::rowDefinition(int level) {
    return m_rows[static_cast<std::size_t>(std::clamp(level, 1, kMaxTableDepth))];
}

bool DocumentWriter::isEmpty() const {
    return m_document.isEmpty();
}

bool DocumentWriter::takeBlocks(int count) {
    if (m_blocks > kMaxBlocks - count)
        return false;
    m_blocks += count;
    return true;
}

void DocumentWriter::text(const QString &text, const QTextCharFormat &format) {
    commitBreak();
    m_cursor.insertText(text, format);
}

void DocumentWriter::image(const QTextImageFormat &format) {
    commitBreak();
    m_cursor.insertImage(format);
}

// The break is made when something follows it: a table right after a paragraph then needs no
// empty paragraph in between, and a document's final \par leaves no empty line.
void DocumentWriter::paragraph(const QTextBlockFormat &block, const QTextCharFormat &chars) {
    commitBreak();
    formatBlock(block, chars);
    m_breakPending = true;
    m_pendingBlock = block;
    m_pendingChars = chars;
}

// The paragraph mark's format only shows in an empty paragraph (its height), so only there is it set.
void DocumentWriter::formatBlock(const QTextBlockFormat &block, const QTextCharFormat &chars) {
    if (!m_freshBlock || block != m_pendingBlock)
        m_cursor.setBlockFormat(block);
    if (m_cursor.atBlockStart() && (!m_freshBlock || chars != m_pendingChars))
        m_cursor.setBlockCharFormat(chars);
}

void DocumentWriter::commitBreak() {
    if (!m_breakPending)
        return;
    m_breakPending = false;
    if (takeBlocks(1)) {
        m_cursor.insertBlock(m_pendingBlock, m_pendingChars);
        m_freshBlock = true; // already carries the formats a following paragraph mostly gives it
    } else
        m_cursor.insertText(QString(QChar::LineSeparator), m_pendingChars);
}

void DocumentWriter::endCell(int level, const QTextBlockFormat &block, const QTextCharFormat &chars) {
    settle(std::max(level, 1), true);
    commitBreak();
    if (m_tables.empty()) { // no room for a table: the cell becomes a paragraph
        paragraph(block, chars);
        return;
    }
    formatBlock(block, chars);
    m_tables.back().cellPending = true;
}

void DocumentWriter::endRow(int level) {
    level = std::clamp(level, 1, kMaxTableDepth);
    settle(level, false);
    if (m_tables.empty())
        return;
    OpenTable &t = m_tables.back();
    applyRow(t, rowDefinition(level));
    t.cellPending = false;
    t.rowPending = true;
}

void DocumentWriter::finish(const QTextBlockFormat &block, const QTextCharFormat &chars) {
    m_breakPending = false;
    if (m_tables.empty())
        formatBlock(block, chars);
    while (!m_tables.empty())
        closeTable();
}

void DocumentWriter::appendDocument(const QTextDocument &other, const QTextBlockFormat &block,
                                    const QTextCharFormat &chars) {
    if (other.isEmpty()) {
        finish(block, chars);
        return;
    }
    while (!m_tables.empty())
        closeTable();
    commitBreak();
    paragraph(block, chars); // an empty line before the notes
    commitBreak();
    m_cursor.insertFragment(QTextDocumentFragment(&other));
    m_freshBlock = false;
}

void DocumentWriter::settle(int level, bool settleCell) {
    level = std::clamp(level, 0, kMaxTableDepth);
    while (static_cast<int>(m_tables.size()) > level)
        closeTable();
    while (static_cast<int>(m_tables.size()) < level) {
        if (!m_tables.empty() && m_tables.back().pending())
            moveToCell(m_tables.back());
        if (!openTable())
            break;
    }
    if (settleCell && !m_tables.empty() && m_tables.back().pending())
        moveToCell(m_tables.back());
}

// QTextTable rebuilds its whole cell grid after each change of shape, so rows are added in growing
// batches and the spare ones removed when the table closes: linear, not quadratic, in the rows.
void DocumentWriter::moveToCell(OpenTable &t) {
    commitBreak();
    QTextTable *table = t.table;
    // The cells ahead are still empty, one separator each, so the next one is found by counting
    // from the cursor (the end of the current cell); looking it up in the table costs far more.
    const int from = t.row * t.columns + t.column;
    const int position = m_cursor.position();
    bool shifted = false; // a new column moves cells before the cursor too
    if (t.rowPending) {
        if (t.row + 1 >= t.rows) {
            const int batch = std::clamp(t.rows / 4, 1, kMaxRowBatch);
            if (takeBlocks(batch * t.columns)) {
                table->appendRows(batch);
                t.rows += batch;
            }
        }
        if (t.row + 1 < t.rows) {
            ++t.row;
            t.column = 0;
        }
    } else if (t.cellPending) {
        if (t.column + 1 >= t.columns && t.columns < kMaxTableColumns && takeBlocks(t.rows)) {
            table->appendColumns(1);
            ++t.columns;
            shifted = true;
        }
        if (t.column + 1 < t.columns)
            ++t.column;
    }
    t.rowPending = t.cellPending = false;
    if (shifted)
        m_cursor = table->cellAt(t.row, t.column).lastCursorPosition();
    else
        m_cursor.setPosition(position + t.row * t.columns + t.column - from);
    m_freshBlock = false;
}

bool DocumentWriter::openTable() {
    const int level = static_cast<int>(m_tables.size()) + 1;
    const RowDefinition &row = rowDefinition(level);
    const int columns = std::clamp(static_cast<int>(row.cellRight.size()), 1, kMaxTableColumns);
    QTextTableFormat format;
    format.setCellSpacing(0);
    format.setBorderCollapse(true);
    format.setBorder(0);
    if (!takeBlocks(columns)) // no room: the content stays where it is
        return false;
    m_breakPending = false; // the table itself separates it from the paragraph before
    OpenTable t;
    t.table = m_cursor.insertTable(1, columns, format);
    t.columns = columns;
    m_freshBlock = false;
    applyRow(t, row);
    m_tables.push_back(std::move(t));
    return true;
}

void DocumentWriter::closeTable() {
    commitBreak();
    const OpenTable &t = m_tables.back();
    QTextTable *table = t.table;
    if (t.rows > t.row + 1) {
        table->removeRows(t.row + 1, t.rows - t.row - 1);
        m_blocks -= (t.rows - t.row - 1) * t.columns;
    }
    m_tables.pop_back();
    m_cursor.setPosition(table->lastPosition() + 1);
    m_freshBlock = false;
    if (!m_tables.empty()) {
        OpenTable &outer = m_tables.back();
        outer.cellPending = outer.rowPending = false;
    }
}

void DocumentWriter::applyRow(OpenTable &t, const RowDefinition &row) {
    const auto &rights = row.cellRight;
    if (rights.empty() || rights.size() < t.appliedRights.size() ||
        (rights == t.appliedRights && t.appliedColumns == t.columns))
        return;
    t.appliedRights = rights;
    t.appliedColumns = t.columns;
    QTextTableFormat format = t.table->format();
    QList<QTextLength> widths;
    int previous = row.left;
    for (int i = 0; i < t.columns; ++i) {
        if (static_cast<std::size_t>(i) < rights.size()) {
            const int width = std::max(0, rights[static_cast<std::size_t>(i)] - previous);
            previous = std::max(previous, rights[static_cast<std::size_t>(i)]);
            widths.append(QTextLength(QTextLength::FixedLength, width / 15.0));
        } else {
            widths.append(QTextLength());
        }
    }
    format.setColumnWidthConstraints(widths);
    if (row.borders) {
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(Qt::black);
    }
    format.setCellPadding(row.gap >= 0 ? std::clamp(row.gap / 15.0, 0.0, 20.0) : 2.0);
    t.table->setFormat(format);
}

} // namespace sweltra::rtf
