#include "rtf/rtfdestinations.h"

#include "rtf/rtfcodepages.h"
#include "rtf/rtfreader.h"

#include <algorithm>
#include <cmath>

namespace sweltra::rtf {

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
        else if (m_name.size() < 256)
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

void ColorTable::setComponent(Action which, int value) {
    const int index = which == Action::Red ? 0 : which == Action::Green ? 1 : 2;
    m_rgb[index] = std::clamp(value, 0, 255);
    m_any = true;
}

void ColorTable::text(QByteArrayView bytes) {
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
}

std::optional<QColor> ColorTable::color(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[static_cast<std::size_t>(index)];
}

void StyleSheet::begin(bool characterStyle, int id) {
    auto &styles = characterStyle ? m_characterStyles : m_paragraphStyles;
    m_current = &styles[id];
    *m_current = Style{};
    m_currentIsCharacter = characterStyle;
}

void StyleSheet::record(Action action, std::int32_t value) {
    constexpr std::size_t kMaxWordsPerStyle = 256;
    if (m_current && m_current->words.size() < kMaxWordsPerStyle)
        m_current->words.push_back({action, value});
}

void StyleSheet::setBasedOn(int id) {
    if (m_current && id != 222) // 222 means "based on nothing"
        m_current->basedOn = id;
}

std::vector<const StyleSheet::Style *> StyleSheet::chain(bool characterStyle, int id) const {
    const auto &styles = characterStyle ? m_characterStyles : m_paragraphStyles;
    std::vector<const Style *> result;
    std::vector<int> seen;
    while (id >= 0 && static_cast<int>(result.size()) < kMaxStyleChain) {
        if (std::find(seen.begin(), seen.end(), id) != seen.end())
            break;
        const auto it = styles.find(id);
        if (it == styles.end())
            break;
        seen.push_back(id);
        result.push_back(&it->second);
        id = it->second.basedOn;
    }
    std::reverse(result.begin(), result.end());
    return result;
}

void Picture::setSize(Action which, int value) {
    switch (which) {
    case Action::PicWidth:
        m_width = value;
        break;
    case Action::PicHeight:
        m_height = value;
        break;
    case Action::PicGoalWidth:
        m_goalWidth = value;
        break;
    case Action::PicGoalHeight:
        m_goalHeight = value;
        break;
    case Action::PicScaleX:
        m_scaleX = value;
        break;
    case Action::PicScaleY:
        m_scaleY = value;
        break;
    default:
        break;
    }
}

bool Picture::append(QByteArrayView bytes) {
    if (m_overflow || m_data.size() + bytes.size() > kMaxPictureBytes) {
        m_overflow = true;
        m_data.clear();
        return false;
    }
    m_data.append(bytes);
    return true;
}

void Picture::hex(QByteArrayView text) {
    if (m_overflow)
        return;
    if (m_data.size() + text.size() / 2 > kMaxPictureBytes) {
        m_overflow = true;
        m_data = QByteArray();
        return;
    }
    const qsizetype oldSize = m_data.size();
    m_data.resize(oldSize + text.size() / 2 + 1);
    char *out = m_data.data() + oldSize;
    int high = m_highNibble;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            continue;
        if (high < 0) {
            high = v;
        } else {
            *out++ = static_cast<char>((high << 4) | v);
            high = -1;
        }
    }
    m_highNibble = high;
    m_data.resize(out - m_data.data());
}

void Picture::binary(QByteArrayView bytes) {
    append(bytes);
}

QSize Picture::displaySize(QSize natural) const {
    auto side = [](double pixels) {
        if (!std::isfinite(pixels))
            return 1;
        return static_cast<int>(std::clamp(std::lround(pixels), 1L, static_cast<long>(kMaxImageSide)));
    };
    const double sx = (m_scaleX > 0 ? m_scaleX : 100) / 100.0;
    const double sy = (m_scaleY > 0 ? m_scaleY : 100) / 100.0;
    double w = 0, h = 0;
    if (m_goalWidth > 0 && m_goalHeight > 0) {
        w = m_goalWidth / 15.0;
        h = m_goalHeight / 15.0;
    } else if (isBitmap() && natural.isValid() && !natural.isEmpty()) {
        w = natural.width();
        h = natural.height();
    } else if (isBitmap() && m_width > 0 && m_height > 0) {
        w = m_width;
        h = m_height;
    } else if (m_width > 0 && m_height > 0) { // metafiles give hundredths of a millimetre
        w = m_width * 96.0 / 2540.0;
        h = m_height * 96.0 / 2540.0;
    } else {
        w = h = 32;
    }
    return QSize(side(w * sx), side(h * sy));
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
