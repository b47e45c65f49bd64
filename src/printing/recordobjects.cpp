#include "printing/recordobjects.h"

#include "platform/utf8.h"
#include "printing/recordcolours.h"
#include "risk/verdict.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <algorithm>

namespace sweltra::printing {
namespace {

constexpr int scaleObject = QTextFormat::UserObject + 1;
constexpr int linesObject = QTextFormat::UserObject + 2;
constexpr int totalProperty = QTextFormat::UserProperty + 1;
constexpr int labelsProperty = QTextFormat::UserProperty + 2;

constexpr risk::Band bands[] = {risk::Band::Lower, risk::Band::Moderate, risk::Band::High,
                                risk::Band::Extreme};

// Heights in lines of the object's font: the marker's total and its triangle above the bar, which
// holds two lines.
constexpr qreal markerLines = 1.0, triangleLines = 0.6, barLines = 2.3;
// Room above the ruled line to write on.
constexpr qreal fillLines = 2.2;

QFont objectFont(const QTextDocument *doc, const QTextFormat &format) {
    QFont font = format.toCharFormat().font().resolve(doc->defaultFont());
    // All of it set: a painter fills what is not from its device's font, another family.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

// The font as the device draws it: the record is laid out for the printer or the PDF.
QFontMetricsF metricsOf(const QFont &font, QTextDocument *doc) {
    const QPaintDevice *device = doc->documentLayout()->paintDevice();
    return device ? QFontMetricsF(font, device) : QFontMetricsF(font);
}

void drawScale(QPainter &painter, const QRectF &rect, const QFont &font, double total) {
    const QFontMetricsF metrics(font, painter.device());
    const qreal line = metrics.height();
    const risk::TotalRange possible = risk::possibleTotals();
    const qreal step = rect.width() / (possible.highest - possible.lowest + 1);
    const qreal barTop = rect.top() + (markerLines + triangleLines) * line;
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    for (std::size_t i = 0; i < std::size(bands); ++i) {
        const risk::BandRange range = risk::bandRange(bands[i]);
        const int lowest = range.lowest.value_or(possible.lowest);
        const int highest = range.highest.value_or(possible.highest);
        const QRectF band(rect.left() + (lowest - possible.lowest) * step, barTop,
                          (highest - lowest + 1) * step, barLines * line);
        painter.fillRect(band, QColor::fromRgb(bandColours[i].fill));
        painter.setPen(QColor::fromRgb(bandColours[i].text));
        const qreal inset = (barLines - 2) * line / 2;
        painter.drawText(QRectF(band.left(), band.top() + inset, band.width(), line), Qt::AlignCenter,
                         QStringLiteral("%1\u2013%2").arg(lowest).arg(highest));
        painter.drawText(QRectF(band.left(), band.top() + inset + line, band.width(), line), Qt::AlignCenter,
                         platform::qs(risk::bandName(bands[i])));
    }
    // The marker points at the middle of the total's step.
    const double at = std::clamp<double>(total, possible.lowest, possible.highest);
    const qreal x = rect.left() + (at - possible.lowest + 0.5) * step;
    const qreal half = 0.45 * line;
    QPainterPath triangle;
    triangle.moveTo(x - half, barTop - triangleLines * line);
    triangle.lineTo(x + half, barTop - triangleLines * line);
    triangle.lineTo(x, barTop);
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor::fromRgb(ink));
    const QString written = platform::qs(risk::totalText(total));
    const qreal width = metrics.horizontalAdvance(written) + line;
    const qreal left = std::clamp(x - width / 2, rect.left(), rect.right() - width);
    painter.setPen(QColor::fromRgb(ink));
    painter.drawText(QRectF(left, rect.top(), width, line), Qt::AlignCenter, written);
}

void drawLinesToFill(QPainter &painter, const QRectF &rect, const QFont &font, const QStringList &labels) {
    const QFontMetricsF metrics(font, painter.device());
    const qreal gap = 2 * metrics.height();
    const qreal share = (rect.width() - gap * (labels.size() - 1)) / labels.size();
    const qreal baseline = rect.bottom() - metrics.descent();
    painter.setFont(font);
    painter.setPen(QPen(QColor::fromRgb(ink), 0.6 * painter.device()->logicalDpiY() / 72.0));
    qreal left = rect.left();
    for (const QString &label : labels) {
        painter.drawText(QPointF(left, baseline), label);
        const qreal start = left + metrics.horizontalAdvance(label) + metrics.averageCharWidth();
        painter.drawLine(QLineF(start, baseline, left + share, baseline));
        left += share + gap;
    }
}

class RecordObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *doc, int, const QTextFormat &format) override {
        const QFontMetricsF metrics = metricsOf(objectFont(doc, format), doc);
        // As wide as the text, less a hair so that the line does not break before it.
        const qreal width = doc->textWidth() > 0 ? doc->textWidth() - 1 : 60 * metrics.averageCharWidth();
        const qreal lines =
            format.objectType() == scaleObject ? markerLines + triangleLines + barLines : fillLines;
        return {width, lines * metrics.height()};
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int,
                    const QTextFormat &format) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QFont font = objectFont(doc, format);
        if (format.objectType() == scaleObject) {
            drawScale(*painter, rect, font, format.doubleProperty(totalProperty));
        } else {
            drawLinesToFill(*painter, rect, font, format.property(labelsProperty).toStringList());
        }
        painter->restore();
    }
};

void insertObject(QTextCursor &cursor, int type, int property, const QVariant &value,
                  QTextCharFormat format) {
    format.setObjectType(type);
    format.setProperty(property, value);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

} // namespace

void insertScale(QTextCursor &cursor, double total, const QTextCharFormat &format) {
    insertObject(cursor, scaleObject, totalProperty, total, format);
}

void insertLinesToFill(QTextCursor &cursor, const QStringList &labels, const QTextCharFormat &format) {
    insertObject(cursor, linesObject, labelsProperty, labels, format);
}

void registerRecordObjects(QAbstractTextDocumentLayout *layout) {
    // Owned by the layout, which goes with the copy of the record it lays out.
    auto *objects = new RecordObjects(layout);
    layout->registerHandler(scaleObject, objects);
    layout->registerHandler(linesObject, objects);
}

} // namespace sweltra::printing

#include "recordobjects.moc"
