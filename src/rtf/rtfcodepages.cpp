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
    if (codepage == kSymbolCodepage || SystemCodepages::knows(codepage))
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
    m_system.append(bytes, usableCodepage(codepage), out);
}

} // namespace sweltra::rtf
