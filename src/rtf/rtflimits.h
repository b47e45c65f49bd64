#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace sweltra::rtf {

// Bounds that keep any input, however damaged or hostile, to bounded time and memory.
inline constexpr qsizetype kMaxDocumentBytes = qsizetype(64) * 1024 * 1024; // the rich-text box's too
inline constexpr qsizetype kMaxHeaderOffset = 256; // leading junk tolerated before "{\rtf"
inline constexpr int kMaxGroupDepth = 256;         // deeper groups share the state of the deepest one kept
inline constexpr qsizetype kMaxBinaryBytes = kMaxDocumentBytes; // one \bin run
inline constexpr qsizetype kMaxPictureBytes = qsizetype(32) * 1024 * 1024;
inline constexpr std::int32_t kMaxParameter = 100'000'000; // numeric parameters are clamped to +-this
inline constexpr int kMaxTableDepth = 6; // Qt lays nested tables out in time exponential in depth
inline constexpr int kMaxTableColumns = 64;
inline constexpr int kMaxRowBatch = 64;          // rows added to a growing table at once
inline constexpr int kMaxBlocks = 1'000'000;     // paragraphs and table cells together
inline constexpr int kMaxImageSide = 8192;       // shown size of a picture, in pixels
inline constexpr int kMaxDecodedPictureMiB = 64; // a small file may declare a huge bitmap
inline constexpr int kMaxStyleChain = 16;        // \sbasedon levels followed
inline constexpr std::size_t kMaxWordsPerStyle = 256;
inline constexpr qsizetype kMaxFontNameLength = 256;
inline constexpr qsizetype kMaxInstructionLength = 4096; // a field instruction
inline constexpr int kMaxIndent = 31680;                 // twips, 22 inches, the largest Word accepts
inline constexpr int kMaxUnicodeSkip = 64;               // fallback characters after \u

} // namespace sweltra::rtf
