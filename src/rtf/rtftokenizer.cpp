#include "rtf/rtftokenizer.h"

#include "rtf/rtfhex.h"
#include "rtf/rtflimits.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace sweltra::rtf {

namespace {

// Byte classes, looked up once per byte: the tokenizer sees every byte of the file.
enum : std::uint8_t { Letter = 1, Digit = 2, Ignorable = 4, EndsText = 8 };

constexpr std::array<std::uint8_t, 256> kClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (int c = 'a'; c <= 'z'; ++c)
        classes[static_cast<std::size_t>(c)] = Letter;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[static_cast<std::size_t>(c)] = Letter;
    for (int c = '0'; c <= '9'; ++c)
        classes[static_cast<std::size_t>(c)] = Digit;
    // Bytes that are not text: they are dropped between text runs.
    for (const char c : {'\r', '\n', '\0'})
        classes[static_cast<unsigned char>(c)] = Ignorable | EndsText;
    for (const char c : {'{', '}', '\\'})
        classes[static_cast<unsigned char>(c)] = EndsText;
    return classes;
}();

bool is(char c, std::uint8_t byteClass) {
    return (kClasses[static_cast<unsigned char>(c)] & byteClass) != 0;
}
bool isLetter(char c) {
    return is(c, Letter);
}
bool isDigit(char c) {
    return is(c, Digit);
}
bool isIgnorable(char c) {
    return is(c, Ignorable);
}

} // namespace

Token Tokenizer::next() {
    const qsizetype size = m_data.size();
    while (m_pos < size && isIgnorable(m_data[m_pos]))
        ++m_pos;
    Token t;
    if (m_pos >= size)
        return t;
    const char c = m_data[m_pos];
    if (c == '{') {
        ++m_pos;
        t.kind = Token::Kind::GroupOpen;
        return t;
    }
    if (c == '}') {
        ++m_pos;
        t.kind = Token::Kind::GroupClose;
        return t;
    }
    if (c == '\\')
        return readControl();
    const qsizetype start = m_pos;
    while (m_pos < size && !is(m_data[m_pos], EndsText))
        ++m_pos;
    t.kind = Token::Kind::Text;
    t.bytes = m_data.sliced(start, m_pos - start);
    return t;
}

Token Tokenizer::readControl() {
    const qsizetype size = m_data.size();
    Token t;
    ++m_pos;             // the backslash
    if (m_pos >= size) { // a lone backslash at the very end stands for nothing
        t.kind = Token::Kind::Symbol;
        t.symbol = 0;
        return t;
    }
    const char c = m_data[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            // Two characters follow; a broken pair still counts as one character, it just has no byte.
            int value = 0;
            int digits = 0;
            bool valid = true;
            for (; digits < 2 && m_pos < size; ++digits) {
                const char h = m_data[m_pos];
                if (h == '\\' || h == '{' || h == '}')
                    break;
                valid = valid && hexDigit(h) >= 0;
                value = value * 16 + std::max(hexDigit(h), 0);
                ++m_pos;
            }
            t.kind = Token::Kind::HexByte;
            t.parameter = valid && digits == 2 ? value : -1;
            return t;
        }
        t.kind = Token::Kind::Symbol;
        t.symbol = c == '\r' ? '\n' : c;
        if (c == '\r' && m_pos < size && m_data[m_pos] == '\n')
            ++m_pos;
        return t;
    }
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(m_data[m_pos]))
        ++m_pos;
    t.kind = Token::Kind::Word;
    t.bytes = m_data.sliced(start, m_pos - start);
    bool negative = false;
    if (m_pos + 1 < size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(m_data[m_pos])) {
        std::int64_t value = 0;
        while (m_pos < size && isDigit(m_data[m_pos])) {
            value = std::min<std::int64_t>(value * 10 + (m_data[m_pos] - '0'), kMaxParameter);
            ++m_pos;
        }
        t.hasParameter = true;
        t.parameter = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (m_pos < size && m_data[m_pos] == ' ')
        ++m_pos;
    if (t.hasParameter && t.parameter > 0 && t.bytes.size() == 3 && t.bytes == QByteArrayView("bin")) {
        const qsizetype length = std::min<qsizetype>({t.parameter, size - m_pos, kMaxBinaryBytes});
        t.kind = Token::Kind::Binary;
        t.bytes = m_data.sliced(m_pos, length);
        m_pos += length;
    }
    return t;
}

char Tokenizer::peekSignificant() {
    for (qsizetype p = m_pos; p < m_data.size(); ++p) {
        const char c = m_data[p];
        if (c != ' ' && c != '\t' && !isIgnorable(c))
            return c;
    }
    return 0;
}

} // namespace sweltra::rtf
