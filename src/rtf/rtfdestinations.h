#pragma once

#include "rtf/rtfcontrolwords.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace sweltra::rtf {

// \fonttbl: numbered fonts with their face, family and code page.
class FontTable {
public:
    struct Font {
        QString name;
        int codepage = 0; // 0: the document's
        int styleHint = 0;
    };

    void begin(int id);
    void setCharset(int charset);
    void setCodepage(int codepage);
    void setStyleHint(int hint);
    void text(QStringView text);
    void endGroup() { commitName(); }
    const Font *find(int id) const;
    int version() const { return m_version; }

private:
    void commitName();

    std::unordered_map<int, Font> m_fonts;
    int m_current = -1;
    QString m_name;
    int m_version = 0; // changes whenever a font changes, so lookups can be cached
};

// \colortbl: entries separated by ';', an empty entry is the automatic colour.
class ColorTable {
public:
    void setComponent(Action which, int value);
    void text(QByteArrayView bytes);
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
class StyleSheet {
public:
    struct Style {
        int basedOn = -1;
        std::vector<RecordedWord> words;
    };

    void begin(bool characterStyle, int id);
    void beginOther() { m_current = nullptr; }
    void record(Action action, std::int32_t value);
    void setBasedOn(int id);
    void endEntry() { m_current = nullptr; }
    // The style and the styles it is based on, base first; cycles and long chains are cut.
    std::vector<const Style *> chain(bool characterStyle, int id) const;

private:
    std::unordered_map<int, Style> m_paragraphStyles;
    std::unordered_map<int, Style> m_characterStyles;
    Style *m_current = nullptr;
    bool m_currentIsCharacter = false;
};

// \pict: the picture's bytes (hex or \bin) and the sizes that place it.
class Picture {
public:
    void setFormat(int type) { m_type = type; }
    void setSize(Action which, int value);
    void hex(QByteArrayView text);
    void binary(QByteArrayView bytes);
    bool isBitmap() const { return m_type == PictPng || m_type == PictJpeg; }
    const char *imageFormat() const { return m_type == PictPng ? "png" : "jpeg"; }
    bool complete() const { return !m_overflow && !m_data.isEmpty(); }
    const QByteArray &data() const { return m_data; }
    // Shown size in pixels; `natural` is the bitmap's own size when known.
    QSize displaySize(QSize natural) const;

private:
    bool append(QByteArrayView bytes);

    int m_type = 0;
    int m_width = 0, m_height = 0, m_goalWidth = 0, m_goalHeight = 0;
    int m_scaleX = 100, m_scaleY = 100;
    QByteArray m_data;
    int m_highNibble = -1;
    bool m_overflow = false;
};

// The address of a HYPERLINK field instruction, empty for any other field.
QString hyperlinkTarget(QStringView instruction);

} // namespace sweltra::rtf
