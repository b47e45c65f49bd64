#include "rtf/rtfformats.h"

#include "rtf/rtfdestinations.h"

#include <algorithm>

namespace sweltra::rtf {

const QTextCharFormat &FormatCache::charFormat(const CharProps &p) {
    if (m_fontVersion != m_fonts.version() || m_linkCount != m_links.size()) {
        m_fontVersion = m_fonts.version();
        m_linkCount = m_links.size();
        m_formatCount = 0;
    }
    for (std::size_t i = 0; i < m_formatCount; ++i) {
        if (m_formats[i].props == p)
            return m_formats[i].format;
    }
    CachedFormat &slot = m_formats[m_formatNext];
    m_formatNext = (m_formatNext + 1) % m_formats.size();
    m_formatCount = std::min(m_formatCount + 1, m_formats.size());
    slot.props = p;
    QTextCharFormat f;
    if (const FontTable::Font *font = m_fonts.find(p.font); font && !font->name.isEmpty()) {
        f.setFontFamilies({font->name});
        f.setFontStyleHint(static_cast<QFont::StyleHint>(font->styleHint));
    }
    f.setFontPointSize(p.halfPoints / 2.0);
    f.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(p.italic);
    if (p.underline != 0)
        f.setUnderlineStyle(static_cast<QTextCharFormat::UnderlineStyle>(p.underline));
    if (p.strike)
        f.setFontStrikeOut(true);
    if (p.vertical != 0)
        f.setVerticalAlignment(p.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    if (p.capitalization != QFont::MixedCase)
        f.setFontCapitalization(static_cast<QFont::Capitalization>(p.capitalization));
    if (const auto color = m_colors.color(p.foreground))
        f.setForeground(*color);
    if (const auto color = m_colors.color(p.background))
        f.setBackground(*color);
    if (p.link > 0 && static_cast<std::size_t>(p.link) < m_links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(m_links[static_cast<std::size_t>(p.link)]);
    }
    slot.format = f;
    return slot.format;
}

const QTextBlockFormat &FormatCache::blockFormat(const ParaProps &p) {
    if (m_blockValid && p == m_blockProps)
        return m_blockFormat;
    m_blockValid = true;
    m_blockProps = p;
    QTextBlockFormat f;
    static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                               Qt::AlignJustify};
    f.setAlignment(kAlign[std::clamp(p.align, 0, 3)]);
    f.setLeftMargin(p.left / 15.0);
    f.setRightMargin(p.right / 15.0);
    f.setTextIndent(p.first / 15.0);
    f.setTopMargin(p.before / 15.0);
    f.setBottomMargin(p.after / 15.0);
    // A hanging indent: the list number's tab reaches the indent (tabs count from the line start).
    if (p.first < 0)
        f.setTabPositions({QTextOption::Tab(-p.first / 15.0, QTextOption::LeftTab)});
    if (p.lineSpacing != 0) {
        if (p.lineMultiple && p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing / 15.0, QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(-p.lineSpacing / 15.0, QTextBlockFormat::FixedHeight);
    }
    m_blockFormat = f;
    return m_blockFormat;
}

} // namespace sweltra::rtf
