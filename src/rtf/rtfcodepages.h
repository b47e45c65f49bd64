#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <unordered_map>

namespace sweltra::rtf {

inline constexpr int kDefaultCodepage = 1252; // \ansi, and a document that names none
inline constexpr int kMacCodepage = 10000;    // \mac: Mac Roman
inline constexpr int kPcCodepage = 437;       // \pc: the IBM PC's own
inline constexpr int kPcaCodepage = 850;      // \pca: IBM PC multilingual
inline constexpr int kSymbolCodepage = 42;    // fonts with \fcharset2: bytes name glyphs, not letters

// The code page that \fcharsetN stands for, or 0 when the font uses the document's.
int codepageForCharset(int charset);

// `codepage` when it can be decoded, otherwise the default.
int usableCodepage(int codepage);

// The character a symbol font's byte stands for where it has a plain Unicode meaning.
QChar symbolCharacter(unsigned char byte);

// The system's converters: ICU through QStringDecoder on Linux, MultiByteToWideChar on Windows.
class SystemCodepages {
public:
    static bool knows(int codepage);
    // Appends the text of `bytes` in `codepage`, which knows() accepts, to `out`.
    void append(QByteArrayView bytes, int codepage, QString &out);

private:
    std::unordered_map<int, QStringDecoder> m_decoders; // ICU's, made once per code page
};

// Decodes byte runs in Windows and Mac code pages.
class CodepageDecoder {
public:
    // Appends the text of `bytes` to `out`.
    void decode(QByteArrayView bytes, int codepage, QString &out);

private:
    SystemCodepages m_system;
};

} // namespace sweltra::rtf
