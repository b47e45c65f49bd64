#include "rtf/rtfcodepages.h"

#include <windows.h>

#include <algorithm>
#include <climits>

// Code pages through Windows itself, which knows every Windows and Mac code page by number.
namespace sweltra::rtf {

bool SystemCodepages::knows(int codepage) {
    return codepage > 0 && IsValidCodePage(static_cast<UINT>(codepage));
}

void SystemCodepages::append(QByteArrayView bytes, int codepage, QString &out) {
    if (bytes.isEmpty() || bytes.size() > INT_MAX)
        return;
    const auto page = static_cast<UINT>(codepage);
    // A run that ends inside a two-byte character (a lone lead byte) loses that byte, as ICU's
    // converters on Linux drop it, rather than showing the code page's stand-in character.
    qsizetype complete = 0;
    while (complete < bytes.size())
        complete += IsDBCSLeadByteEx(page, static_cast<BYTE>(bytes[complete])) ? 2 : 1;
    if (complete > bytes.size())
        bytes.chop(1);
    if (bytes.isEmpty())
        return;
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0)
        return;
    const qsizetype at = out.size();
    out.resize(at + needed);
    const int written = MultiByteToWideChar(page, 0, bytes.data(), length,
                                            reinterpret_cast<wchar_t *>(out.data() + at), needed);
    out.resize(at + std::max(written, 0));
}

} // namespace sweltra::rtf
