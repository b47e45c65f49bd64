#include "resources/emblem.h"

#include <algorithm>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace sweltra::resources;

namespace {

// The largest difference in any channel between two images of one size, compared at a quarter
// of that size: edges smoothed a little differently by two renderers average out there, while
// a shape that is missing or misplaced still stands out. Premultiplied, so the colour of
// see-through pixels does not count.
int worstDifference(const QImage &one, const QImage &other) {
    const QSize small = one.size() / 4;
    const auto shrink = [small](const QImage &image) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage a = shrink(one), b = shrink(other);
    int worst = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return worst;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    // Each bitmap is reachable from a program that links the library, has the size the windows
    // lay out, corners that vanish into what lies behind it, and matches its drawing.
    void bitmap_data();
    void bitmap();
    void windowIconOffersScreenSizes();
    void decodedAsQtDecodes_data() { bitmap_data(); }
    void decodedAsQtDecodes();
};

void TestResources::bitmap_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<QString>("drawing");

    const QString full = QStringLiteral("emblem.svg"), small = QStringLiteral("emblem-small.svg");
    QTest::newRow("start-up emblem") << QString::fromLatin1(emblem90Path) << 90 << true << full;
    QTest::newRow("About emblem") << QString::fromLatin1(emblem48Path) << 48 << false << small;
    QTest::newRow("window icon") << QString::fromLatin1(icon32Path) << 32 << false << small;
    QTest::newRow("large icon") << QString::fromLatin1(icon256Path) << 256 << false << full;
}

void TestResources::bitmap() {
    QFETCH(QString, path);
    QFETCH(int, side);
    QFETCH(bool, opaque);
    QFETCH(QString, drawing);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(side, side));
    // The start-up window shows a 24-bit picture on its white panel; icons lie on any background.
    QCOMPARE(image.hasAlphaChannel(), !opaque);
    const QColor corner = image.pixelColor(0, 0);
    if (opaque)
        QCOMPARE(corner, QColor(Qt::white));
    else
        QCOMPARE(corner.alpha(), 0);

    // An edited drawing must not ship with stale pictures. Qt's own SVG renderer knows only part
    // of SVG and is the one that desktops built on Qt use for the scalable icon, so the drawing
    // must come out there as it did when the bitmap was rendered.
    QSvgRenderer renderer(QStringLiteral(SWELTRA_RESOURCES_DIR "/") + drawing);
    QVERIFY(renderer.isValid());
    QImage drawn(image.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    const int worst = worstDifference(drawn, image);
    QVERIFY2(worst <= 64, qPrintable(QStringLiteral("a pixel differs by %1 of 255").arg(worst)));
}

void TestResources::windowIconOffersScreenSizes() {
    const QIcon icon = windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {32, 48})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    // The large icon goes to the window system only where a screen is dense enough to use it.
    QCOMPARE(sizes.contains(QSize(256, 256)), qGuiApp->devicePixelRatio() > 1.0);
    QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

// The program decodes its bitmaps itself; every pixel must come out as Qt's reader gives it.
void TestResources::decodedAsQtDecodes() {
    QFETCH(QString, path);
    QFETCH(bool, opaque);
    const QImage ours = sweltra::resources::bitmap(path.toLatin1().constData());
    const QImage qt(path);
    QCOMPARE(ours.size(), qt.size());
    QCOMPARE(ours.hasAlphaChannel(), !opaque);
    QCOMPARE(ours.convertToFormat(QImage::Format_ARGB32), qt.convertToFormat(QImage::Format_ARGB32));
    // Decoded once: every picture of the bitmap shares the first decoding's pixels.
    QCOMPARE(sweltra::resources::bitmap(path.toLatin1().constData()).constBits(), ours.constBits());
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
