#include "rtf/rtfreader.h"

#include "rtf/rtflimits.h"
#include "rtf/rtfreader_p.h"

#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace sweltra::rtf {

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
            word(t);
            continue;
        case Token::Kind::Symbol:
            symbol(t.symbol);
            continue;
        case Token::Kind::HexByte:
            if (t.parameter >= 0) {
                const char byte = static_cast<char>(t.parameter);
                textBytes(QByteArrayView(&byte, 1));
            } else if (m_skip > 0) {
                --m_skip;
            }
            continue;
        case Token::Kind::Text:
            textBytes(t.bytes);
            continue;
        case Token::Kind::Binary:
            binary(t.bytes);
            continue;
        }
        break;
    }
    flushBytes();
    resolveSurrogate();
    flushRun();
    const GroupState &last = m_stack.size() > 1 ? top() : m_last;
    const QTextBlockFormat block = m_formats.blockFormat(last.para);
    const QTextCharFormat chars = m_formats.charFormat(last.chars);
    m_notes.finish(QTextBlockFormat(), QTextCharFormat());
    m_body.appendDocument(m_notesDocument, block, chars);
}

// Groups beyond the depth limit are only counted: their words and text go on in the state of the
// deepest group kept, so no text is lost and memory stays bounded.
void Reader::groupOpen() {
    flushBytes();
    m_skip = 0;
    if (m_overflowDepth > 0 || static_cast<int>(m_stack.size()) > kMaxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState inner = m_stack.back();
    inner.opened = nullptr;
    m_stack.push_back(inner);
}

// Beyond the depth limit a group has no state of its own to mark, so it is skipped by its depth.
void Reader::skipGroup(Skipping how) {
    if (m_overflowDepth == 0)
        top().skipping = how;
    else if (m_overflowSkipFrom == 0)
        m_overflowSkipFrom = m_overflowDepth;
}

// False when the outermost group has just closed.
bool Reader::groupClose() {
    flushBytes();
    m_skip = 0;
    if (m_overflowDepth > 0) {
        if (m_overflowDepth == m_overflowSkipFrom)
            m_overflowSkipFrom = 0;
        --m_overflowDepth;
        return true;
    }
    if (m_stack.size() == 1) // a '}' too many
        return false;
    resolveSurrogate();
    const GroupState closed = m_stack.back();
    m_stack.pop_back();
    const bool complete = closed.skipping == Skipping::None;
    if (closed.dest && complete)
        closed.dest->groupClosed();
    if (closed.opened)
        closed.opened->end(*this, complete);
    if (m_stack.size() > 1)
        return true;
    m_last = closed; // the outermost group's properties finish the last paragraph
    return false;
}

void Reader::word(const Token &token) {
    const bool ignorable = std::exchange(m_ignorable, false);
    GroupState &state = top();
    if (state.skipping == Skipping::All || m_overflowSkipFrom != 0)
        return;
    const ControlWord *cw = findControlWord(token.bytes, token.hash);
    if (state.skipping == Skipping::UntilUnicodeVersion) {
        if (cw && cw->action == Action::UnicodeVersion)
            state.skipping = Skipping::None;
        return;
    }
    if (m_skip > 0) { // a control word stands for one fallback character
        --m_skip;
        return;
    }
    if (!cw) {
        if (ignorable)
            skipGroup(Skipping::All);
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
    dispatch(*cw, value);
}

void Reader::symbol(char c) {
    if (c == '*') {
        m_ignorable = true;
        return;
    }
    if (top().skipping != Skipping::None || m_overflowSkipFrom != 0)
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
    case '\n': {
        static const ControlWord &par = *findControlWord("par");
        dispatch(par, 0);
        return;
    }
    default:
        return; // \: \| and unknown symbols carry no text
    }
}

void Reader::textBytes(QByteArrayView bytes) {
    const GroupState &state = top();
    if (state.skipping != Skipping::None || m_overflowSkipFrom != 0)
        return;
    if (m_skip > 0) {
        const qsizetype n = std::min<qsizetype>(m_skip, bytes.size());
        m_skip -= static_cast<int>(n);
        bytes = bytes.sliced(n);
        if (bytes.isEmpty())
            return;
    }
    if (state.dest ? state.dest->rawText(bytes) : state.chars.hidden)
        return;
    m_bytes.append(bytes);
}

void Reader::binary(QByteArrayView bytes) {
    if (Destination *dest = top().dest; dest && dest->binary(bytes))
        return;
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
    const int own = m_fonts.codepage(top().chars.font);
    // Names, styles and field instructions are words, never symbol glyphs: a symbol font's own
    // name ("Symbol") would otherwise become private-use characters and the font not be found.
    if (own == 0 || (own == kSymbolCodepage && top().dest))
        return m_documentCodepage;
    return own;
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
    if (state.skipping != Skipping::None || m_overflowSkipFrom != 0)
        return;
    if (state.dest) {
        state.dest->text(text);
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
    (m_runInNotes ? m_notes : m_body).text(m_run, m_formats.charFormat(m_runProps));
    m_run.resize(0);
}

namespace {

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
