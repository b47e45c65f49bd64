#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace sweltra::rtf {

// One piece of RTF syntax; the tokenizer gives no meaning to words.
struct Token {
    enum class Kind : std::uint8_t {
        End,
        GroupOpen,
        GroupClose,
        Word,    // \name with optional parameter
        Symbol,  // \ followed by one non-letter; a backslash-newline arrives as symbol '\n'
        HexByte, // \'hh, the byte in `parameter`, -1 when the two characters are not hex digits
        Text,    // a run of plain bytes without braces, backslashes or line ends
        Binary,  // the raw bytes after \binN
    };
    Kind kind = Kind::End;
    bool hasParameter = false;
    char symbol = 0;
    std::int32_t parameter = 0;
    std::uint32_t hash = 0; // a word's lookup hash (wordHashStep over its letters)
    QByteArrayView bytes;   // word name, text or binary data; a view into the input
};

class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView data) : m_data(data) {}

    Token next();
    // The next significant byte, 0 at the end.
    char peekSignificant();

private:
    Token readControl();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace sweltra::rtf
