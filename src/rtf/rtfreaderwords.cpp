#include "rtf/rtflimits.h"
#include "rtf/rtfreader_p.h"

#include <QTextImageFormat>

#include <algorithm>

namespace sweltra::rtf {

// A word goes to the group's destination first; what it leaves is the body's or the group's state.
void Reader::dispatch(const ControlWord &word, std::int32_t value) {
    if (Destination *dest = top().dest) {
        if (dest->controlWord(word, value))
            return;
    } else if (bodyWord(word.action, value)) {
        return;
    }
    apply(word.action, value);
}

void Reader::startDestination(Action action) {
    GroupState &state = top();
    const bool body = !state.dest;
    auto open = [&state](Destination &dest) {
        state.dest = &dest;
        state.opened = &dest;
    };
    // Beyond the depth limit a destination would take over the deepest kept group for good: only
    // the groups that carry body text are read there.
    if (m_overflowDepth > 0 && action != Action::FieldResult && action != Action::ListText &&
        action != Action::BodyText && action != Action::UnicodeVersion) {
        skipGroup(Skipping::All);
        return;
    }
    switch (action) {
    case Action::FontTable:
        open(m_fonts);
        break;
    case Action::ColorTable:
        open(m_colors);
        break;
    case Action::StyleSheet:
        open(m_styles);
        break;
    case Action::Picture:
        if (body && !state.chars.hidden) {
            m_picture.begin();
            open(m_picture);
        } else {
            skipGroup(Skipping::All);
        }
        break;
    case Action::FieldInstruction:
        if (body || state.dest == &m_fields) { // an instruction may hold a nested field
            m_fields.begin();
            open(m_fields);
        } else {
            skipGroup(Skipping::All);
        }
        break;
    case Action::FieldResult:
        if (body && state.fieldLink != 0)
            state.chars.link = state.fieldLink;
        break;
    case Action::Footnote:
        if (!body || state.inFootnote) {
            skipGroup(Skipping::All);
            break;
        }
        flushRun();
        ++m_footnotes;
        if (!m_notesDocument.isEmpty())
            m_notes.paragraph(QTextBlockFormat(), QTextCharFormat());
        state.inFootnote = true;
        state.chars.link = 0;
        break;
    case Action::ListText:
        state.inListText = true;
        state.listTextBase = state.chars;
        break;
    case Action::UnicodePair:
        skipGroup(Skipping::UntilUnicodeVersion);
        break;
    case Action::Skip:
        skipGroup(Skipping::All);
        break;
    default:
        break;
    }
}

// Words that only mean something in the body: breaks, styles applied, footnote numbers.
bool Reader::bodyWord(Action action, std::int32_t value) {
    GroupState &state = top();
    switch (action) {
    case Action::CharStyle:
    case Action::ParaStyle:
        applyStyle(action == Action::CharStyle, value);
        return true;
    case Action::Par:
    case Action::Page:
    case Action::Sect:
        paragraphBreak();
        return true;
    case Action::Cell:
    case Action::NestCell:
        flushRun();
        writer().endCell(state.para.level(), m_formats.blockFormat(state.para),
                         m_formats.charFormat(state.chars));
        return true;
    case Action::Row:
    case Action::NestRow:
        flushRun();
        writer().endRow(state.para.level());
        return true;
    case Action::FootnoteNumber:
        emitText(QString::number(state.inFootnote ? m_footnotes : m_footnotes + 1));
        return true;
    default:
        return false;
    }
}

// Document, character, paragraph and table-row words, and words that stand for text.
void Reader::apply(Action action, std::int32_t value) {
    GroupState &state = top();
    CharProps &chars = state.chars;
    ParaProps &para = state.para;
    auto indent = [](std::int32_t v) { return std::clamp(v, -kMaxIndent, kMaxIndent); };
    auto spacing = [](std::int32_t v) { return std::clamp(v, 0, kMaxIndent); };
    switch (action) {
    case Action::Ansi:
        m_documentCodepage = kDefaultCodepage;
        break;
    case Action::Mac:
        m_documentCodepage = kMacCodepage;
        break;
    case Action::Pc:
        m_documentCodepage = kPcCodepage;
        break;
    case Action::Pca:
        m_documentCodepage = kPcaCodepage;
        break;
    case Action::AnsiCodepage:
        m_documentCodepage = usableCodepage(value);
        break;
    case Action::DefaultFont:
        m_defaultFont = value;
        m_stack.front().chars.font = value;
        chars.font = value;
        break;
    case Action::Plain: {
        const int link = chars.link;
        // LibreOffice opens each list number with \plain and nothing after it: the number then
        // takes the look of its paragraph, not the document's 12-point default.
        if (state.inListText) {
            chars = state.listTextBase;
        } else {
            chars = CharProps{};
            chars.font = m_defaultFont;
        }
        chars.link = link;
        break;
    }
    case Action::Font:
        chars.font = value;
        break;
    case Action::FontSize:
        chars.halfPoints = value > 0 ? std::min(value, 3276) : 24;
        break;
    case Action::Bold:
        chars.bold = value != 0;
        break;
    case Action::Italic:
        chars.italic = value != 0;
        break;
    case Action::Underline:
        chars.underline = value;
        break;
    case Action::UnderlineNone:
        chars.underline = 0;
        break;
    case Action::Strike:
        chars.strike = value != 0;
        break;
    case Action::Super:
        chars.vertical = 1;
        break;
    case Action::Sub:
        chars.vertical = -1;
        break;
    case Action::NoSuperSub:
        chars.vertical = 0;
        break;
    case Action::Up:
        chars.vertical = value > 0 ? 1 : 0;
        break;
    case Action::Down:
        chars.vertical = value > 0 ? -1 : 0;
        break;
    case Action::Caps:
        chars.capitalization = value ? QFont::AllUppercase : QFont::MixedCase;
        break;
    case Action::SmallCaps:
        chars.capitalization = value ? QFont::SmallCaps : QFont::MixedCase;
        break;
    case Action::ForeColor:
        chars.foreground = value;
        break;
    case Action::BackColor:
        chars.background = value;
        break;
    case Action::Hidden:
        chars.hidden = value != 0;
        break;
    case Action::UnicodeSkip:
        state.unicodeSkip = std::clamp(value, 0, kMaxUnicodeSkip);
        break;
    case Action::Unicode:
        unicode(value);
        break;
    case Action::Pard:
        if (state.inListText) { // a list number's own \pard must not take it out of its table
            const ParaProps kept = para;
            para = ParaProps{};
            para.inTable = kept.inTable;
            para.tableLevel = kept.tableLevel;
        } else {
            para = ParaProps{};
        }
        break;
    case Action::Align:
        para.align = value;
        break;
    case Action::LeftIndent:
        para.left = indent(value);
        break;
    case Action::RightIndent:
        para.right = indent(value);
        break;
    case Action::FirstIndent:
        para.first = indent(value);
        break;
    case Action::SpaceBefore:
        para.before = spacing(value);
        break;
    case Action::SpaceAfter:
        para.after = spacing(value);
        break;
    case Action::LineSpacing:
        para.lineSpacing = indent(value);
        break;
    case Action::LineMultiple:
        para.lineMultiple = value != 0;
        break;
    case Action::InTable:
        para.inTable = true;
        break;
    case Action::TableLevel:
        para.tableLevel = std::clamp(value, 0, kMaxTableDepth);
        break;
    case Action::Line:
        emitChar(QChar::LineSeparator);
        break;
    case Action::Character:
        emitChar(static_cast<char32_t>(value));
        break;
    case Action::RowDefaults:
        writer().rowDefinition(para.level()) = RowDefinition{};
        break;
    case Action::CellRight: {
        auto &rights = writer().rowDefinition(para.level()).cellRight;
        if (static_cast<int>(rights.size()) < kMaxTableColumns)
            rights.push_back(std::clamp(value, -2 * kMaxIndent, 2 * kMaxIndent));
        m_borderSide = false;
        break;
    }
    case Action::RowLeft:
        writer().rowDefinition(para.level()).left = indent(value);
        break;
    case Action::RowGap:
        writer().rowDefinition(para.level()).gap = spacing(value);
        break;
    case Action::Border:
        if (value == 0)
            m_borderSide = true;
        else if (value < 0)
            m_borderSide = false;
        else if (m_borderSide)
            writer().rowDefinition(para.level()).borders = true;
        break;
    default:
        break;
    }
}

void Reader::applyStyle(bool characterStyle, int id) {
    for (const RecordedWord &w : m_styles.words(characterStyle, id))
        apply(w.action, w.value);
}

void Reader::unicode(std::int32_t value) {
    std::int64_t code = value < 0 ? std::int64_t(value) + 65536 : value;
    m_skip = top().unicodeSkip;
    if (code >= 0xD800 && code <= 0xDBFF) {
        resolveSurrogate();
        m_highSurrogate = static_cast<char16_t>(code);
        return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
        if (m_highSurrogate != 0) {
            const QChar pair[2] = {QChar(m_highSurrogate), QChar(static_cast<char16_t>(code))};
            m_highSurrogate = 0;
            emitRaw(QStringView(pair, 2));
        } else {
            emitChar(QChar::ReplacementCharacter);
        }
        return;
    }
    resolveSurrogate();
    if (code >= 0xF020 && code <= 0xF0FF) // bullets of symbol fonts, written through the private use area
        code = symbolCharacter(static_cast<unsigned char>(code - 0xF000)).unicode();
    emitChar(code > 0 && code <= 0x10FFFF ? static_cast<char32_t>(code)
                                          : char32_t(QChar::ReplacementCharacter));
}

void Reader::paragraphBreak() {
    flushRun();
    const GroupState &state = top();
    DocumentWriter &out = writer();
    out.enterLevel(state.para.level());
    out.paragraph(m_formats.blockFormat(state.para), m_formats.charFormat(state.chars));
}

void Reader::insertImage(const QTextImageFormat &format) {
    flushRun();
    DocumentWriter &out = writer();
    out.enterLevel(top().para.level());
    out.image(format);
}

void Reader::fieldLink(const QString &target) {
    GroupState &state = top();
    if (state.dest || state.skipping != Skipping::None)
        return;
    m_links.push_back(target);
    state.fieldLink = static_cast<int>(m_links.size() - 1);
}

} // namespace sweltra::rtf
