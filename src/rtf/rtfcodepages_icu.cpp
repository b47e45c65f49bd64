#include "rtf/rtfcodepages.h"

// Code pages through ICU, which Qt's QStringDecoder uses on Linux: ICU knows them by name.
namespace sweltra::rtf {
namespace {

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

bool SystemCodepages::knows(int codepage) {
    return nameOf(codepage) != nullptr;
}

void SystemCodepages::append(QByteArrayView bytes, int codepage, QString &out) {
    auto it = m_decoders.find(codepage);
    if (it == m_decoders.end()) {
        const char *name = nameOf(codepage);
        QStringDecoder decoder(name ? name : "windows-1252", QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
        it = m_decoders.emplace(codepage, std::move(decoder)).first;
    }
    out.append(it->second.decode(bytes));
    it->second.resetState();
}

} // namespace sweltra::rtf
