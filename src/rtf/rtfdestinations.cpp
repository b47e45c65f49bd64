#include "rtf/rtfdestinations.h"

#include "rtf/rtfcodepages.h"
#include "rtf/rtflimits.h"

#include <algorithm>

namespace sweltra::rtf {

bool FontTable::controlWord(const ControlWord &word, std::int32_t value) {
    switch (word.action) {
    case Action::Font:
        begin(value);
        return false; // the reader keeps it too: the name is decoded in the font's own code page
    case Action::FontCharset:
        setCharset(value);
        return true;
    case Action::FontCodepage:
        setCodepage(value);
        return true;
    case Action::FontFamily:
        setStyleHint(value);
        return true;
    default:
        return false;
    }
}

void FontTable::begin(int id) {
    commitName();
    m_current = id;
    m_fonts.try_emplace(id);
    ++m_version;
}

void FontTable::setCharset(int charset) {
    if (m_current < 0)
        return;
    const int codepage = codepageForCharset(charset);
    Font &font = m_fonts[m_current];
    if (font.codepage == 0 || codepage == kSymbolCodepage)
        font.codepage = codepage;
    ++m_version;
}

void FontTable::setCodepage(int codepage) {
    if (m_current < 0)
        return;
    Font &font = m_fonts[m_current];
    if (font.codepage != kSymbolCodepage)
        font.codepage = usableCodepage(codepage);
    ++m_version;
}

void FontTable::setStyleHint(int hint) {
    if (m_current >= 0)
        m_fonts[m_current].styleHint = hint;
}

void FontTable::text(QStringView text) {
    for (QChar c : text) {
        if (c == u';')
            commitName();
        else if (m_name.size() < kMaxFontNameLength)
            m_name.append(c);
    }
}

void FontTable::commitName() {
    const QString name = m_name.trimmed();
    m_name.clear();
    if (m_current < 0 || name.isEmpty())
        return;
    Font &font = m_fonts[m_current];
    if (font.name.isEmpty()) {
        font.name = name;
        ++m_version;
    }
}

const FontTable::Font *FontTable::find(int id) const {
    const auto it = m_fonts.find(id);
    return it == m_fonts.end() ? nullptr : &it->second;
}

int FontTable::codepage(int id) {
    if (id != m_cachedId || m_version != m_cachedVersion) {
        m_cachedId = id;
        m_cachedVersion = m_version;
        const Font *font = find(id);
        m_cachedCodepage = font ? font->codepage : 0;
    }
    return m_cachedCodepage;
}

bool ColorTable::controlWord(const ControlWord &word, std::int32_t value) {
    const Action which = word.action;
    if (which != Action::Red && which != Action::Green && which != Action::Blue)
        return false;
    const int index = which == Action::Red ? 0 : which == Action::Green ? 1 : 2;
    m_rgb[index] = std::clamp(value, 0, 255);
    m_any = true;
    return true;
}

bool ColorTable::rawText(QByteArrayView bytes) {
    for (char c : bytes) {
        if (c != ';')
            continue;
        if (m_any)
            m_colors.emplace_back(QColor(m_rgb[0], m_rgb[1], m_rgb[2]));
        else
            m_colors.emplace_back(std::nullopt);
        m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
        m_any = false;
    }
    return true;
}

std::optional<QColor> ColorTable::color(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[static_cast<std::size_t>(index)];
}

bool StyleSheet::controlWord(const ControlWord &word, std::int32_t value) {
    m_resolved[0].clear();
    m_resolved[1].clear();
    switch (word.action) {
    case Action::CharStyle:
    case Action::ParaStyle: {
        auto &styles = word.action == Action::CharStyle ? m_characterStyles : m_paragraphStyles;
        m_current = &styles[value];
        *m_current = Style{};
        return true;
    }
    case Action::OtherStyle:
        m_current = nullptr;
        return true;
    case Action::BasedOn:
        if (m_current && value != kBasedOnNothing)
            m_current->basedOn = value;
        return true;
    default:
        // The words of a style are also kept for the entry's group, as in the body.
        if (word.scope != WordScope::Other && m_current && m_current->words.size() < kMaxWordsPerStyle)
            m_current->words.push_back({word.action, value});
        return false;
    }
}

void StyleSheet::text(QStringView text) {
    if (text.contains(u';'))
        m_current = nullptr;
}

const std::vector<RecordedWord> &StyleSheet::words(bool characterStyle, int id) {
    auto &resolved = m_resolved[characterStyle ? 1 : 0];
    const auto [found, added] = resolved.try_emplace(id);
    std::vector<RecordedWord> &words = found->second;
    if (!added)
        return words;
    const auto &styles = characterStyle ? m_characterStyles : m_paragraphStyles;
    std::vector<const Style *> chain;
    while (id >= 0 && static_cast<int>(chain.size()) < kMaxStyleChain) {
        const auto it = styles.find(id);
        if (it == styles.end() || std::find(chain.begin(), chain.end(), &it->second) != chain.end())
            break;
        chain.push_back(&it->second);
        id = it->second.basedOn;
    }
    for (auto style = chain.rbegin(); style != chain.rend(); ++style)
        words.insert(words.end(), (*style)->words.begin(), (*style)->words.end());
    return words;
}

void FieldInstructions::text(QStringView text) {
    if (!m_open.empty() && m_open.back().size() < kMaxInstructionLength)
        m_open.back().append(text.left(kMaxInstructionLength));
}

void FieldInstructions::end(DestinationHost &host, bool) {
    if (m_open.empty())
        return;
    const QString target = hyperlinkTarget(m_open.back());
    m_open.pop_back();
    if (!target.isEmpty())
        host.fieldLink(target);
}

QString hyperlinkTarget(QStringView instruction) {
    // Split into arguments; quotes group words, a backslash escapes the next character inside quotes.
    std::vector<QString> args;
    QString current;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < instruction.size(); ++i) {
        const QChar c = instruction[i];
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < instruction.size() && instruction[i + 1] == u'\\') {
                current.append(c);
                ++i;
            } else {
                current.append(c);
            }
        } else if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c.isSpace()) {
            if (any || !current.isEmpty())
                args.push_back(current);
            current.clear();
            any = false;
        } else {
            current.append(c);
        }
    }
    if (any || !current.isEmpty())
        args.push_back(current);
    if (args.empty() || args.front().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return {};
    QString address, fragment;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a.size() == 2 && a[0] == u'\\') {
            const QChar sw = a[1].toLower();
            if ((sw == u'l' || sw == u'o' || sw == u't') && i + 1 < args.size()) {
                if (sw == u'l')
                    fragment = args[i + 1];
                ++i;
            }
        } else if (address.isEmpty()) {
            address = a;
        }
    }
    if (!fragment.isEmpty())
        address += u'#' + fragment;
    return address;
}

} // namespace sweltra::rtf
