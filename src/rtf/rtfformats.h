#pragma once

#include <QFont>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <array>
#include <cstddef>
#include <vector>

namespace sweltra::rtf {

class ColorTable;
class FontTable;

// Character properties of a group, as RTF words set them.
struct CharProps {
    int font = -1;
    int halfPoints = 24;
    int foreground = -1;
    int background = -1;
    int link = 0;
    int underline = 0; // a QTextCharFormat::UnderlineStyle
    int vertical = 0;  // 1 superscript, -1 subscript
    int capitalization = QFont::MixedCase;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    bool operator==(const CharProps &) const = default;
};

// Paragraph properties of a group; lengths in twips.
struct ParaProps {
    int align = 0;
    int left = 0, right = 0, first = 0;
    int before = 0, after = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool inTable = false;
    int tableLevel = 0;
    int level() const { return tableLevel > 0 ? tableLevel : (inTable ? 1 : 0); }
    bool operator==(const ParaProps &) const = default;
};

// Turns properties into Qt formats. Documents switch back and forth among a few formats, so the
// last ones made are kept; building a QTextCharFormat costs more than comparing properties.
class FormatCache {
public:
    FormatCache(const FontTable &fonts, const ColorTable &colors, const std::vector<QString> &links)
        : m_fonts(fonts), m_colors(colors), m_links(links) {}

    const QTextCharFormat &charFormat(const CharProps &props);
    const QTextBlockFormat &blockFormat(const ParaProps &props);

private:
    struct CachedFormat {
        CharProps props;
        QTextCharFormat format;
    };

    const FontTable &m_fonts;
    const ColorTable &m_colors;
    const std::vector<QString> &m_links; // index 0: no link
    std::array<CachedFormat, 8> m_formats;
    std::size_t m_formatCount = 0, m_formatNext = 0;
    int m_fontVersion = -1;
    std::size_t m_linkCount = 0;
    ParaProps m_blockProps;
    bool m_blockValid = false;
    QTextBlockFormat m_blockFormat;
};

} // namespace sweltra::rtf
