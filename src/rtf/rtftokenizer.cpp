#include "rtf/rtftokenizer.h"

#include "rtf/rtfcontrolwords.h"
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

// Raw pointers and a local position: the tokenizer sees every byte of the file.
Token Tokenizer::next() {
    const char *const data = m_data.data();
    const qsizetype size = m_data.size();
    qsizetype pos = m_pos;
    while (pos < size && isIgnorable(data[pos]))
        ++pos;
    Token t;
    if (pos >= size) {
        m_pos = pos;
        return t;
    }
    const char c = data[pos];
    if (c == '\\') {
        m_pos = pos;
        return readControl();
    }
    if (c == '{' || c == '}') {
        m_pos = pos + 1;
        t.kind = c == '{' ? Token::Kind::GroupOpen : Token::Kind::GroupClose;
        return t;
    }
    const qsizetype start = pos;
    while (pos < size && !is(data[pos], EndsText))
        ++pos;
    m_pos = pos;
    t.kind = Token::Kind::Text;
    t.bytes = QByteArrayView(data + start, pos - start);
    return t;
}

Token Tokenizer::readControl() {
    const char *const data = m_data.data();
    const qsizetype size = m_data.size();
    qsizetype pos = m_pos + 1; // past the backslash
    Token t;
    if (pos >= size) { // a lone backslash at the very end stands for nothing
        m_pos = pos;
        t.kind = Token::Kind::Symbol;
        t.symbol = 0;
        return t;
    }
    const char c = data[pos];
    if (!isLetter(c)) {
        ++pos;
        if (c == '\'') {
            // Two characters follow; a broken pair still counts as one character, it just has no byte.
            int value = 0;
            int digits = 0;
            bool valid = true;
            for (; digits < 2 && pos < size; ++digits) {
                const char h = data[pos];
                if (h == '\\' || h == '{' || h == '}')
                    break;
                valid = valid && hexDigit(h) >= 0;
                value = value * 16 + std::max(hexDigit(h), 0);
                ++pos;
            }
            m_pos = pos;
            t.kind = Token::Kind::HexByte;
            t.parameter = valid && digits == 2 ? value : -1;
            return t;
        }
        t.kind = Token::Kind::Symbol;
        t.symbol = c == '\r' ? '\n' : c;
        if (c == '\r' && pos < size && data[pos] == '\n')
            ++pos;
        m_pos = pos;
        return t;
    }
    const qsizetype start = pos;
    std::uint32_t hash = kWordHashSeed;
    do {
        hash = wordHashStep(hash, data[pos]);
        ++pos;
    } while (pos < size && isLetter(data[pos]));
    t.kind = Token::Kind::Word;
    t.hash = hash;
    t.bytes = QByteArrayView(data + start, pos - start);
    bool negative = false;
    if (pos + 1 < size && data[pos] == '-' && isDigit(data[pos + 1])) {
        negative = true;
        ++pos;
    }
    if (pos < size && isDigit(data[pos])) {
        std::int64_t value = 0;
        do {
            value = value * 10 + (data[pos] - '0');
            if (value > kMaxParameter)
                value = kMaxParameter;
            ++pos;
        } while (pos < size && isDigit(data[pos]));
        t.hasParameter = true;
        t.parameter = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (pos < size && data[pos] == ' ')
        ++pos;
    if (t.hasParameter && t.parameter > 0 && t.bytes.size() == 3 && t.bytes == QByteArrayView("bin")) {
        const qsizetype length = std::min<qsizetype>({t.parameter, size - pos, kMaxBinaryBytes});
        t.kind = Token::Kind::Binary;
        t.bytes = QByteArrayView(data + pos, length);
        pos += length;
    }
    m_pos = pos;
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
