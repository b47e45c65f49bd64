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
