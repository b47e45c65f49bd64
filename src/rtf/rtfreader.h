#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace sweltra::rtf {

// Why a byte stream could not be read as a rich-text document.
enum class ReadStatus {
    Ok,
    NotRtf,   // does not start like RTF (plain text, an image, a Word binary file, empty)
    TooLarge, // beyond the document size limit (kMaxDocumentBytes in rtflimits.h)
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    QString detail; // a short English reason, for tools and logs; empty when Ok
    bool ok() const { return status == ReadStatus::Ok; }
};

// Replaces the content of `out` with the document that `data` holds.
// Never throws, never crashes; damaged input gives as much of the document as can be read.
// On NotRtf or TooLarge `out` is left empty.
ReadResult readRtf(QByteArrayView data, QTextDocument &out);

} // namespace sweltra::rtf
