#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace sweltra::rtf {

// How a control word takes its parameter.
enum class WordKind : std::uint8_t {
    Flag,        // no parameter
    Toggle,      // on without parameter, off with 0
    Value,       // a number; the row's default when it is missing
    Destination, // starts a destination for the rest of its group
    Symbol,      // stands for one character
};

// What a control word does; the reader has one handler per action.
enum class Action : std::uint8_t {
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodepage,
    DefaultFont,
    // characters
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    Caps,
    SmallCaps,
    ForeColor,
    BackColor,
    Hidden,
    CharStyle,
    UnicodeSkip,
    Unicode,
    // paragraphs
    Pard,
    Align,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    InTable,
    TableLevel,
    ParaStyle,
    // breaks and special characters
    Par,
    Line,
    Page,
    Sect,
    Cell,
    NestCell,
    Row,
    NestRow,
    Character,
    FootnoteNumber,
    // table rows
    RowDefaults,
    CellRight,
    RowLeft,
    RowGap,
    Border, // Border: 0 a side of a cell or row, 1 a line style, -1 other
    // font table, colour table, stylesheet
    FontCharset,
    FontCodepage,
    FontFamily,
    Red,
    Green,
    Blue,
    BasedOn,
    OtherStyle,
    // pictures
    PictFormat,
    PicWidth,
    PicHeight,
    PicGoalWidth,
    PicGoalHeight,
    PicScaleX,
    PicScaleY,
    // destinations
    FontTable,
    ColorTable,
    StyleSheet,
    Picture,
    FieldInstruction,
    FieldResult,
    Footnote,
    BodyText,
    ListText,
    UnicodePair,
    UnicodeVersion,
    Skip,
};

// Broad group of an action, used where words are replayed (styles).
enum class WordScope : std::uint8_t { Other, Character, Paragraph };

struct ControlWord {
    const char *name;
    WordKind kind;
    Action action;
    std::int32_t value; // default parameter, character (Symbol) or variant (e.g. underline style)
    WordScope scope;
};

// The hash a word is looked up by; the tokenizer computes it while it reads the word's letters.
inline constexpr std::uint32_t kWordHashSeed = 2166136261u; // FNV-1a
constexpr std::uint32_t wordHashStep(std::uint32_t hash, char c) {
    return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}

// The row for `name`, or nullptr for a word the reader does not know.
const ControlWord *findControlWord(QByteArrayView name);
// The same, with `hash` the wordHashStep() fold of `name` from kWordHashSeed.
const ControlWord *findControlWord(QByteArrayView name, std::uint32_t hash);

// \sbasedon's parameter for a style based on no other, also the word's default.
inline constexpr std::int32_t kBasedOnNothing = 222;

// Picture formats, the `value` of PictFormat rows.
enum PictureType : std::int32_t { PictPng = 1, PictJpeg = 2, PictOther = 3 };

} // namespace sweltra::rtf
