#include "resources/emblem.h"

#include <algorithm>
#include <cstdlib>

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace sweltra::resources;

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void bitmap_data();
    void bitmap();
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
    QTest::newRow("large window icon") << QString::fromLatin1(icon256Path) << 256 << false << full;
}

// Each bitmap decodes as Qt's reader decodes it, has the size the windows lay out, corners that
// vanish into what lies behind it (the start-up window shows it on white), and matches its drawing.
void TestResources::bitmap() {
    QFETCH(QString, path);
    QFETCH(int, side);
    QFETCH(bool, opaque);
    QFETCH(QString, drawing);

    const QImage image = sweltra::resources::bitmap(path.toLatin1().constData());
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
             QImage(path).convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(image.size(), QSize(side, side));
    QCOMPARE(image.hasAlphaChannel(), !opaque);
    const QColor corner = image.pixelColor(0, 0);
    QCOMPARE(corner.alpha(), opaque ? 255 : 0);
    if (opaque)
        QCOMPARE(corner, QColor(Qt::white));
    // The large window icon goes to the window system only where a screen is dense enough for it.
    if (!opaque)
        QCOMPARE(windowIcon().availableSizes().contains(image.size()),
                 side < 256 || qGuiApp->devicePixelRatio() > 1.0);
    // Decoded once: every later request shares the first decoding's pixels.
    QCOMPARE(sweltra::resources::bitmap(path.toLatin1().constData()).constBits(), image.constBits());

    // A bitmap left stale after its drawing changed: the drawing as Qt's own SVG renderer, the one
    // desktops built on Qt use for the scalable icon, shows it. Compared at a quarter of the size,
    // where two renderers' edge smoothing averages out but a missing or moved shape stands out.
    QSvgRenderer renderer(QStringLiteral(SWELTRA_RESOURCES_DIR "/") + drawing);
    QVERIFY(renderer.isValid());
    QImage drawn(image.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    const auto shrink = [&](const QImage &full) {
        return full.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(image.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage a = shrink(drawn), b = shrink(image);
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    QVERIFY2(worst <= 64, qPrintable(QStringLiteral("a pixel differs by %1 of 255").arg(worst)));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
