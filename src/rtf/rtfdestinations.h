#pragma once

#include "rtf/rtfcontrolwords.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

class QTextImageFormat;

namespace sweltra::rtf {

// What a destination hands back to the document when it ends.
class DestinationHost {
public:
    virtual void insertImage(const QTextImageFormat &format) = 0;
    virtual void fieldLink(const QString &target) = 0;

protected:
    ~DestinationHost() = default;
};

// A part of the file with a meaning of its own ({\fonttbl ...}, {\pict ...}). It is active for the
// rest of the group that starts it and the groups inside, and sees their words and text.
class Destination {
public:
    virtual ~Destination() = default;
    // A known word, its parameter resolved. False leaves it to the reader as well, which keeps the
    // group's character and paragraph state and turns words that stand for text into text().
    virtual bool controlWord(const ControlWord &word, std::int32_t value) = 0;
    // Text bytes as written; false has them decoded and passed to text().
    virtual bool rawText(QByteArrayView) { return false; }
    virtual void text(QStringView) {}
    // \bin data; false when the destination has no use for it.
    virtual bool binary(QByteArrayView) { return false; }
    // A group inside the destination, or the one that started it, closed.
    virtual void groupClosed() {}
    // The group that started it closed; `complete` is false when its end was skipped.
    virtual void end(DestinationHost &, bool /*complete*/) {}
};

// \fonttbl: numbered fonts with their face, family and code page.
class FontTable final : public Destination {
public:
    struct Font {
        QString name;
        int codepage = 0; // 0: the document's
        int styleHint = 0;
    };

    bool controlWord(const ControlWord &word, std::int32_t value) override;
    void text(QStringView text) override;
    void groupClosed() override { commitName(); }

    const Font *find(int id) const;
    // The font's own code page, 0 when it has none.
    int codepage(int id);
    int version() const { return m_version; }

private:
    void begin(int id);
    void setCharset(int charset);
    void setCodepage(int codepage);
    void setStyleHint(int hint);
    void commitName();

    std::unordered_map<int, Font> m_fonts;
    int m_current = -1;
    QString m_name;
    int m_version = 0; // changes whenever a font changes, so lookups can be cached
    int m_cachedId = -2, m_cachedVersion = -1, m_cachedCodepage = 0;
};

// \colortbl: entries separated by ';', an empty entry is the automatic colour.
class ColorTable final : public Destination {
public:
    bool controlWord(const ControlWord &word, std::int32_t value) override;
    bool rawText(QByteArrayView bytes) override;

    std::optional<QColor> color(int index) const;

private:
    std::vector<std::optional<QColor>> m_colors;
    int m_rgb[3] = {0, 0, 0};
    bool m_any = false;
};

// A property word as written in a style, replayed wherever the style is applied.
struct RecordedWord {
    Action action;
    std::int32_t value;
};

// \stylesheet: character and paragraph styles as the words that define them.
class StyleSheet final : public Destination {
public:
    struct Style {
        int basedOn = -1;
        std::vector<RecordedWord> words;
    };

    bool controlWord(const ControlWord &word, std::int32_t value) override;
    void text(QStringView text) override;
    void groupClosed() override { m_current = nullptr; }

    // The words of the style and of the styles it is based on, base first; cycles and long chains
    // are cut. Kept once resolved: documents apply their few styles again and again.
    const std::vector<RecordedWord> &words(bool characterStyle, int id);

private:
    std::unordered_map<int, Style> m_paragraphStyles;
    std::unordered_map<int, Style> m_characterStyles;
    Style *m_current = nullptr;
    std::unordered_map<int, std::vector<RecordedWord>> m_resolved[2]; // paragraph, character
};

// \fldinst: the instruction of a field (nested fields stack), of which links are kept.
class FieldInstructions final : public Destination {
public:
    void begin() { m_open.emplace_back(); }
    bool controlWord(const ControlWord &, std::int32_t) override { return false; }
    void text(QStringView text) override;
    void end(DestinationHost &host, bool complete) override;

private:
    std::vector<QString> m_open;
};

// The address of a HYPERLINK field instruction, empty for any other field.
QString hyperlinkTarget(QStringView instruction);

} // namespace sweltra::rtf
