#include "resources/emblem.h"

#include <QGuiApplication>
#include <QTest>

using namespace sweltra::resources;

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void bitmap_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("start-up emblem") << QString::fromLatin1(emblem90Path) << 90 << true;
        QTest::newRow("About emblem") << QString::fromLatin1(emblem48Path) << 48 << false;
        QTest::newRow("window icon") << QString::fromLatin1(icon32Path) << 32 << false;
        QTest::newRow("large window icon") << QString::fromLatin1(icon256Path) << 256 << false;
    }

    // Each bitmap decodes as Qt's reader decodes it, has the size the windows lay out, corners that
    // vanish into what lies behind it (the start-up window shows it on white).
    void bitmap() {
        QFETCH(QString, path);
        QFETCH(int, side);
        QFETCH(bool, opaque);

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
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
