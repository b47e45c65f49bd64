#pragma once

#include <QString>

#include <string_view>

namespace sweltra::platform {

// The tables and the core hold their texts as UTF-8.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace sweltra::platform
