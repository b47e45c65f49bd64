#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

class QTextDocument;

namespace sweltra::rtf {

// Why a byte stream could not be read as a rich-text document.
enum class ReadStatus {
    Ok,
    NotRtf,   // does not start like RTF (plain text, an image, a Word binary file, empty)
    TooLarge, // beyond the document size limit
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    QString detail; // a short English reason, for tools and logs; empty when Ok
    bool ok() const { return status == ReadStatus::Ok; }
};

// Bounds that keep any input, however damaged or hostile, to bounded time and memory.
inline constexpr qsizetype kMaxDocumentBytes = qsizetype(64) * 1024 * 1024;
inline constexpr qsizetype kMaxHeaderOffset = 256;              // leading junk tolerated before "{\rtf"
inline constexpr int kMaxGroupDepth = 256;                      // deeper groups are counted and skipped
inline constexpr qsizetype kMaxBinaryBytes = kMaxDocumentBytes; // one \bin run
inline constexpr qsizetype kMaxPictureBytes = qsizetype(32) * 1024 * 1024;
inline constexpr std::int32_t kMaxParameter = 100'000'000; // numeric parameters are clamped to +-this
inline constexpr int kMaxTableDepth = 6; // Qt lays nested tables out in time exponential in depth
inline constexpr int kMaxTableColumns = 64;
inline constexpr int kMaxBlocks = 1'000'000;     // paragraphs and table cells together
inline constexpr int kMaxImageSide = 8192;       // shown size of a picture, in pixels
inline constexpr int kMaxDecodedPictureMiB = 64; // a small file may declare a huge bitmap
inline constexpr int kMaxStyleChain = 16;        // \sbasedon levels followed

// Replaces the content of `out` with the document that `data` holds.
// Never throws, never crashes; damaged input gives as much of the document as can be read.
// On NotRtf or TooLarge `out` is left empty.
ReadResult readRtf(QByteArrayView data, QTextDocument &out);

} // namespace sweltra::rtf
