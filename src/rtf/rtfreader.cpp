#include "rtf/rtfreader.h"

#include "rtf/rtfcodepages.h"
#include "rtf/rtfcontrolwords.h"
#include "rtf/rtfdestinations.h"
#include "rtf/rtfdocumentwriter.h"
#include "rtf/rtftokenizer.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace sweltra::rtf {

namespace {

constexpr int kMaxIndent = 31680; // 22 inches, the largest Word accepts
constexpr int kMaxUnicodeSkip = 64;
constexpr qsizetype kMaxInstructionLength = 4096;
const QString kImageScheme = QStringLiteral("rtfimage");

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

enum class Dest : std::uint8_t {
    Body,
    FontTable,
    ColorTable,
    StyleSheet,
    Picture,
    FieldInstruction,
    Skip,
    UnicodePair
};

struct GroupState {
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1;
    int fieldLink = 0; // link of the field this group belongs to
    Dest dest = Dest::Body;
    Dest opened = Dest::Body; // the destination this very group started, finished when it closes
    Dest beforeUnicodePair = Dest::Body;
    bool inFootnote = false;
    bool inListText = false;
    CharProps listTextBase; // the paragraph's look where a list number began
};

class Reader {
public:
    explicit Reader(QTextDocument &document)
        : m_document(document), m_body(document), m_notes(m_notesDocument), m_stack(1) {}

    void read(QByteArrayView data);

private:
    GroupState &top() { return m_stack.back(); }
    DocumentWriter &writer() { return top().inFootnote ? m_notes : m_body; }
    bool inBody() { return m_stack.back().dest == Dest::Body; }

    void groupOpen();
    bool groupClose();
    void word(const Token &token);
    void symbol(char c);
    void textBytes(QByteArrayView bytes);
    void binary(QByteArrayView bytes);

    void apply(Action action, std::int32_t value);
    void startDestination(Action action);
    void finishDestination(const GroupState &closed);
    void applyStyle(bool characterStyle, int id);
    void unicode(std::int32_t value);
    void resolveSurrogate();

    void flushBytes();
    void emitText(QStringView text);
    void emitRaw(QStringView text);
    void emitChar(char32_t c);
    void flushRun();
    void paragraphBreak();
    void insertPicture();

    int codepage();
    const QTextCharFormat &charFormat(const CharProps &props);
    const QTextBlockFormat &blockFormat(const ParaProps &props);

    QTextDocument &m_document;
    QTextDocument m_notesDocument;
    DocumentWriter m_body;
    DocumentWriter m_notes;
    std::vector<GroupState> m_stack;
    GroupState m_last;
    int m_overflowDepth = 0;

    FontTable m_fonts;
    ColorTable m_colors;
    StyleSheet m_styles;
    Picture m_picture;
    std::vector<QString> m_instructions;
    std::vector<QString> m_links{QString()}; // index 0: no link
    CodepageDecoder m_decoder;
    int m_documentCodepage = kDefaultCodepage;
    int m_defaultFont = -1;

    QByteArray m_bytes; // text bytes not yet decoded
    QString m_decoded;  // scratch for decoding
    QString m_run;      // decoded text waiting to be written with m_runProps
    CharProps m_runProps;
    bool m_runInNotes = false;
    int m_skip = 0; // fallback characters still to skip after \u
    bool m_ignorable = false;
    char16_t m_highSurrogate = 0;
    bool m_borderSide = false;
    int m_images = 0;
    int m_footnotes = 0;

    // One-entry caches: consecutive runs and paragraphs mostly share their formats.
    int m_cachedFont = -2, m_cachedFontVersion = -1, m_cachedCodepage = kDefaultCodepage;
    struct CachedFormat {
        CharProps props;
        QTextCharFormat format;
    };
    std::array<CachedFormat, 8> m_formats;
    std::size_t m_formatCount = 0, m_formatNext = 0;
    int m_formatFontVersion = -1;
    std::size_t m_formatLinks = 0;
    ParaProps m_blockProps;
    bool m_blockValid = false;
    QTextBlockFormat m_blockFormat;
};

void Reader::read(QByteArrayView data) {
    Tokenizer tokenizer(data);
    for (;;) {
        const Token t = tokenizer.next();
        if (t.kind != Token::Kind::Word && t.kind != Token::Kind::Symbol)
            m_ignorable = false;
        switch (t.kind) {
        case Token::Kind::End:
            break;
        case Token::Kind::GroupOpen:
            groupOpen();
            continue;
        case Token::Kind::GroupClose:
            if (groupClose())
                continue;
            // The outermost group has closed: carry on only if more RTF follows (a stray '}' earlier).
            if (const char c = tokenizer.peekSignificant(); c == '{' || c == '\\' || c == '}')
                continue;
            break;
        case Token::Kind::Word:
            if (m_overflowDepth == 0)
                word(t);
            continue;
        case Token::Kind::Symbol:
            if (m_overflowDepth == 0)
                symbol(t.symbol);
            continue;
        case Token::Kind::HexByte:
            if (m_overflowDepth == 0 && t.parameter >= 0) {
                const char byte = static_cast<char>(t.parameter);
                textBytes(QByteArrayView(&byte, 1));
            } else if (m_overflowDepth == 0 && m_skip > 0) {
                --m_skip;
            }
            continue;
        case Token::Kind::Text:
            if (m_overflowDepth == 0)
                textBytes(t.bytes);
            continue;
        case Token::Kind::Binary:
            if (m_overflowDepth == 0)
                binary(t.bytes);
            continue;
        }
        break;
    }
    flushBytes();
    resolveSurrogate();
    flushRun();
    const GroupState &last = m_stack.size() > 1 ? top() : m_last;
    const QTextBlockFormat block = blockFormat(last.para);
    const QTextCharFormat chars = charFormat(last.chars);
    m_notes.finish(QTextBlockFormat(), QTextCharFormat());
    m_body.appendDocument(m_notesDocument, block, chars);
}

void Reader::groupOpen() {
    flushBytes();
    m_skip = 0;
    if (m_overflowDepth > 0 || static_cast<int>(m_stack.size()) > kMaxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState inner = m_stack.back();
    inner.opened = Dest::Body;
    m_stack.push_back(inner);
}

// False when the outermost group has just closed.
bool Reader::groupClose() {
    flushBytes();
    m_skip = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.size() == 1) // a '}' too many
        return false;
    resolveSurrogate();
    const GroupState closed = m_stack.back();
    m_stack.pop_back();
    if (closed.dest == Dest::FontTable)
        m_fonts.endGroup();
    else if (closed.dest == Dest::StyleSheet)
        m_styles.endEntry();
    if (closed.opened != Dest::Body)
        finishDestination(closed);
    if (m_stack.size() > 1)
        return true;
    m_last = closed; // the outermost group's properties finish the last paragraph
    return false;
}

void Reader::word(const Token &token) {
    const bool ignorable = std::exchange(m_ignorable, false);
    GroupState &state = top();
    if (state.dest == Dest::Skip)
        return;
    const ControlWord *cw = findControlWord(token.bytes);
    if (state.dest == Dest::UnicodePair) {
        if (cw && cw->action == Action::UnicodeVersion)
            state.dest = state.beforeUnicodePair;
        return;
    }
    if (m_skip > 0) { // a control word stands for one fallback character
        --m_skip;
        return;
    }
    if (!cw) {
        if (ignorable)
            state.dest = Dest::Skip;
        return;
    }
    flushBytes();
    if (cw->action != Action::Unicode)
        resolveSurrogate();
    std::int32_t value = cw->value;
    switch (cw->kind) {
    case WordKind::Destination:
        startDestination(cw->action);
        return;
    case WordKind::Symbol:
        emitChar(static_cast<char32_t>(cw->value));
        return;
    case WordKind::Flag:
        break;
    case WordKind::Toggle: {
        const bool on = !token.hasParameter || token.parameter != 0;
        value = on ? (cw->action == Action::Underline ? cw->value : 1) : 0;
        break;
    }
    case WordKind::Value:
        if (token.hasParameter)
            value = token.parameter;
        break;
    }
    if (state.dest == Dest::StyleSheet && cw->scope != WordScope::Other && cw->action != Action::CharStyle &&
        cw->action != Action::ParaStyle)
        m_styles.record(cw->action, value);
    apply(cw->action, value);
}

void Reader::symbol(char c) {
    if (c == '*') {
        m_ignorable = true;
        return;
    }
    const Dest dest = top().dest;
    if (dest == Dest::Skip || dest == Dest::UnicodePair)
        return;
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    flushBytes();
    resolveSurrogate();
    switch (c) {
    case '\\':
    case '{':
    case '}':
        if (dest == Dest::Picture || dest == Dest::ColorTable)
            return;
        emitChar(static_cast<char32_t>(c));
        return;
    case '~':
        emitChar(0x00A0);
        return;
    case '-':
        emitChar(0x00AD);
        return;
    case '_':
        emitChar(0x2011);
        return;
    case '\n':
        apply(Action::Par, 0);
        return;
    default:
        return; // \: \| and unknown symbols carry no text
    }
}

void Reader::textBytes(QByteArrayView bytes) {
    const GroupState &state = top();
    switch (state.dest) {
    case Dest::Skip:
    case Dest::UnicodePair:
        return;
    default:
        break;
    }
    if (m_skip > 0) {
        const qsizetype n = std::min<qsizetype>(m_skip, bytes.size());
        m_skip -= static_cast<int>(n);
        bytes = bytes.sliced(n);
        if (bytes.isEmpty())
            return;
    }
    switch (state.dest) {
    case Dest::Picture:
        if (m_picture.isBitmap()) // other formats become a placeholder: their bytes are not needed
            m_picture.hex(bytes);
        return;
    case Dest::ColorTable:
        m_colors.text(bytes);
        return;
    case Dest::Body:
        if (state.chars.hidden)
            return;
        break;
    default:
        break;
    }
    m_bytes.append(bytes);
}

void Reader::binary(QByteArrayView bytes) {
    if (top().dest == Dest::Picture) {
        if (m_picture.isBitmap())
            m_picture.binary(bytes);
        return;
    }
    if (m_skip > 0) // \bin counts as one fallback character
        --m_skip;
}

void Reader::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    m_decoded.resize(0);
    m_decoder.decode(m_bytes, codepage(), m_decoded);
    m_bytes.resize(0);
    emitText(m_decoded);
}

int Reader::codepage() {
    const int font = top().chars.font;
    if (font != m_cachedFont || m_fonts.version() != m_cachedFontVersion) {
        m_cachedFont = font;
        m_cachedFontVersion = m_fonts.version();
        const FontTable::Font *f = m_fonts.find(font);
        m_cachedCodepage = f && f->codepage != 0 ? f->codepage : 0;
    }
    return m_cachedCodepage != 0 ? m_cachedCodepage : m_documentCodepage;
}

void Reader::resolveSurrogate() {
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    const QChar replacement(QChar::ReplacementCharacter);
    emitRaw(QStringView(&replacement, 1));
}

void Reader::emitText(QStringView text) {
    resolveSurrogate();
    emitRaw(text);
}

void Reader::emitChar(char32_t c) {
    const char32_t units[1] = {c};
    emitText(QString::fromUcs4(units, 1));
}

void Reader::emitRaw(QStringView text) {
    GroupState &state = top();
    switch (state.dest) {
    case Dest::Body:
        break;
    case Dest::FontTable:
        m_fonts.text(text);
        return;
    case Dest::StyleSheet:
        if (text.contains(u';'))
            m_styles.endEntry();
        return;
    case Dest::FieldInstruction:
        if (!m_instructions.empty() && m_instructions.back().size() < kMaxInstructionLength)
            m_instructions.back().append(text.left(kMaxInstructionLength));
        return;
    default:
        return;
    }
    if (state.chars.hidden || text.isEmpty())
        return;
    const int level = state.para.level();
    if (!m_run.isEmpty() && (state.chars != m_runProps || state.inFootnote != m_runInNotes))
        flushRun();
    if (m_run.isEmpty()) {
        writer().enterLevel(level);
        m_runProps = state.chars;
        m_runInNotes = state.inFootnote;
    }
    m_run.append(text);
}

void Reader::flushRun() {
    if (m_run.isEmpty())
        return;
    (m_runInNotes ? m_notes : m_body).text(m_run, charFormat(m_runProps));
    m_run.resize(0);
}

void Reader::paragraphBreak() {
    flushRun();
    const GroupState &state = top();
    DocumentWriter &out = writer();
    out.enterLevel(state.para.level());
    out.paragraph(blockFormat(state.para), charFormat(state.chars));
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
        m_documentCodepage = 10000;
        break;
    case Action::Pc:
        m_documentCodepage = 437;
        break;
    case Action::Pca:
        m_documentCodepage = 850;
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
        if (state.dest == Dest::FontTable)
            m_fonts.begin(value);
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
    case Action::CharStyle:
    case Action::ParaStyle:
        if (state.dest == Dest::StyleSheet)
            m_styles.begin(action == Action::CharStyle, value);
        else if (state.dest == Dest::Body)
            applyStyle(action == Action::CharStyle, value);
        break;
    case Action::OtherStyle:
        if (state.dest == Dest::StyleSheet)
            m_styles.beginOther();
        break;
    case Action::BasedOn:
        if (state.dest == Dest::StyleSheet)
            m_styles.setBasedOn(value);
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
    case Action::Par:
    case Action::Page:
    case Action::Sect:
        if (state.dest == Dest::Body)
            paragraphBreak();
        break;
    case Action::Line:
        emitChar(QChar::LineSeparator);
        break;
    case Action::Cell:
    case Action::NestCell:
        if (state.dest == Dest::Body) {
            flushRun();
            writer().endCell(para.level(), blockFormat(para), charFormat(chars));
        }
        break;
    case Action::Row:
    case Action::NestRow:
        if (state.dest == Dest::Body) {
            flushRun();
            writer().endRow(para.level());
        }
        break;
    case Action::Character:
        emitChar(static_cast<char32_t>(value));
        break;
    case Action::FootnoteNumber:
        if (state.dest == Dest::Body)
            emitText(QString::number(state.inFootnote ? m_footnotes : m_footnotes + 1));
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
    case Action::FontCharset:
        if (state.dest == Dest::FontTable)
            m_fonts.setCharset(value);
        break;
    case Action::FontCodepage:
        if (state.dest == Dest::FontTable)
            m_fonts.setCodepage(value);
        break;
    case Action::FontFamily:
        if (state.dest == Dest::FontTable)
            m_fonts.setStyleHint(value);
        break;
    case Action::Red:
    case Action::Green:
    case Action::Blue:
        if (state.dest == Dest::ColorTable)
            m_colors.setComponent(action, value);
        break;
    case Action::PictFormat:
        if (state.dest == Dest::Picture)
            m_picture.setFormat(value);
        break;
    case Action::PicWidth:
    case Action::PicHeight:
    case Action::PicGoalWidth:
    case Action::PicGoalHeight:
    case Action::PicScaleX:
    case Action::PicScaleY:
        if (state.dest == Dest::Picture)
            m_picture.setSize(action, value);
        break;
    default:
        break;
    }
}

void Reader::startDestination(Action action) {
    GroupState &state = top();
    const bool body = state.dest == Dest::Body;
    auto open = [&state](Dest dest) {
        state.dest = dest;
        state.opened = dest;
    };
    switch (action) {
    case Action::FontTable:
        open(Dest::FontTable);
        break;
    case Action::ColorTable:
        open(Dest::ColorTable);
        break;
    case Action::StyleSheet:
        open(Dest::StyleSheet);
        break;
    case Action::Picture:
        if (body && !state.chars.hidden) {
            open(Dest::Picture);
            m_picture = Picture{};
        } else {
            state.dest = Dest::Skip;
        }
        break;
    case Action::FieldInstruction:
        if (body || state.dest == Dest::FieldInstruction) {
            open(Dest::FieldInstruction);
            m_instructions.emplace_back();
        } else {
            state.dest = Dest::Skip;
        }
        break;
    case Action::FieldResult:
        if (body && state.fieldLink != 0)
            state.chars.link = state.fieldLink;
        break;
    case Action::Footnote:
        if (!body || state.inFootnote) {
            state.dest = Dest::Skip;
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
        state.beforeUnicodePair = state.dest;
        state.dest = Dest::UnicodePair;
        break;
    case Action::Skip:
        state.dest = Dest::Skip;
        break;
    default:
        break;
    }
}

void Reader::finishDestination(const GroupState &closed) {
    switch (closed.opened) {
    case Dest::Picture:
        if (closed.dest == Dest::Picture)
            insertPicture();
        break;
    case Dest::FieldInstruction: {
        if (m_instructions.empty())
            break;
        const QString instruction = std::move(m_instructions.back());
        m_instructions.pop_back();
        const QString target = hyperlinkTarget(instruction);
        if (!target.isEmpty() && top().dest == Dest::Body) {
            m_links.push_back(target);
            top().fieldLink = static_cast<int>(m_links.size() - 1);
        }
        break;
    }
    default:
        break;
    }
}

void Reader::applyStyle(bool characterStyle, int id) {
    for (const StyleSheet::Style *style : m_styles.chain(characterStyle, id)) {
        for (const RecordedWord &w : style->words) {
            if (w.action != Action::CharStyle && w.action != Action::ParaStyle)
                apply(w.action, w.value);
        }
    }
}

void Reader::insertPicture() {
    flushRun();
    const GroupState &state = top();
    QImage image;
    if (m_picture.isBitmap() && m_picture.complete()) {
        // Decoded here with the format the file names: left to guess, Qt would load every
        // image plugin it has to ask each whether it knows the bytes.
        QBuffer buffer;
        buffer.setData(m_picture.data());
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, m_picture.imageFormat());
        reader.setAutoDetectImageFormat(false);
        reader.setAllocationLimit(kMaxDecodedPictureMiB);
        image = reader.read();
    }
    QTextImageFormat format;
    const bool shown = !image.isNull();
    const QSize size = m_picture.displaySize(shown ? image.size() : QSize());
    if (shown) {
        const QUrl url(kImageScheme + u':' + QString::number(++m_images));
        m_document.addResource(QTextDocument::ImageResource, url, image);
        format.setName(url.toString());
    } else {
        // Metafiles and unreadable pictures keep their place and size as a plain grey box.
        const QUrl url(kImageScheme + QStringLiteral(":placeholder"));
        if (m_document.resource(QTextDocument::ImageResource, url).isNull()) {
            QImage box(8, 8, QImage::Format_RGB32);
            box.fill(QColor(0xe4, 0xe4, 0xe4));
            m_document.addResource(QTextDocument::ImageResource, url, box);
        }
        format.setName(url.toString());
    }
    format.setWidth(size.width());
    format.setHeight(size.height());
    DocumentWriter &out = writer();
    out.enterLevel(state.para.level());
    out.image(format);
    m_picture = Picture{};
}

const QTextCharFormat &Reader::charFormat(const CharProps &p) {
    // Documents switch back and forth among a few formats: keep the last ones made.
    if (m_formatFontVersion != m_fonts.version() || m_formatLinks != m_links.size()) {
        m_formatFontVersion = m_fonts.version();
        m_formatLinks = m_links.size();
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

const QTextBlockFormat &Reader::blockFormat(const ParaProps &p) {
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
    if (p.first <
        0) // a hanging indent: the list number's tab reaches the indent (tabs count from the line start)
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

// Where the RTF starts, or -1: "{\rtf" near the beginning, after at most a little junk.
qsizetype headerOffset(QByteArrayView data) {
    const QByteArrayView head = data.first(std::min(data.size(), kMaxHeaderOffset + 5));
    const qsizetype header = head.indexOf(QByteArrayView("{\\rtf"));
    if (header >= 0)
        return header;
    // A fragment without the header, as some programs paste or export, starts with a group and a word.
    qsizetype i = 0;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    if (i + 2 < head.size() && head[i] == '{' && head[i + 1] == '\\' && QChar::isLetter(head[i + 2]))
        return i;
    return -1;
}

} // namespace

ReadResult readRtf(QByteArrayView data, QTextDocument &out) {
    out.clear();
    if (data.size() > kMaxDocumentBytes)
        return {ReadStatus::TooLarge, QStringLiteral("larger than %1 MiB").arg(kMaxDocumentBytes >> 20)};
    const qsizetype start = headerOffset(data);
    if (start < 0)
        return {ReadStatus::NotRtf,
                data.isEmpty() ? QStringLiteral("empty file") : QStringLiteral("no RTF header")};
    const bool undo = out.isUndoRedoEnabled();
    out.setUndoRedoEnabled(false);
    {
        QTextCursor batch(&out);
        batch.beginEditBlock();
        Reader reader(out);
        reader.read(data.sliced(start));
        batch.endEditBlock();
    }
    out.setUndoRedoEnabled(undo);
    return {};
}

} // namespace sweltra::rtf
