#include "rtf/rtfcodepages.h"

#include <algorithm>

namespace sweltra::rtf {

namespace {

struct CharsetRow {
    int charset;
    int codepage;
};

constexpr CharsetRow kCharsets[] = {
    {0, 1252},   {2, kSymbolCodepage}, {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008},
    {81, 10002}, {83, 10005},          {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021},
    {88, 10029}, {89, 10007},          {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253},          {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {186, 1257}, {204, 1251},          {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

struct CodepageRow {
    int codepage;
    const char *name;
};

constexpr CodepageRow kCodepages[] = {
    {437, "IBM437"},
    {708, "ISO-8859-6"},
    {737, "ibm-737"},
    {775, "IBM775"},
    {850, "IBM850"},
    {852, "IBM852"},
    {855, "IBM855"},
    {857, "IBM857"},
    {860, "IBM860"},
    {861, "IBM861"},
    {862, "IBM862"},
    {863, "IBM863"},
    {864, "IBM864"},
    {865, "IBM865"},
    {866, "IBM866"},
    {869, "IBM869"},
    {874, "windows-874"},
    {932, "windows-31j"},
    {936, "GBK"},
    {949, "windows-949"},
    {950, "Big5"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {10000, "macintosh"},
    {10004, "x-mac-arabic"},
    {10005, "x-mac-hebrew"},
    {10006, "x-mac-greek"},
    {10007, "x-mac-cyrillic"},
    {10029, "x-mac-ce"},
    {10079, "x-mac-icelandic"},
    {10081, "x-mac-turkish"},
    {20127, "US-ASCII"},
    {20866, "KOI8-R"},
    {20932, "EUC-JP"},
    {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28595, "ISO-8859-5"},
    {28597, "ISO-8859-7"},
    {51932, "EUC-JP"},
    {51949, "EUC-KR"},
    {54936, "GB18030"},
    {65001, "UTF-8"},
    {10001, "Shift_JIS"},
    {10003, "windows-949"},
    {10008, "GBK"},
    {10002, "Big5"},
};

const char *nameOf(int codepage) {
    for (const CodepageRow &row : kCodepages) {
        if (row.codepage == codepage)
            return row.name;
    }
    return nullptr;
}

} // namespace

QChar symbolCharacter(unsigned char byte) {
    switch (byte) {
    case 0xB7: // Symbol's bullet
    case 0xA7: // Wingdings' small square, the usual second-level bullet
        return QChar(0x2022);
    default: // kept in the private use area, where symbol fonts have their glyphs
        return QChar(byte >= 0x20 ? 0xF000 + byte : u' ');
    }
}

int codepageForCharset(int charset) {
    for (const CharsetRow &row : kCharsets) {
        if (row.charset == charset)
            return row.codepage;
    }
    return 0;
}

int usableCodepage(int codepage) {
    if (codepage == kSymbolCodepage || nameOf(codepage))
        return codepage;
    return kDefaultCodepage;
}

void CodepageDecoder::decode(QByteArrayView bytes, int codepage, QString &out) {
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && codepage != kSymbolCodepage) {
        out.append(QLatin1StringView(bytes.data(), bytes.size()));
        return;
    }
    if (codepage == kSymbolCodepage) {
        for (char c : bytes)
            out.append(symbolCharacter(static_cast<unsigned char>(c)));
        return;
    }
    auto it = m_decoders.find(codepage);
    if (it == m_decoders.end()) {
        const char *name = nameOf(usableCodepage(codepage));
        QStringDecoder decoder(name ? name : "windows-1252", QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
        it = m_decoders.emplace(codepage, std::move(decoder)).first;
    }
    out.append(it->second.decode(bytes));
    it->second.resetState();
}

} // namespace sweltra::rtf
