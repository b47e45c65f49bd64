#include "rtf/rtfcontrolwords.h"

#include "rtf/rtfcodepages.h"

#include <QFont>
#include <QTextCharFormat>

#include <array>
#include <cstring>
#include <iterator>
#include <string_view>

namespace sweltra::rtf {

namespace {

using K = WordKind;
using A = Action;
using S = WordScope;

constexpr std::int32_t ul(QTextCharFormat::UnderlineStyle s) {
    return static_cast<std::int32_t>(s);
}
constexpr std::int32_t hint(QFont::StyleHint h) {
    return static_cast<std::int32_t>(h);
}

// Every control word the reader acts on. Words not listed are ignored (or, after \*, their group is).
constexpr ControlWord kWords[] = {
    // document
    {"ansi", K::Flag, A::Ansi, 0, S::Other},
    {"mac", K::Flag, A::Mac, 0, S::Other},
    {"pc", K::Flag, A::Pc, 0, S::Other},
    {"pca", K::Flag, A::Pca, 0, S::Other},
    {"ansicpg", K::Value, A::AnsiCodepage, kDefaultCodepage, S::Other},
    {"deff", K::Value, A::DefaultFont, 0, S::Other},
    // characters
    {"plain", K::Flag, A::Plain, 0, S::Character},
    {"f", K::Value, A::Font, 0, S::Character},
    {"fs", K::Value, A::FontSize, 24, S::Character},
    {"b", K::Toggle, A::Bold, 0, S::Character},
    {"i", K::Toggle, A::Italic, 0, S::Character},
    {"ul", K::Toggle, A::Underline, ul(QTextCharFormat::SingleUnderline), S::Character},
    {"uld", K::Toggle, A::Underline, ul(QTextCharFormat::DotLine), S::Character},
    {"uldash", K::Toggle, A::Underline, ul(QTextCharFormat::DashUnderline), S::Character},
    {"uldashd", K::Toggle, A::Underline, ul(QTextCharFormat::DashDotLine), S::Character},
    {"uldashdd", K::Toggle, A::Underline, ul(QTextCharFormat::DashDotDotLine), S::Character},
    {"uldb", K::Toggle, A::Underline, ul(QTextCharFormat::SingleUnderline), S::Character},
    {"ulhwave", K::Toggle, A::Underline, ul(QTextCharFormat::WaveUnderline), S::Character},
    {"ulldash", K::Toggle, A::Underline, ul(QTextCharFormat::DashUnderline), S::Character},
    {"ulth", K::Toggle, A::Underline, ul(QTextCharFormat::SingleUnderline), S::Character},
    {"ulthd", K::Toggle, A::Underline, ul(QTextCharFormat::DotLine), S::Character},
    {"ulthdash", K::Toggle, A::Underline, ul(QTextCharFormat::DashUnderline), S::Character},
    {"ulthdashd", K::Toggle, A::Underline, ul(QTextCharFormat::DashDotLine), S::Character},
    {"ulthdashdd", K::Toggle, A::Underline, ul(QTextCharFormat::DashDotDotLine), S::Character},
    {"ulthldash", K::Toggle, A::Underline, ul(QTextCharFormat::DashUnderline), S::Character},
    {"ululdbwave", K::Toggle, A::Underline, ul(QTextCharFormat::WaveUnderline), S::Character},
    {"ulw", K::Toggle, A::Underline, ul(QTextCharFormat::SingleUnderline), S::Character},
    {"ulwave", K::Toggle, A::Underline, ul(QTextCharFormat::WaveUnderline), S::Character},
    {"ulnone", K::Flag, A::UnderlineNone, 0, S::Character},
    {"strike", K::Toggle, A::Strike, 0, S::Character},
    {"striked", K::Toggle, A::Strike, 0, S::Character},
    {"super", K::Flag, A::Super, 0, S::Character},
    {"sub", K::Flag, A::Sub, 0, S::Character},
    {"nosupersub", K::Flag, A::NoSuperSub, 0, S::Character},
    {"up", K::Value, A::Up, 6, S::Character},
    {"dn", K::Value, A::Down, 6, S::Character},
    {"caps", K::Toggle, A::Caps, 0, S::Character},
    {"scaps", K::Toggle, A::SmallCaps, 0, S::Character},
    {"cf", K::Value, A::ForeColor, 0, S::Character},
    {"cb", K::Value, A::BackColor, 0, S::Character},
    {"highlight", K::Value, A::BackColor, 0, S::Character},
    {"chcbpat", K::Value, A::BackColor, 0, S::Character},
    {"v", K::Toggle, A::Hidden, 0, S::Character},
    {"cs", K::Value, A::CharStyle, 0, S::Character},
    {"uc", K::Value, A::UnicodeSkip, 1, S::Other},
    {"u", K::Value, A::Unicode, 0, S::Other},
    // paragraphs
    {"pard", K::Flag, A::Pard, 0, S::Paragraph},
    {"ql", K::Flag, A::Align, 0, S::Paragraph},
    {"qr", K::Flag, A::Align, 1, S::Paragraph},
    {"qc", K::Flag, A::Align, 2, S::Paragraph},
    {"qj", K::Flag, A::Align, 3, S::Paragraph},
    {"qd", K::Flag, A::Align, 3, S::Paragraph},
    {"li", K::Value, A::LeftIndent, 0, S::Paragraph},
    {"lin", K::Value, A::LeftIndent, 0, S::Paragraph},
    {"ri", K::Value, A::RightIndent, 0, S::Paragraph},
    {"rin", K::Value, A::RightIndent, 0, S::Paragraph},
    {"fi", K::Value, A::FirstIndent, 0, S::Paragraph},
    {"sb", K::Value, A::SpaceBefore, 0, S::Paragraph},
    {"sa", K::Value, A::SpaceAfter, 0, S::Paragraph},
    {"sl", K::Value, A::LineSpacing, 0, S::Paragraph},
    {"slmult", K::Value, A::LineMultiple, 0, S::Paragraph},
    {"intbl", K::Flag, A::InTable, 0, S::Paragraph},
    {"itap", K::Value, A::TableLevel, 1, S::Paragraph},
    {"s", K::Value, A::ParaStyle, 0, S::Paragraph},
    // breaks and special characters
    {"par", K::Flag, A::Par, 0, S::Other},
    {"line", K::Flag, A::Line, 0, S::Other},
    {"page", K::Flag, A::Page, 0, S::Other},
    {"sect", K::Flag, A::Sect, 0, S::Other},
    {"cell", K::Flag, A::Cell, 0, S::Other},
    {"nestcell", K::Flag, A::NestCell, 0, S::Other},
    {"row", K::Flag, A::Row, 0, S::Other},
    {"nestrow", K::Flag, A::NestRow, 0, S::Other},
    {"tab", K::Symbol, A::Character, u'\t', S::Other},
    {"emdash", K::Symbol, A::Character, 0x2014, S::Other},
    {"endash", K::Symbol, A::Character, 0x2013, S::Other},
    {"emspace", K::Symbol, A::Character, 0x2003, S::Other},
    {"enspace", K::Symbol, A::Character, 0x2002, S::Other},
    {"qmspace", K::Symbol, A::Character, 0x2005, S::Other},
    {"bullet", K::Symbol, A::Character, 0x2022, S::Other},
    {"lquote", K::Symbol, A::Character, 0x2018, S::Other},
    {"rquote", K::Symbol, A::Character, 0x2019, S::Other},
    {"ldblquote", K::Symbol, A::Character, 0x201C, S::Other},
    {"rdblquote", K::Symbol, A::Character, 0x201D, S::Other},
    {"zwj", K::Symbol, A::Character, 0x200D, S::Other},
    {"zwnj", K::Symbol, A::Character, 0x200C, S::Other},
    {"ltrmark", K::Symbol, A::Character, 0x200E, S::Other},
    {"rtlmark", K::Symbol, A::Character, 0x200F, S::Other},
    {"chftn", K::Flag, A::FootnoteNumber, 0, S::Other},
    // table rows
    {"trowd", K::Flag, A::RowDefaults, 0, S::Other},
    {"cellx", K::Value, A::CellRight, 0, S::Other},
    {"trleft", K::Value, A::RowLeft, 0, S::Other},
    {"trgaph", K::Value, A::RowGap, 0, S::Other},
    {"box", K::Flag, A::Border, -1, S::Other},
    {"brdrb", K::Flag, A::Border, -1, S::Other},
    {"brdrl", K::Flag, A::Border, -1, S::Other},
    {"brdrr", K::Flag, A::Border, -1, S::Other},
    {"brdrt", K::Flag, A::Border, -1, S::Other},
    {"brdrdash", K::Flag, A::Border, 1, S::Other},
    {"brdrdb", K::Flag, A::Border, 1, S::Other},
    {"brdrdot", K::Flag, A::Border, 1, S::Other},
    {"brdrhair", K::Flag, A::Border, 1, S::Other},
    {"brdrs", K::Flag, A::Border, 1, S::Other},
    {"brdrsh", K::Flag, A::Border, 1, S::Other},
    {"brdrth", K::Flag, A::Border, 1, S::Other},
    {"brdrtriple", K::Flag, A::Border, 1, S::Other},
    {"clbrdrt", K::Flag, A::Border, 0, S::Other},
    {"clbrdrb", K::Flag, A::Border, 0, S::Other},
    {"clbrdrl", K::Flag, A::Border, 0, S::Other},
    {"clbrdrr", K::Flag, A::Border, 0, S::Other},
    {"trbrdrt", K::Flag, A::Border, 0, S::Other},
    {"trbrdrb", K::Flag, A::Border, 0, S::Other},
    {"trbrdrl", K::Flag, A::Border, 0, S::Other},
    {"trbrdrr", K::Flag, A::Border, 0, S::Other},
    {"trbrdrh", K::Flag, A::Border, 0, S::Other},
    {"trbrdrv", K::Flag, A::Border, 0, S::Other},
    // font table, colour table, stylesheet
    {"fcharset", K::Value, A::FontCharset, 0, S::Other},
    {"cpg", K::Value, A::FontCodepage, kDefaultCodepage, S::Other},
    {"fnil", K::Flag, A::FontFamily, hint(QFont::AnyStyle), S::Other},
    {"froman", K::Flag, A::FontFamily, hint(QFont::Serif), S::Other},
    {"fswiss", K::Flag, A::FontFamily, hint(QFont::SansSerif), S::Other},
    {"fmodern", K::Flag, A::FontFamily, hint(QFont::TypeWriter), S::Other},
    {"fscript", K::Flag, A::FontFamily, hint(QFont::Cursive), S::Other},
    {"fdecor", K::Flag, A::FontFamily, hint(QFont::Decorative), S::Other},
    {"ftech", K::Flag, A::FontFamily, hint(QFont::AnyStyle), S::Other},
    {"fbidi", K::Flag, A::FontFamily, hint(QFont::AnyStyle), S::Other},
    {"red", K::Value, A::Red, 0, S::Other},
    {"green", K::Value, A::Green, 0, S::Other},
    {"blue", K::Value, A::Blue, 0, S::Other},
    {"sbasedon", K::Value, A::BasedOn, kBasedOnNothing, S::Other},
    {"ds", K::Value, A::OtherStyle, 0, S::Other},
    {"ts", K::Value, A::OtherStyle, 0, S::Other},
    // pictures
    {"pngblip", K::Flag, A::PictFormat, PictPng, S::Other},
    {"jpegblip", K::Flag, A::PictFormat, PictJpeg, S::Other},
    {"emfblip", K::Flag, A::PictFormat, PictOther, S::Other},
    {"wmetafile", K::Flag, A::PictFormat, PictOther, S::Other},
    {"macpict", K::Flag, A::PictFormat, PictOther, S::Other},
    {"pmmetafile", K::Flag, A::PictFormat, PictOther, S::Other},
    {"dibitmap", K::Flag, A::PictFormat, PictOther, S::Other},
    {"wbitmap", K::Flag, A::PictFormat, PictOther, S::Other},
    {"picw", K::Value, A::PicWidth, 0, S::Other},
    {"pich", K::Value, A::PicHeight, 0, S::Other},
    {"picwgoal", K::Value, A::PicGoalWidth, 0, S::Other},
    {"pichgoal", K::Value, A::PicGoalHeight, 0, S::Other},
    {"picscalex", K::Value, A::PicScaleX, 100, S::Other},
    {"picscaley", K::Value, A::PicScaleY, 100, S::Other},
    // destinations that carry the body or something the reader uses
    {"fonttbl", K::Destination, A::FontTable, 0, S::Other},
    {"colortbl", K::Destination, A::ColorTable, 0, S::Other},
    {"stylesheet", K::Destination, A::StyleSheet, 0, S::Other},
    {"pict", K::Destination, A::Picture, 0, S::Other},
    {"fldinst", K::Destination, A::FieldInstruction, 0, S::Other},
    {"fldrslt", K::Destination, A::FieldResult, 0, S::Other},
    {"footnote", K::Destination, A::Footnote, 0, S::Other},
    {"field", K::Destination, A::BodyText, 0, S::Other},
    {"listtext", K::Destination, A::ListText, 0, S::Other},
    {"pntext", K::Destination, A::ListText, 0, S::Other},
    {"shppict", K::Destination, A::BodyText, 0, S::Other},
    {"shprslt", K::Destination, A::BodyText, 0, S::Other},
    {"object", K::Destination, A::BodyText, 0, S::Other},
    {"result", K::Destination, A::BodyText, 0, S::Other},
    {"nesttableprops", K::Destination, A::BodyText, 0, S::Other},
    {"upr", K::Destination, A::UnicodePair, 0, S::Other},
    {"ud", K::Destination, A::UnicodeVersion, 0, S::Other},
    // destinations without body text
    {"aftncn", K::Destination, A::Skip, 0, S::Other},
    {"aftnsep", K::Destination, A::Skip, 0, S::Other},
    {"aftnsepc", K::Destination, A::Skip, 0, S::Other},
    {"annotation", K::Destination, A::Skip, 0, S::Other},
    {"atnauthor", K::Destination, A::Skip, 0, S::Other},
    {"atndate", K::Destination, A::Skip, 0, S::Other},
    {"atnid", K::Destination, A::Skip, 0, S::Other},
    {"atnref", K::Destination, A::Skip, 0, S::Other},
    {"author", K::Destination, A::Skip, 0, S::Other},
    {"bkmkend", K::Destination, A::Skip, 0, S::Other},
    {"bkmkstart", K::Destination, A::Skip, 0, S::Other},
    {"buptim", K::Destination, A::Skip, 0, S::Other},
    {"category", K::Destination, A::Skip, 0, S::Other},
    {"colorschememapping", K::Destination, A::Skip, 0, S::Other},
    {"comment", K::Destination, A::Skip, 0, S::Other},
    {"company", K::Destination, A::Skip, 0, S::Other},
    {"creatim", K::Destination, A::Skip, 0, S::Other},
    {"datastore", K::Destination, A::Skip, 0, S::Other},
    {"do", K::Destination, A::Skip, 0, S::Other},
    {"doccomm", K::Destination, A::Skip, 0, S::Other},
    {"docvar", K::Destination, A::Skip, 0, S::Other},
    {"falt", K::Destination, A::Skip, 0, S::Other},
    {"filetbl", K::Destination, A::Skip, 0, S::Other},
    {"footer", K::Destination, A::Skip, 0, S::Other},
    {"footerf", K::Destination, A::Skip, 0, S::Other},
    {"footerl", K::Destination, A::Skip, 0, S::Other},
    {"footerr", K::Destination, A::Skip, 0, S::Other},
    {"ftncn", K::Destination, A::Skip, 0, S::Other},
    {"ftnsep", K::Destination, A::Skip, 0, S::Other},
    {"ftnsepc", K::Destination, A::Skip, 0, S::Other},
    {"generator", K::Destination, A::Skip, 0, S::Other},
    {"header", K::Destination, A::Skip, 0, S::Other},
    {"headerf", K::Destination, A::Skip, 0, S::Other},
    {"headerl", K::Destination, A::Skip, 0, S::Other},
    {"headerr", K::Destination, A::Skip, 0, S::Other},
    {"hlinkbase", K::Destination, A::Skip, 0, S::Other},
    {"info", K::Destination, A::Skip, 0, S::Other},
    {"keywords", K::Destination, A::Skip, 0, S::Other},
    {"latentstyles", K::Destination, A::Skip, 0, S::Other},
    {"listoverridetable", K::Destination, A::Skip, 0, S::Other},
    {"listtable", K::Destination, A::Skip, 0, S::Other},
    {"leveltext", K::Destination, A::Skip, 0, S::Other},
    {"levelnumbers", K::Destination, A::Skip, 0, S::Other},
    {"list", K::Destination, A::Skip, 0, S::Other},
    {"listlevel", K::Destination, A::Skip, 0, S::Other},
    {"listname", K::Destination, A::Skip, 0, S::Other},
    {"listpicture", K::Destination, A::Skip, 0, S::Other},
    {"pnseclvl", K::Destination, A::Skip, 0, S::Other},
    {"wgrffmtfilter", K::Destination, A::Skip, 0, S::Other},
    {"mmathPr", K::Destination, A::Skip, 0, S::Other},
    {"fldtype", K::Destination, A::Skip, 0, S::Other},
    {"ftnalt", K::Destination, A::Skip, 0, S::Other},
    {"xmlopen", K::Destination, A::Skip, 0, S::Other},
    {"xmlclose", K::Destination, A::Skip, 0, S::Other},
    {"sp", K::Destination, A::Skip, 0, S::Other},
    {"sn", K::Destination, A::Skip, 0, S::Other},
    {"sv", K::Destination, A::Skip, 0, S::Other},
    {"manager", K::Destination, A::Skip, 0, S::Other},
    {"nextfile", K::Destination, A::Skip, 0, S::Other},
    {"nonesttables", K::Destination, A::Skip, 0, S::Other},
    {"nonshppict", K::Destination, A::Skip, 0, S::Other},
    {"objclass", K::Destination, A::Skip, 0, S::Other},
    {"objdata", K::Destination, A::Skip, 0, S::Other},
    {"objname", K::Destination, A::Skip, 0, S::Other},
    {"operator", K::Destination, A::Skip, 0, S::Other},
    {"panose", K::Destination, A::Skip, 0, S::Other},
    {"pgdsctbl", K::Destination, A::Skip, 0, S::Other},
    {"pn", K::Destination, A::Skip, 0, S::Other},
    {"pntxta", K::Destination, A::Skip, 0, S::Other},
    {"pntxtb", K::Destination, A::Skip, 0, S::Other},
    {"printim", K::Destination, A::Skip, 0, S::Other},
    {"private", K::Destination, A::Skip, 0, S::Other},
    {"revtbl", K::Destination, A::Skip, 0, S::Other},
    {"revtim", K::Destination, A::Skip, 0, S::Other},
    {"rsidtbl", K::Destination, A::Skip, 0, S::Other},
    {"subject", K::Destination, A::Skip, 0, S::Other},
    {"tc", K::Destination, A::Skip, 0, S::Other},
    {"template", K::Destination, A::Skip, 0, S::Other},
    {"themedata", K::Destination, A::Skip, 0, S::Other},
    {"title", K::Destination, A::Skip, 0, S::Other},
    {"txe", K::Destination, A::Skip, 0, S::Other},
    {"userprops", K::Destination, A::Skip, 0, S::Other},
    {"xe", K::Destination, A::Skip, 0, S::Other},
    {"xmlnstbl", K::Destination, A::Skip, 0, S::Other},
};

} // namespace

namespace {

std::uint32_t wordHash(std::string_view name) {
    std::uint32_t h = kWordHashSeed;
    for (const char c : name)
        h = wordHashStep(h, c);
    return h;
}

// Open addressing with a cheap hash: a word is looked up for every control word of a file, and the
// standard map's hashing and bucket walk showed as the reader's largest own cost.
class WordIndex {
public:
    WordIndex() {
        for (const ControlWord &w : kWords) {
            const std::string_view name(w.name);
            std::size_t slot = finish(wordHash(name)) & kMask;
            while (m_words[slot] && m_words[slot]->name != name)
                slot = (slot + 1) & kMask;
            if (!m_words[slot]) {
                m_words[slot] = &w;
                m_lengths[slot] = static_cast<std::uint8_t>(name.size());
            }
        }
    }

    const ControlWord *find(QByteArrayView name, std::uint32_t fold) const {
        if (name.size() > kMaxLength)
            return nullptr;
        const auto length = static_cast<std::uint8_t>(name.size());
        for (std::size_t slot = finish(fold) & kMask; m_words[slot]; slot = (slot + 1) & kMask) {
            if (m_lengths[slot] == length && std::memcmp(m_words[slot]->name, name.data(), length) == 0)
                return m_words[slot];
        }
        return nullptr;
    }

private:
    static constexpr std::size_t kSlots = 1024; // a power of two, about four times the words
    static constexpr std::size_t kMask = kSlots - 1;
    static constexpr qsizetype kMaxLength = 32; // longer than any listed word
    static_assert(std::size(kWords) * 2 < kSlots);

    static std::size_t finish(std::uint32_t h) { return h ^ (h >> 15); }

    std::array<const ControlWord *, kSlots> m_words{};
    std::array<std::uint8_t, kSlots> m_lengths{};
};

const WordIndex &wordIndex() {
    static const WordIndex index;
    return index;
}

} // namespace

const ControlWord *findControlWord(QByteArrayView name, std::uint32_t hash) {
    return wordIndex().find(name, hash);
}

const ControlWord *findControlWord(QByteArrayView name) {
    return findControlWord(name,
                           wordHash(std::string_view(name.data(), static_cast<std::size_t>(name.size()))));
}

} // namespace sweltra::rtf
