#pragma once

#include "rtf/rtfcodepages.h"
#include "rtf/rtfcontrolwords.h"
#include "rtf/rtfdestinations.h"
#include "rtf/rtfdocumentwriter.h"
#include "rtf/rtfformats.h"
#include "rtf/rtfpicture.h"
#include "rtf/rtftokenizer.h"

#include <QTextDocument>

#include <vector>

namespace sweltra::rtf {

// How much of a group is passed over.
enum class Skipping : std::uint8_t {
    None,
    All,                // an unknown \* destination, or one the reader has no use for
    UntilUnicodeVersion // \upr: its first part is skipped, its \ud part is read
};

struct GroupState {
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1;
    int fieldLink = 0;             // link of the field this group belongs to
    Destination *dest = nullptr;   // nullptr: the body
    Destination *opened = nullptr; // the destination this very group started, ended when it closes
    Skipping skipping = Skipping::None;
    bool inFootnote = false;
    bool inListText = false;
    CharProps listTextBase; // the paragraph's look where a list number began
};

// The body of the document (text, paragraphs, tables, footnotes) and the group stack; everything
// else belongs to the destinations.
class Reader final : private DestinationHost {
public:
    explicit Reader(QTextDocument &document)
        : m_body(document), m_notes(m_notesDocument), m_stack(1), m_picture(document) {}

    void read(QByteArrayView data);

private:
    GroupState &top() { return m_stack.back(); }
    DocumentWriter &writer() { return top().inFootnote ? m_notes : m_body; }

    // Tokens (rtfreader.cpp).
    void groupOpen();
    bool groupClose();
    void skipGroup(Skipping how);
    void word(const Token &token);
    void symbol(char c);
    void textBytes(QByteArrayView bytes);
    void binary(QByteArrayView bytes);

    // Text on its way to the body or a destination (rtfreader.cpp).
    void flushBytes();
    void emitText(QStringView text);
    void emitRaw(QStringView text);
    void emitChar(char32_t c);
    void flushRun();
    void resolveSurrogate();
    int codepage();

    // Words (rtfreaderwords.cpp).
    void dispatch(const ControlWord &word, std::int32_t value);
    void startDestination(Action action);
    bool bodyWord(Action action, std::int32_t value);
    void apply(Action action, std::int32_t value);
    void applyStyle(bool characterStyle, int id);
    void unicode(std::int32_t value);
    void paragraphBreak();

    void insertImage(const QTextImageFormat &format) override;
    void fieldLink(const QString &target) override;

    QTextDocument m_notesDocument;
    DocumentWriter m_body;
    DocumentWriter m_notes;
    std::vector<GroupState> m_stack;
    GroupState m_last;
    int m_overflowDepth = 0;    // open groups beyond kMaxGroupDepth
    int m_overflowSkipFrom = 0; // the overflow depth of a skipped group beyond the limit, 0: none

    FontTable m_fonts;
    ColorTable m_colors;
    StyleSheet m_styles;
    Picture m_picture;
    FieldInstructions m_fields;
    std::vector<QString> m_links{QString()}; // index 0: no link
    FormatCache m_formats{m_fonts, m_colors, m_links};
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
    int m_footnotes = 0;
};

} // namespace sweltra::rtf
