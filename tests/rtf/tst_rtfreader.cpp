// The RTF reader on small hand-written documents: one row per behaviour a reader of them would name.
#include "rtf/rtfcodepages.h"
#include "rtf/rtflimits.h"
#include "rtf/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>

using namespace sweltra::rtf;

namespace {

QString joined(std::initializer_list<std::pair<bool, QString>> parts) {
    QStringList on;
    for (const auto &[yes, name] : parts) {
        if (yes)
            on << name;
    }
    return on.join(u' ');
}

// What one sees of a run of characters, defaults left out: "bold 14pt Arial".
QString charLook(const QTextCharFormat &f) {
    static const char *const underlines[] = {
        "", "ul", "ul-dash", "ul-dot", "ul-dashdot", "ul-dashdotdot", "ul-wave"};
    return joined({{f.fontWeight() >= QFont::Bold, u"bold"_qs},
                   {f.fontItalic(), u"italic"_qs},
                   {f.underlineStyle() != 0, QLatin1String(underlines[std::min<int>(f.underlineStyle(), 6)])},
                   {f.fontStrikeOut(), u"strike"_qs},
                   {f.verticalAlignment() == QTextCharFormat::AlignSuperScript, u"super"_qs},
                   {f.verticalAlignment() == QTextCharFormat::AlignSubScript, u"sub"_qs},
                   {f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 12,
                    u"%1pt"_qs.arg(f.fontPointSize())},
                   {f.hasProperty(QTextFormat::FontFamilies), f.fontFamilies().toStringList().value(0)},
                   {f.fontCapitalization() == QFont::AllUppercase, u"caps"_qs},
                   {f.fontCapitalization() == QFont::SmallCaps, u"smallcaps"_qs},
                   {f.hasProperty(QTextFormat::ForegroundBrush), u"fg"_qs + f.foreground().color().name()},
                   {f.hasProperty(QTextFormat::BackgroundBrush), u"bg"_qs + f.background().color().name()},
                   {f.isAnchor(), u"link "_qs + f.anchorHref()}});
}

// What one sees of a paragraph, in pixels, defaults left out: "center left48 indent-24".
QString blockLook(const QTextBlockFormat &b) {
    const Qt::Alignment align = b.alignment() & Qt::AlignHorizontal_Mask;
    return joined({{align == Qt::AlignHCenter, u"center"_qs},
                   {align == Qt::AlignRight, u"right"_qs},
                   {align == Qt::AlignJustify, u"justify"_qs},
                   {b.leftMargin() != 0, u"left%1"_qs.arg(b.leftMargin())},
                   {b.rightMargin() != 0, u"right%1"_qs.arg(b.rightMargin())},
                   {b.textIndent() != 0, u"indent%1"_qs.arg(b.textIndent())},
                   {b.topMargin() != 0, u"above%1"_qs.arg(b.topMargin())},
                   {b.bottomMargin() != 0, u"below%1"_qs.arg(b.bottomMargin())},
                   {b.lineHeightType() != 0, u"line%1/%2"_qs.arg(b.lineHeight()).arg(b.lineHeightType())}});
}

// The document as text: ¶ between paragraphs, → for a tab, {look} before a paragraph with a look of its
// own, <text|look> for such a run (<|look> for an empty paragraph's mark), <WxH> for a picture (" grey": the
// placeholder of what cannot be shown, " of WxH": the image's own size), [a|b;c|d] for a table.
QString describe(const QTextDocument &doc, QTextFrame::iterator it) {
    QString out;
    for (bool first = true; !it.atEnd(); ++it, first = false) {
        if (auto *table = qobject_cast<QTextTable *>(it.currentFrame())) {
            QStringList rows;
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c)
                    cells << describe(doc, table->cellAt(r, c).begin());
                rows << cells.join(u'|');
            }
            out += u'[' + rows.join(u';') + u']';
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (!first)
            out += u'¶';
        if (const QString look = blockLook(block.blockFormat()); !look.isEmpty())
            out += u'{' + look + u'}';
        if (const QString mark = charLook(block.charFormat()); block.length() == 1 && !mark.isEmpty())
            out += u"<|"_qs + mark + u'>'; // an empty paragraph's mark gives its height
        for (auto f = block.begin(); !f.atEnd(); ++f) {
            const QTextImageFormat image = f.fragment().charFormat().toImageFormat();
            const QString text = f.fragment().text().replace(u'\t', u'→'), look = charLook(image);
            if (!image.isValid()) {
                out += look.isEmpty() ? text : u'<' + text + u'|' + look + u'>';
                continue;
            }
            const QSize own = doc.resource(QTextDocument::ImageResource, image.name()).value<QImage>().size();
            const QSize shown(qRound(image.width()), qRound(image.height()));
            const QString of = own == shown ? QString() : u" of %1x%2"_qs.arg(own.width()).arg(own.height());
            out += u"<%1x%2%3>"_qs.arg(shown.width())
                       .arg(shown.height())
                       .arg(image.name().endsWith(u":placeholder") ? u" grey"_qs : of);
        }
    }
    if (out.endsWith(u"]¶")) // the paragraph a document keeps after a table
        out.chop(1);
    return out;
}

QByteArray imageBytes(int w, int h, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image(w, h, QImage::Format_Mono);
    image.fill(0);
    image.save(&buffer, format);
    return bytes;
}

void row(const char *name, const QByteArray &rtf, const QByteArray &document) {
    QTest::newRow(name) << rtf << QString::fromUtf8(document);
}

// The rows of reader-rows.txt, built into the test; a lost file fails rather than passing on nothing.
void rows() {
    QFile file(u":/reader-rows.txt"_qs);
    QVERIFY2(file.open(QIODevice::ReadOnly), "reader-rows.txt is not built into the test");
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList field = line.split(u" | "_qs);
        if (!line.startsWith(u'#'))
            QTest::newRow(qPrintable(field[0]))
                << field.value(1).toUtf8() << field.value(2, u"(malformed row)"_qs);
    }
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:

    void read_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("document"); // as describe() shows it, or why it was not read
        // Inputs a table line cannot hold: control characters, sizes from the limits, pictures, deep nesting.
        row("groups, escapes, line ends, ignorable words",
            "{\\rtf1 a{b{c}}\\{x\\}\\\\\r\n{\\*\\foo x}{\\*\\b d}\\foo12 e\\\nf}", "abc{x}\\<d|bold>e¶f");
        row("special characters",
            "{\\rtf1 \\line\\~\\-\\_\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
            "\u2028\u00A0\u00AD\u2011—–•‘’“”");
        row("junk up to the allowance", QByteArray(kMaxHeaderOffset, 'x') + "{\\rtf1 ok}", "ok");
        row("header too late", QByteArray(kMaxHeaderOffset + 1, 'x') + "{\\rtf1 late}", "(not RTF)");
        row("too large", QByteArray("{\\rtf1 ").leftJustified(kMaxDocumentBytes + 1, 'a'), "(too large)");
        row("nul bytes", QByteArray("{\\rtf1 a\0b\0\\par c}\0", 20), "ab¶c");
        const QByteArray deepest = QByteArray(kMaxTableDepth, '[') + 'x' + QByteArray(kMaxTableDepth, ']');
        row("nesting limit", "{\\rtf1\\intbl\\itap99999 x\\nestcell\\nestrow}", deepest);
        row("many columns, the rest in the last",
            "{\\rtf1\\intbl " + QByteArray("x\\cell ").repeated(500) + "\\row}",
            '[' + QByteArray("x|").repeated(kMaxTableColumns - 1) + QByteArray(501 - kMaxTableColumns, 'x') +
                ']');
        row("many empty rows",
            "{\\rtf1\\trowd\\cellx100\\intbl a\\cell" + QByteArray("\\row").repeated(20000) + "}", "[a]");
        const QByteArray png = imageBytes(4, 3, "PNG"), jpeg = imageBytes(5, 5, "JPEG"), hex = png.toHex();
        auto pict = [](const char *words, const QByteArray &data) {
            return "{\\rtf1{\\pict" + (words + data) + "}}";
        };
        row("png hex", pict("\\pngblip\\picw9\\pich9 ", hex.left(10) + "\n" + hex.mid(10)), "<4x3>");
        row("jpeg bin", pict("\\jpegblip\\bin", QByteArray::number(jpeg.size()) + " " + jpeg), "<5x5>");
        row("blipuid is not picture data", pict("{\\*\\blipuid 00112233}\\pngblip ", hex), "<4x3>");
        row("two pictures", pict("\\pngblip ", hex + "}{\\pict\\jpegblip " + jpeg.toHex()), "<4x3><5x5>");
        const int beyond = kMaxGroupDepth + 100;
        row("beyond the depth limit",
            "{\\rtf1 {\\i " + QByteArray("{\\b ").repeated(beyond) + "deep" + QByteArray(beyond, '}') +
                " back} out}",
            "<deep|bold italic>< back|italic> out");
        row("destinations beyond the depth limit end with their group",
            "{\\rtf1 " + QByteArray("{\\b ").repeated(beyond) +
                "{\\*\\bkmkstart x}{\\fonttbl{\\f9 y;}}{\\*\\unknown z}{\\footnote n}word" +
                QByteArray(beyond, '}') + "}",
            "<word|bold>");
        row("deep groups unclosed", "{\\rtf1 a" + QByteArray(100000, '{') + "deep", "adeep");
        row("long control word", "{\\rtf1 " + QByteArray(100000, 'a').prepend('\\') + " x}", "x");

        rows();
    }

    void read() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, document);
        QTextDocument doc;
        doc.setPlainText(u"old"_qs);
        const ReadResult r = readRtf(rtf, doc);
        QCOMPARE(r.detail.isEmpty(), r.ok());
        QVERIFY(!doc.isUndoAvailable());
        const QString why = r.ok()                           ? QString()
                            : r.status == ReadStatus::NotRtf ? u"(not RTF)"_qs
                                                             : u"(too large)"_qs;
        QCOMPARE(why + describe(doc, doc.rootFrame()->begin()), document);
    }

    // Every code page the reader knows by name decodes: a misspelt name would fall back to Latin-1.
    void everyCodepageDecodes() {
        QByteArray high;
        for (int byte = 0x80; byte <= 0xff; ++byte)
            high += "\\'" + QByteArray::number(byte, 16);
        const QString latin1 = QString::fromLatin1(QByteArray::fromHex(QByteArray(high).replace("\\'", "")));
        QStringList undecoded;
        int known = 0;
        for (int codepage = 1; codepage < 65536; ++codepage) {
            QTextDocument doc;
            if (usableCodepage(codepage) != codepage || codepage == kSymbolCodepage || codepage == 28591 ||
                codepage == 65000)
                continue; // 28591 is Latin-1 itself; UTF-7 (which Windows knows) has no bytes above 0x7F
            readRtf("{\\rtf1\\ansicpg" + QByteArray::number(codepage) + " " + high + "}", doc);
            if (++known && doc.toRawText() == latin1)
                undecoded << QString::number(codepage);
        }
        QVERIFY(known > 10);
#ifdef Q_OS_WIN
        QCOMPARE(undecoded.join(u' '), QString());
#else
        // Known gap: ICU has no converter for Mac Arabic, Hebrew and Icelandic, so they still read as
        // Latin-1.
        QCOMPARE(undecoded.join(u' '), u"10004 10005 10079"_qs);
#endif
    }

    // Column widths are the distances between the right edges \cellx gives, from the row's left edge.
    void tableGeometry() {
        QTextDocument doc;
        readRtf(
            "{\\rtf1\\trowd\\trleft150\\cellx1500\\cellx4500\\clbrdrt\\brdrs\\cellx6000\\intbl a\\cell\\row}",
            doc);
        const auto *table = qobject_cast<QTextTable *>(doc.rootFrame()->childFrames().value(0));
        QVERIFY(table);
        QStringList look{u"border%1"_qs.arg(table->format().border())};
        for (const QTextLength &w : table->format().columnWidthConstraints())
            look << u"%1/%2"_qs.arg(w.rawValue()).arg(w.type());
        QCOMPARE(look.join(u' '), u"border1 90/1 200/1 100/1"_qs);
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
