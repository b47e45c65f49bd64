// The RTF reader on small hand-written documents, one feature group per test function.
#include "rtf/rtflimits.h"
#include "rtf/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

using namespace sweltra::rtf;

namespace {

QString plain(const QByteArray &rtf) {
    QTextDocument doc;
    const ReadResult r = readRtf(rtf, doc);
    if (!r.ok())
        return QStringLiteral("<%1>").arg(r.detail);
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n'); // keeps U+00A0 and U+2028
}

// The character format at the first character of `word`.
QTextCharFormat formatAt(QTextDocument &doc, const QString &word) {
    const QTextCursor found = doc.find(word);
    if (found.isNull())
        return {};
    QTextCursor c(&doc);
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlockFormat blockAt(QTextDocument &doc, const QString &word) {
    const QTextCursor found = doc.find(word);
    return found.isNull() ? QTextBlockFormat() : found.block().blockFormat();
}

QList<QTextTable *> tablesIn(QTextFrame *frame) {
    QList<QTextTable *> result;
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            result.append(table);
        result.append(tablesIn(child));
    }
    return result;
}

// A cell's paragraphs joined by '/', a nested table shown as "[t]".
QString cellText(QTextTable *table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it)
        parts << (it.currentFrame() ? u"[t]"_qs : it.currentBlock().text());
    return parts.join(u'/');
}

// A table as "a|b;c|d": cells by '|', rows by ';'.
QString shape(QTextTable *table) {
    QStringList rows;
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c)
            cells << cellText(table, r, c);
        rows << cells.join(u'|');
    }
    return rows.join(u';');
}

QByteArray hex(const QByteArray &bytes) {
    return bytes.toHex();
}

QByteArray pngBytes(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray jpegBytes(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

struct ImageInfo {
    QString name;
    qreal width = 0, height = 0;
};

QList<ImageInfo> imagesIn(const QTextDocument &doc) {
    QList<ImageInfo> result;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                const QTextImageFormat img = f.toImageFormat();
                result.append({img.name(), img.width(), img.height()});
            }
        }
    }
    return result;
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
    void structure_data();
    void structure();
    void notRtf_data();
    void notRtf();
    void tooLarge();
    void formatting_data();
    void formatting();
    void paragraphs_data();
    void paragraphs();
    void tables_data();
    void tables();
    void tableColumnWidths();
    void lists_data();
    void lists();
    void listNumberTakesParagraphLook_data();
    void listNumberTakesParagraphLook();
    void pictures_data();
    void pictures();
    void pictureSize_data();
    void pictureSize();
    void fields_data();
    void fields();
    void footnotesGatheredAtEnd();
    void deepGroups_data();
    void deepGroups();
    void limits_data();
    void limits();
    void rereadReplacesContent();
};

void TestRtfReader::decoding_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("{\\rtf1\\ansi Hello world}") << u"Hello world"_qs;
    QTest::newRow("1252 hex") << QByteArray("{\\rtf1\\ansi caf\\'e9 \\'80}") << u"café €"_qs;
    QTest::newRow("ansicpg 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << u"При"_qs;
    QTest::newRow("ansicpg 1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'9c\\'b9}") << u"śą"_qs;
    QTest::newRow("fcharset beats ansicpg")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\f1 \\'cf\\f0 \\'cf}")
        << u"ПÏ"_qs;
    QTest::newRow("fcharset 238 in a group")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset238 B;}}{\\f1 \\'9c}\\'9c}") << u"śœ"_qs;
    QTest::newRow("shift_jis across hex bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'b1\\'82\\'f1}") << u"こん"_qs;
    QTest::newRow("fcharset 128")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'82\\'a0}") << u"あ"_qs;
    QTest::newRow("gbk 936") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}") << u"中文"_qs;
    QTest::newRow("korean 949") << QByteArray("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1}") << u"한"_qs;
    QTest::newRow("big5 950") << QByteArray("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4}") << u"中"_qs;
    QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e}") << u"é"_qs;
    QTest::newRow("ansicpg 10000") << QByteArray("{\\rtf1\\ansi\\ansicpg10000 \\'8e}") << u"é"_qs;
    QTest::newRow("pc 437") << QByteArray("{\\rtf1\\pc \\'82}") << u"é"_qs;
    QTest::newRow("pca 850") << QByteArray("{\\rtf1\\pca \\'90}") << u"É"_qs;
    QTest::newRow("invalid code page") << QByteArray("{\\rtf1\\ansi\\ansicpg0 \\'e9}") << u"é"_qs;
    QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansi\\ansicpg4242 \\'e9}") << u"é"_qs;
    QTest::newRow("u skips one fallback") << QByteArray("{\\rtf1 a\\u233 eb}") << u"aéb"_qs;
    QTest::newRow("u fallback hex") << QByteArray("{\\rtf1 a\\u233\\'e9b}") << u"aéb"_qs;
    QTest::newRow("uc2") << QByteArray("{\\rtf1\\uc2 \\u8364 EUx}") << u"€x"_qs;
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << u"€x"_qs;
    QTest::newRow("uc scoped to group") << QByteArray("{\\rtf1{\\uc2 \\u8364 EU}\\u8364 Ex}") << u"€€x"_qs;
    QTest::newRow("control word counts as fallback") << QByteArray("{\\rtf1\\u8364\\bullet x}") << u"€x"_qs;
    QTest::newRow("group end stops skipping") << QByteArray("{\\rtf1{\\uc3\\u8364}abc}") << u"€abc"_qs;
    QTest::newRow("negative u") << QByteArray("{\\rtf1\\u-3913?}") << QString(QChar(0x2022));
    QTest::newRow("negative u cjk") << QByteArray("{\\rtf1\\u-28589?}") << QString(QChar(0x9053));
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << u"\U0001F600"_qs;
    QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1 a\\u-10179?b}") << u"a\uFFFDb"_qs;
    QTest::newRow("lone low surrogate") << QByteArray("{\\rtf1 a\\u-8704?b}") << u"a\uFFFDb"_qs;
    QTest::newRow("two high surrogates")
        << QByteArray("{\\rtf1\\u-10179?\\u-10179?\\u-8704?}") << u"\uFFFD\U0001F600"_qs;
    QTest::newRow("broken hex counts as fallback") << QByteArray("{\\rtf1 x\\u345\\'3?x}") << u"xřx"_qs;
    QTest::newRow("upr takes the unicode version")
        << QByteArray("{\\rtf1{\\upr{ansi}{\\*\\ud{\\u8364 E}}}}") << u"€"_qs;
    QTest::newRow("utf-8 code page") << QByteArray("{\\rtf1\\ansi\\ansicpg65001 \\'c3\\'a9}") << u"é"_qs;
    QTest::newRow("symbol font bullet")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\f1 \\'b7}}") << QString(QChar(0x2022));
}

void TestRtfReader::decoding() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(plain(rtf), text);
}

void TestRtfReader::structure_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("groups") << QByteArray("{\\rtf1 a{b{c}}d}") << u"abcd"_qs;
    QTest::newRow("word delimiter space eaten") << QByteArray("{\\rtf1\\b  two}") << u" two"_qs;
    QTest::newRow("line ends are not text") << QByteArray("{\\rtf1 a\r\nb\nc}") << u"abc"_qs;
    QTest::newRow("escaped characters") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << u"{x}\\"_qs;
    QTest::newRow("par") << QByteArray("{\\rtf1 a\\par b}") << u"a\nb"_qs;
    QTest::newRow("empty paragraphs kept")
        << QByteArray("{\\rtf1 a\\par\\par\\par b\\par}") << u"a\n\n\nb"_qs;
    QTest::newRow("pard does not break") << QByteArray("{\\rtf1 a\\pard b}") << u"ab"_qs;
    QTest::newRow("line") << QByteArray("{\\rtf1 a\\line b}") << u"a\u2028b"_qs;
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << u"a\tb"_qs;
    QTest::newRow("page and sect") << QByteArray("{\\rtf1 a\\page b\\sect c}") << u"a\nb\nc"_qs;
    QTest::newRow("textedit backslash newline") << QByteArray("{\\rtf1 a\\\nb\\\r\nc}") << u"a\nb\nc"_qs;
    QTest::newRow("special characters")
        << QByteArray("{\\rtf1 \\~\\-\\_\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
        << u"\u00A0\u00AD\u2011\u2014\u2013\u2022\u2018\u2019\u201C\u201D"_qs;
    QTest::newRow("ignorable destination skipped") << QByteArray("{\\rtf1 a{\\*\\foo hidden}b}") << u"ab"_qs;
    QTest::newRow("ignorable known word kept") << QByteArray("{\\rtf1 a{\\*\\b b}c}") << u"abc"_qs;
    QTest::newRow("unknown word ignored") << QByteArray("{\\rtf1 a\\foo12 b}") << u"ab"_qs;
    QTest::newRow("skipped destinations")
        << QByteArray(
               "{\\rtf1{\\info{\\title T}{\\author A}}{\\header H}{\\footer F}{\\*\\generator G;}"
               "{\\*\\themedata 0102}{\\*\\datastore 01}{\\*\\latentstyles x}{\\*\\rsidtbl \\rsid1}"
               "{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}body}")
        << u"body"_qs;
    QTest::newRow("bin with braces") << QByteArray("{\\rtf1 a{\\*\\foo\\bin4 }{x}}b}") << u"ab"_qs;
    QTest::newRow("bin in text") << QByteArray("{\\rtf1 a\\bin3 {}\\ b}") << u"a b"_qs;
    QTest::newRow("leading junk") << QByteArray("/junk{\\rtf1 ok}") << u"ok"_qs;
    QTest::newRow("text after final brace") << QByteArray("{\\rtf1 ok}trailing") << u"ok"_qs;
    QTest::newRow("extra closing brace") << QByteArray("{\\rtf1 ok}}") << u"ok"_qs;
    QTest::newRow("stray brace before more rtf") << QByteArray("{\\rtf1 a}}\\par b}") << u"a\nb"_qs;
    QTest::newRow("missing final brace") << QByteArray("{\\rtf1 kept{\\b bold") << u"keptbold"_qs;
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\0\\par c}\0", 20) << u"ab\nc"_qs;
    QTest::newRow("fragment without header") << QByteArray("{\\pard fragment\\par}") << u"fragment"_qs;
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v x\\v0 c}") << u"abc"_qs;
    QTest::newRow("nonshppict fallback")
        << QByteArray("{\\rtf1 a{\\nonshppict{\\pict\\wmetafile8 01}}b}") << u"ab"_qs;
    QTest::newRow("object shows result")
        << QByteArray("{\\rtf1{\\object\\objemb{\\*\\objclass Word}{\\*\\objdata 0102}{\\result shown}}}")
        << u"shown"_qs;
}

void TestRtfReader::structure() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(plain(rtf), text);
}

void TestRtfReader::notRtf_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("foobar\n");
    QTest::newRow("control word without group") << QByteArray("\\foobar\n");
    QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("word binary") << QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\0\0\0\0\x3e\0\3\0", 16);
    QTest::newRow("header too late") << QByteArray(300, ' ') + QByteArray("x{\\rtf1 late}");
}

void TestRtfReader::notRtf() {
    QFETCH(QByteArray, data);
    QTextDocument doc;
    doc.setPlainText(u"old"_qs);
    const ReadResult r = readRtf(data, doc);
    QCOMPARE(r.status, ReadStatus::NotRtf);
    QVERIFY(!r.detail.isEmpty());
    QVERIFY(doc.isEmpty());
}

void TestRtfReader::tooLarge() {
    QByteArray data("{\\rtf1 ");
    data.resize(kMaxDocumentBytes + 1, 'a');
    QTextDocument doc;
    const ReadResult r = readRtf(data, doc);
    QCOMPARE(r.status, ReadStatus::TooLarge);
    QVERIFY(doc.isEmpty());
}

enum class Prop {
    Bold,
    Italic,
    Underline,
    UnderlineStyle,
    Strike,
    Vertical,
    PointSize,
    Family,
    Foreground,
    Background,
    Capitalization
};

void TestRtfReader::formatting_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *name, const char *rtf, const char *word, Prop p, QVariant v) {
        QTest::newRow(name) << QByteArray(rtf) << QString::fromUtf8(word) << static_cast<int>(p) << v;
    };
    row("bold", "{\\rtf1 a{\\b BB}c}", "BB", Prop::Bold, true);
    row("bold ends with group", "{\\rtf1 {\\b a}CC}", "CC", Prop::Bold, false);
    row("b0", "{\\rtf1 \\b a\\b0 CC}", "CC", Prop::Bold, false);
    row("italic", "{\\rtf1 \\i II}", "II", Prop::Italic, true);
    row("underline", "{\\rtf1 \\ul UU}", "UU", Prop::Underline, true);
    row("ulnone", "{\\rtf1 \\ul a\\ulnone UU}", "UU", Prop::Underline, false);
    row("ul0", "{\\rtf1 \\ul a\\ul0 UU}", "UU", Prop::Underline, false);
    row("dotted underline", "{\\rtf1 \\uld UU}", "UU", Prop::UnderlineStyle,
        static_cast<int>(QTextCharFormat::DotLine));
    row("wave underline", "{\\rtf1 \\ulwave UU}", "UU", Prop::UnderlineStyle,
        static_cast<int>(QTextCharFormat::WaveUnderline));
    row("strike", "{\\rtf1 \\strike SS}", "SS", Prop::Strike, true);
    row("striked", "{\\rtf1 \\striked1 SS}", "SS", Prop::Strike, true);
    row("super", "{\\rtf1 x\\super SS}", "SS", Prop::Vertical,
        static_cast<int>(QTextCharFormat::AlignSuperScript));
    row("sub", "{\\rtf1 x\\sub SS}", "SS", Prop::Vertical, static_cast<int>(QTextCharFormat::AlignSubScript));
    row("up", "{\\rtf1 x\\up6 SS}", "SS", Prop::Vertical,
        static_cast<int>(QTextCharFormat::AlignSuperScript));
    row("dn", "{\\rtf1 x\\dn6 SS}", "SS", Prop::Vertical, static_cast<int>(QTextCharFormat::AlignSubScript));
    row("nosupersub", "{\\rtf1 \\super x\\nosupersub SS}", "SS", Prop::Vertical,
        static_cast<int>(QTextCharFormat::AlignNormal));
    row("fs half points", "{\\rtf1 \\fs28 FF}", "FF", Prop::PointSize, 14.0);
    row("default size", "{\\rtf1 FF}", "FF", Prop::PointSize, 12.0);
    row("plain resets", "{\\rtf1 \\b\\fs40 x\\plain PP}", "PP", Prop::PointSize, 12.0);
    row("plain resets bold", "{\\rtf1 \\b x\\plain PP}", "PP", Prop::Bold, false);
    row("font face", "{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}\\f1 AA}", "AA",
        Prop::Family, u"Arial"_qs);
    row("default font", "{\\rtf1\\deff1{\\fonttbl{\\f0 Times;}{\\f1 Courier New;}}AA}", "AA", Prop::Family,
        u"Courier New"_qs);
    row("font table without groups", "{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1 Menlo;}\\f1 AA}", "AA",
        Prop::Family, u"Menlo"_qs);
    row("font name with alternative", "{\\rtf1{\\fonttbl{\\f0 Arial{\\*\\falt Helv};}}\\f0 AA}", "AA",
        Prop::Family, u"Arial"_qs);
    row("caps", "{\\rtf1 \\caps CC}", "CC", Prop::Capitalization, static_cast<int>(QFont::AllUppercase));
    row("scaps", "{\\rtf1 \\scaps CC}", "CC", Prop::Capitalization, static_cast<int>(QFont::SmallCaps));
    row("cf", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 RR}", "RR", Prop::Foreground,
        QColor(Qt::red));
    row("cf auto", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf0 RR}", "RR", Prop::Foreground, QColor());
    row("highlight", "{\\rtf1{\\colortbl;\\red0\\green255\\blue0;}\\highlight1 HH}", "HH", Prop::Background,
        QColor(Qt::green));
    row("cb", "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\cb1 HH}", "HH", Prop::Background,
        QColor(Qt::blue));
    row("chcbpat", "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\chcbpat1 HH}", "HH", Prop::Background,
        QColor(Qt::blue));
    row("colour index out of range", "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\cf9 HH}", "HH",
        Prop::Foreground, QColor());
    row("character style", "{\\rtf1{\\stylesheet{\\*\\cs10\\b Strong;}}{\\cs10 SS}}", "SS", Prop::Bold, true);
    row("paragraph style", "{\\rtf1{\\stylesheet{\\s1\\fs40 Heading;}}\\pard\\s1 HH\\par}", "HH",
        Prop::PointSize, 20.0);
    row("based on", "{\\rtf1{\\stylesheet{\\s1\\i Base;}{\\s2\\fs40\\sbasedon1 Child;}}\\s2 HH}", "HH",
        Prop::Italic, true);
    row("style cycle", "{\\rtf1{\\stylesheet{\\s1\\i\\sbasedon2 A;}{\\s2\\b\\sbasedon1 B;}}\\s2 HH}", "HH",
        Prop::Bold, true);
    row("explicit word beats style", "{\\rtf1{\\stylesheet{\\s1\\b A;}}\\s1\\b0 HH}", "HH", Prop::Bold,
        false);
}

void TestRtfReader::formatting() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(int, property);
    QFETCH(QVariant, expected);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QVERIFY2(!doc.find(word).isNull(), qPrintable(doc.toPlainText()));
    const QTextCharFormat f = formatAt(doc, word);
    switch (static_cast<Prop>(property)) {
    case Prop::Bold:
        QCOMPARE(f.fontWeight() >= QFont::Bold, expected.toBool());
        break;
    case Prop::Italic:
        QCOMPARE(f.fontItalic(), expected.toBool());
        break;
    case Prop::Underline:
        QCOMPARE(f.fontUnderline(), expected.toBool());
        break;
    case Prop::UnderlineStyle:
        QCOMPARE(static_cast<int>(f.underlineStyle()), expected.toInt());
        break;
    case Prop::Strike:
        QCOMPARE(f.fontStrikeOut(), expected.toBool());
        break;
    case Prop::Vertical:
        QCOMPARE(static_cast<int>(f.verticalAlignment()), expected.toInt());
        break;
    case Prop::PointSize:
        QCOMPARE(f.fontPointSize(), expected.toDouble());
        break;
    case Prop::Family:
        QCOMPARE(f.fontFamilies().toStringList().value(0), expected.toString());
        break;
    case Prop::Foreground:
        QCOMPARE(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(),
                 expected.value<QColor>());
        break;
    case Prop::Background:
        QCOMPARE(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color() : QColor(),
                 expected.value<QColor>());
        break;
    case Prop::Capitalization:
        QCOMPARE(static_cast<int>(f.fontCapitalization()), expected.toInt());
        break;
    }
}

void TestRtfReader::paragraphs_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<qreal>>("margins"); // left, right, indent, top, bottom in pixels
    QTest::newRow("default") << QByteArray("{\\rtf1 PP\\par}") << int(Qt::AlignLeft)
                             << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("centred") << QByteArray("{\\rtf1\\qc PP\\par}") << int(Qt::AlignHCenter)
                             << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("right") << QByteArray("{\\rtf1\\qr PP\\par}") << int(Qt::AlignRight)
                           << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("justified") << QByteArray("{\\rtf1\\qj PP\\par}") << int(Qt::AlignJustify)
                               << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("indents") << QByteArray("{\\rtf1\\li720\\ri360\\fi-360 PP\\par}") << int(Qt::AlignLeft)
                             << QList<qreal>{48, 24, -24, 0, 0};
    QTest::newRow("spacing") << QByteArray("{\\rtf1\\sb240\\sa120 PP\\par}") << int(Qt::AlignLeft)
                             << QList<qreal>{0, 0, 0, 16, 8};
    QTest::newRow("pard resets") << QByteArray("{\\rtf1\\qc\\li720 x\\par\\pard PP\\par}")
                                 << int(Qt::AlignLeft) << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("properties at the paragraph end count")
        << QByteArray("{\\rtf1 PP\\qr\\par}") << int(Qt::AlignRight) << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("group keeps paragraph properties") << QByteArray("{\\rtf1\\qc x\\par{\\qr a}PP\\par}")
                                                      << int(Qt::AlignHCenter) << QList<qreal>{0, 0, 0, 0, 0};
    QTest::newRow("last paragraph without par")
        << QByteArray("{\\rtf1\\qc PP}") << int(Qt::AlignHCenter) << QList<qreal>{0, 0, 0, 0, 0};
}

void TestRtfReader::paragraphs() {
    QFETCH(QByteArray, rtf);
    QFETCH(int, alignment);
    QFETCH(QList<qreal>, margins);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    const QTextBlockFormat b = blockAt(doc, u"PP"_qs);
    QCOMPARE(int(b.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE((QList<qreal>{b.leftMargin(), b.rightMargin(), b.textIndent(), b.topMargin(), b.bottomMargin()}),
             margins);
}

void TestRtfReader::tables_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("tables"); // each as shape(): cells by '|', rows by ';'
    QTest::addColumn<QString>("text");       // the whole plain text
    QTest::newRow("two by two")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\intbl c\\cell d\\cell\\row\\pard after\\par}")
        << QStringList{u"a|b;c|d"_qs} << u"\na\nb\nc\nd\nafter"_qs;
    QTest::newRow("row without repeated trowd")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\intbl c\\cell "
                      "d\\cell\\row}")
        << QStringList{u"a|b;c|d"_qs} << QString();
    QTest::newRow("last row without row")
        << QByteArray(
               "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\intbl c\\cell d\\cell}")
        << QStringList{u"a|b;c|d"_qs} << QString();
    QTest::newRow("trailing row adds nothing")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row\\row}") << QStringList{u"a"_qs}
        << QString();
    QTest::newRow("empty cells")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl\\cell\\cell c\\cell\\row}")
        << QStringList{u"||c"_qs} << QString();
    QTest::newRow("paragraphs in a cell")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl a\\par b\\cell\\row}") << QStringList{u"a/b"_qs}
        << QString();
    QTest::newRow("more cells than cellx")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl a\\cell b\\cell\\row}") << QStringList{u"a|b"_qs}
        << QString();
    QTest::newRow("rows of different width")
        << QByteArray(
               "{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row\\trowd\\cellx1000\\cellx2000\\intbl b\\cell "
               "c\\cell\\row}")
        << QStringList{u"a|;b|c"_qs} << QString();
    QTest::newRow("two tables") << QByteArray(
                                       "{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row\\pard between\\par"
                                       "\\trowd\\cellx1000\\intbl b\\cell\\row}")
                                << QStringList{u"a"_qs, u"b"_qs} << QString();
    QTest::newRow("nested table")
        << QByteArray(
               "{\\rtf1\\trowd\\cellx4000\\cellx8000\\pard\\intbl\\itap1 outer\\par"
               "\\pard\\intbl\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000"
               "\\nestrow}\\pard\\intbl\\itap1\\cell z\\cell\\row}")
        << QStringList{u"outer/[t]/|z"_qs, u"x|y"_qs} << QString();
    QTest::newRow("table ended by pard")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row\\pard b}") << QStringList{u"a"_qs}
        << u"\na\nb"_qs;
    QTest::newRow("list number in a cell stays in the cell")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\pard\\intbl{\\listtext\\pard\\plain 1.\\tab}a\\cell\\row}")
        << QStringList{u"1.\ta"_qs} << QString();
}

void TestRtfReader::tables() {
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, tables);
    QFETCH(QString, text);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QStringList shapes;
    for (QTextTable *t : tablesIn(doc.rootFrame()))
        shapes << shape(t);
    QCOMPARE(shapes, tables);
    if (!text.isNull())
        QCOMPARE(doc.toPlainText(), text);
}

void TestRtfReader::tableColumnWidths() {
    QTextDocument doc;
    QVERIFY(readRtf("{\\rtf1\\trowd\\trleft150\\cellx1500\\cellx4500\\clbrdrt\\brdrs\\cellx6000\\intbl "
                    "a\\cell b\\cell c\\cell\\row}",
                    doc)
                .ok());
    const QList<QTextTable *> tables = tablesIn(doc.rootFrame());
    QCOMPARE(tables.size(), 1);
    const QList<QTextLength> widths = tables[0]->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    for (const QTextLength &w : widths)
        QCOMPARE(w.type(), QTextLength::FixedLength);
    // Right edges, not widths: 1500-150, 4500-1500, 6000-4500 twips.
    QCOMPARE(widths[0].rawValue(), 90.0);
    QCOMPARE(widths[1].rawValue(), 200.0);
    QCOMPARE(widths[2].rawValue(), 100.0);
    QCOMPARE(tables[0]->format().border(), 1.0);
}

void TestRtfReader::lists_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("leftMargin");
    QTest::addColumn<qreal>("textIndent");
    QTest::newRow("listtext numbers")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}\\listid1}}"
                      "\\pard\\li720\\fi-360\\ls1{\\listtext 1.\\tab}One\\par"
                      "\\pard\\li720\\fi-360\\ls1{\\listtext 2.\\tab}Two\\par}")
        << u"1.\tOne\n2.\tTwo"_qs << 48.0 << -24.0;
    QTest::newRow("pntext bullets")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}"
               "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}\\li360\\fi-360 One\\par}")
        << u"\u2022\tOne"_qs << 24.0 << -24.0;
    QTest::newRow("listtext with its own pard")
        << QByteArray("{\\rtf1\\pard\\li1440\\fi-720{\\listtext\\pard\\plain a)\\tab}Item\\par}")
        << u"a)\tItem"_qs << 96.0 << -48.0;
}

void TestRtfReader::lists() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(qreal, leftMargin);
    QFETCH(qreal, textIndent);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QCOMPARE(doc.toPlainText(), text);
    const QTextBlockFormat b = doc.begin().blockFormat();
    QCOMPARE(b.leftMargin(), leftMargin);
    QCOMPARE(b.textIndent(), textIndent);
}

void TestRtfReader::listNumberTakesParagraphLook_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qreal>("points");
    // LibreOffice: \plain and nothing else in the number; Word: \plain followed by the number's own size.
    QTest::newRow("bare plain keeps the paragraph's size")
        << QByteArray("{\\rtf1\\pard\\plain\\fs18{\\listtext\\pard\\plain 1.\\tab}Item\\par}") << 9.0;
    QTest::newRow("explicit size after plain wins")
        << QByteArray("{\\rtf1\\pard\\plain\\fs18{\\listtext\\pard\\plain\\fs20 1.\\tab}Item\\par}") << 10.0;
    QTest::newRow("plain outside a number resets to 12 points")
        << QByteArray("{\\rtf1\\pard\\fs18{\\plain 1.}Item\\par}") << 12.0;
}

void TestRtfReader::listNumberTakesParagraphLook() {
    QFETCH(QByteArray, rtf);
    QFETCH(qreal, points);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontPointSize(), points);
}

void TestRtfReader::pictures_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("images");    // image objects in the text
    QTest::addColumn<int>("decodable"); // of them, backed by a resource that decodes
    const QByteArray png = pngBytes(4, 3);
    const QByteArray jpeg = jpegBytes(5, 5);
    QTest::newRow("png hex") << "{\\rtf1{\\pict\\pngblip\\picw4\\pich3 " + hex(png) + "}}" << 1 << 1;
    QTest::newRow("png hex with line breaks")
        << "{\\rtf1{\\pict\\pngblip\n" + hex(png.left(10)) + "\n" + hex(png.mid(10)) + "}}" << 1 << 1;
    QTest::newRow("jpeg bin") << "{\\rtf1{\\pict\\jpegblip\\bin" + QByteArray::number(jpeg.size()) + " " +
                                     jpeg + "}}"
                              << 1 << 1;
    QTest::newRow("shppict and nonshppict")
        << "{\\rtf1{\\*\\shppict{\\pict\\pngblip " + hex(png) + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}}"
        << 1 << 1;
    QTest::newRow("blipuid is not picture data")
        << "{\\rtf1{\\pict{\\*\\blipuid 00112233}\\pngblip " + hex(png) + "}}" << 1 << 1;
    QTest::newRow("wmf placeholder") << QByteArray("{\\rtf1{\\pict\\wmetafile8\\picw2540\\pich2540 0102}}")
                                     << 1 << 0;
    QTest::newRow("emf placeholder") << QByteArray("{\\rtf1{\\pict\\emfblip 0102}}") << 1 << 0;
    QTest::newRow("corrupt png placeholder") << QByteArray("{\\rtf1{\\pict\\pngblip 0102030405}}") << 1 << 0;
    QTest::newRow("hidden picture") << "{\\rtf1{\\v{\\pict\\pngblip " + hex(png) + "}}}" << 0 << 0;
    QTest::newRow("two pictures") << "{\\rtf1{\\pict\\pngblip " + hex(png) + "}{\\pict\\jpegblip " +
                                         hex(jpeg) + "}}"
                                  << 2 << 2;
}

void TestRtfReader::pictures() {
    QFETCH(QByteArray, rtf);
    QFETCH(int, images);
    QFETCH(int, decodable);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    const QList<ImageInfo> found = imagesIn(doc);
    QCOMPARE(found.size(), images);
    QStringList names;
    int decoded = 0;
    for (const ImageInfo &i : found) {
        names << i.name;
        const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(i.name));
        QVERIFY2(res.isValid(), qPrintable(i.name));
        // Pictures arrive decoded; what could not be decoded shares the one grey placeholder.
        if (!i.name.endsWith(u":placeholder") && !res.value<QImage>().isNull())
            ++decoded;
    }
    QCOMPARE(decoded, decodable);
    if (decodable > 1)
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size()); // unique addresses
}

void TestRtfReader::pictureSize_data() {
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QSizeF>("size");
    QTest::newRow("natural size") << QByteArray("\\pngblip") << QSizeF(4, 3);
    QTest::newRow("goal in twips") << QByteArray("\\pngblip\\picwgoal1500\\pichgoal750") << QSizeF(100, 50);
    QTest::newRow("goal scaled") << QByteArray(
                                        "\\pngblip\\picwgoal1500\\pichgoal750\\picscalex50\\picscaley200")
                                 << QSizeF(50, 100);
    QTest::newRow("metafile hundredths of mm")
        << QByteArray("\\wmetafile8\\picw2540\\pich5080") << QSizeF(96, 192);
    QTest::newRow("huge goal clamped")
        << QByteArray("\\pngblip\\picwgoal99999999\\pichgoal15") << QSizeF(kMaxImageSide, 1);
}

void TestRtfReader::pictureSize() {
    QFETCH(QByteArray, words);
    QFETCH(QSizeF, size);
    QTextDocument doc;
    QVERIFY(readRtf("{\\rtf1{\\pict" + words + " " + hex(pngBytes(4, 3)) + "}}", doc).ok());
    const QList<ImageInfo> found = imagesIn(doc);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QSizeF(found[0].width, found[0].height), size);
}

void TestRtfReader::fields_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("href"); // empty: no anchor
    QTest::newRow("hyperlink") << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst{HYPERLINK "
                                             "\"https://example.org/a\"}}{\\fldrslt{\\ul site}}}.}")
                               << u"see site."_qs << u"site"_qs << u"https://example.org/a"_qs;
    QTest::newRow("text after the field is no link")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x:y\"}{\\fldrslt link}} after}")
        << u"link after"_qs << u"after"_qs << QString();
    QTest::newRow("unquoted address")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK http://a.b/ }{\\fldrslt L}}}") << u"L"_qs
        << u"L"_qs << u"http://a.b/"_qs;
    QTest::newRow("local bookmark")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"top\"}{\\fldrslt L}}}") << u"L"_qs
        << u"L"_qs << u"#top"_qs;
    QTest::newRow("address with switches")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://a/\" \\\\o \"tip\" \\\\l "
                      "\"s\"}{\\fldrslt L}}}")
        << u"L"_qs << u"L"_qs << u"http://a/#s"_qs;
    QTest::newRow("other field shows result only")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst PAGE \\\\* MERGEFORMAT}{\\fldrslt 3}}}") << u"3"_qs
        << u"3"_qs << QString();
    QTest::newRow("nested field keeps link")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://a/\"}{\\fldrslt "
                      "A{\\field{\\*\\fldinst PAGEREF "
                      "x}{\\fldrslt B}}}}}")
        << u"AB"_qs << u"B"_qs << u"http://a/"_qs;
    QTest::newRow("paragraph inside link")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://a/\"}{\\fldrslt one\\par two}}}")
        << u"one\ntwo"_qs << u"two"_qs << u"http://a/"_qs;
    QTest::newRow("textedit hyperlink")
        << QByteArray(
               "{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"http://t.e/\"}}{\\fldrslt \\cf2 \\ul \\ulc2 T}}}")
        << u"T"_qs << u"T"_qs << u"http://t.e/"_qs;
}

void TestRtfReader::fields() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QString, href);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QCOMPARE(doc.toPlainText(), text);
    const QTextCharFormat f = formatAt(doc, word);
    QCOMPARE(f.isAnchor(), !href.isEmpty());
    QCOMPARE(f.anchorHref(), href);
}

void TestRtfReader::footnotesGatheredAtEnd() {
    QTextDocument doc;
    QVERIFY(readRtf("{\\rtf1 Body{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Note one.} more."
                    "{\\super\\chftn}{\\footnote\\pard\\chftn\\~Note two.}\\par}",
                    doc)
                .ok());
    QCOMPARE(doc.toRawText(), u"Body1 more.2\u2029\u20291 Note one.\u20292\u00A0Note two."_qs);
}

void TestRtfReader::deepGroups_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("word in 5000 nested groups")
        << "{\\rtf1 " + QByteArray(5000, '{') + "word" + QByteArray(5000, '}') + "}" << u"word"_qs
        << u"word"_qs << false << false;
    QTest::newRow("bold opened 100000 times")
        << "{\\rtf1 " + QByteArray("{\\b ").repeated(100000) + "word" + QByteArray(100000, '}') + "}"
        << u"word"_qs << u"word"_qs << true << false;
    // Italic within the limit, then bold groups far beyond it; the text after each part shows what
    // the closing braces bring back.
    const int beyond = kMaxGroupDepth + 100;
    const QByteArray levels = "{\\rtf1 {\\i " + QByteArray("{\\b ").repeated(beyond) + "deep" +
                              QByteArray(beyond, '}') + " back} out}";
    QTest::newRow("beyond the limit, in the formatting given there")
        << levels << u"deep back out"_qs << u"deep"_qs << true << true;
    QTest::newRow("closing braces back within the limit")
        << levels << u"deep back out"_qs << u"back"_qs << false << true;
    QTest::newRow("closing braces back to the top level")
        << levels << u"deep back out"_qs << u"out"_qs << false << false;
    QTest::newRow("destinations beyond the limit end with their group")
        << "{\\rtf1 " + QByteArray("{\\b ").repeated(beyond) +
               "{\\*\\bkmkstart x}{\\fonttbl{\\f9 y;}}{\\*\\unknown z}{\\footnote n}word" +
               QByteArray(beyond, '}') + "}"
        << u"word"_qs << u"word"_qs << true << false;
}

void TestRtfReader::deepGroups() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    QCOMPARE(doc.toPlainText(), text);
    const QTextCharFormat format = formatAt(doc, word);
    QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
}

void TestRtfReader::limits_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text"); // null: only that it reads
    QTest::newRow("deep groups unclosed") << "{\\rtf1 a" + QByteArray(100000, '{') + "deep" << u"adeep"_qs;
    QTest::newRow("bin longer than the file") << QByteArray("{\\rtf1 a\\bin999999999 xyz}") << u"a"_qs;
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_qs;
    QTest::newRow("huge parameters")
        << QByteArray(
               "{\\rtf1\\fs99999999999999999999\\li-99999999999999\\sl-9999999999\\cf99999999999 x\\par}")
        << u"x"_qs;
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1\\u99999999999 x}") << u"\uFFFD"_qs;
    QTest::newRow("huge uc") << QByteArray("{\\rtf1\\uc99999999\\u65 abc}") << u"A"_qs;
    QTest::newRow("long control word")
        << "{\\rtf1 " + QByteArray(100000, 'a').prepend('\\') + " x}" << u"x"_qs;
    QTest::newRow("many columns") << "{\\rtf1\\intbl " + QByteArray("x\\cell ").repeated(500) + "\\row}"
                                  << QString();
    QTest::newRow("many empty rows") << "{\\rtf1\\trowd\\cellx100\\intbl a\\cell" +
                                            QByteArray("\\row").repeated(20000) + "}"
                                     << QString();
    QTest::newRow("deep table nesting")
        << QByteArray("{\\rtf1\\intbl\\itap99999 x\\nestcell\\nestrow}") << QString();
    QTest::newRow("cell outside table") << QByteArray("{\\rtf1 a\\cell b\\row c\\nestcell}") << QString();
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << u"a"_qs;
    QTest::newRow("hex at the end") << QByteArray("{\\rtf1 a\\'") << u"a"_qs;
    QTest::newRow("unfinished picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e") << u"a"_qs;
    QTest::newRow("unfinished field")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x") << QString();
    QTest::newRow("picture inside field instruction")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst INCLUDEPICTURE {\\pict\\pngblip 00}}{\\fldrslt r}}}")
        << u"r"_qs;
    QTest::newRow("footnote inside footnote")
        << QByteArray("{\\rtf1 a{\\footnote b{\\footnote c}}}") << u"a\nb"_qs;
    QTest::newRow("odd hex digits in picture") << QByteArray("{\\rtf1{\\pict\\pngblip 123}}") << QString();
    QTest::newRow("style chain loop")
        << QByteArray("{\\rtf1{\\stylesheet{\\s1\\sbasedon1 A;}{\\*\\cs2\\sbasedon2 B;}}\\s1\\cs2 x}")
        << u"x"_qs;
}

void TestRtfReader::limits() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument doc;
    QVERIFY(readRtf(rtf, doc).ok());
    if (!text.isNull())
        QCOMPARE(doc.toPlainText(), text);
}

void TestRtfReader::rereadReplacesContent() {
    QTextDocument doc;
    QVERIFY(readRtf("{\\rtf1 first{\\pict\\pngblip " + hex(pngBytes(2, 2)) + "}}", doc).ok());
    QVERIFY(readRtf("{\\rtf1 second}", doc).ok());
    QCOMPARE(doc.toPlainText(), u"second"_qs);
    QVERIFY(imagesIn(doc).isEmpty());
    QVERIFY(!doc.isUndoAvailable());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
