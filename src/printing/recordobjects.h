#pragma once

#include <QStringList>

class QAbstractTextDocumentLayout;
class QTextCharFormat;
class QTextCursor;

namespace sweltra::printing {

// The drawn parts of the record. They are text objects, painted at the paper's resolution, so
// they stay sharp as vector graphics; each is as wide as the text and sized for the device the
// record is laid out for.

// The possible totals from lowest to highest, one equal step each, in the bands' colours with
// each band's range and name, and a marker with the total above it.
void insertScale(QTextCursor &cursor, double total, const QTextCharFormat &format);

// Labels side by side, each with a ruled line after it to write on.
void insertLinesToFill(QTextCursor &cursor, const QStringList &labels, const QTextCharFormat &format);

// Draws both on this layout, the one the record is printed from.
void registerRecordObjects(QAbstractTextDocumentLayout *layout);

} // namespace sweltra::printing
