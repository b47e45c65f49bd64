#include "platform/fonts.h"
#include "platform/twips.h"
#include "startup/aboutwindow.h"
#include "startup/startupwindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace sweltra;

namespace {

std::unique_ptr<QWidget> makeWindow(bool about) {
    std::unique_ptr<QWidget> window;
    if (about) {
        window = std::make_unique<startup::AboutWindow>();
    } else {
        window = std::make_unique<startup::StartupWindow>();
    }
    return window;
}

QRect pixels(int left, int top, int width, int height) {
    return platform::toPixels(platform::TwipsBox{left, top, width, height});
}

bool isWhite(QRgb pixel) {
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

} // namespace

class TestStartupLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::installFontSubstitutes(); }

    void windows_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("fontPixels");
        QTest::newRow("start-up") << false << "frmVESKsplash"
                                  << "" << QSize(627, 416) << 11;
        QTest::newRow("About") << true << "frmVeskAbout"
                               << "About Sweltra \u00b0C" << QSize(627, 397) << 16;
    }
    void windows() {
        QFETCH(bool, about);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        QFETCH(int, fontPixels);
        auto window = makeWindow(about);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        QCOMPARE(window->windowType(), Qt::Window);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window->font().pixelSize(), fontPixels);
    }

    void startupPanel() {
        startup::StartupWindow window;
        auto *panel = window.findChild<QWidget *>(QStringLiteral("Frame1"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), pixels(360, 240, 8655, 5715));
        QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
        QCOMPARE(window.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly),
                 QList<QWidget *>{panel});
    }

    // Dark red around a white panel; white buttons and captions on it.
    void startupColours() {
        startup::StartupWindow window;
        window.show();
        const QImage shot = window.grab().toImage();
        QCOMPARE(QColor(shot.pixel(3, 3)), QColor(192, 0, 0));
        QCOMPARE(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), QColor(192, 0, 0));
        QVERIFY(isWhite(shot.pixel(24 + 6, 16 + 4)));
        for (const char *name : {"cmdDisclaimer", "cmdDecline", "cmdAccept", "lblTerribleThing", "lblVesk"}) {
            const QImage face = window.findChild<QWidget *>(QLatin1String(name))->grab().toImage();
            QVERIFY2(isWhite(face.pixel(face.width() / 2, 4)), name);
        }
    }

    // The focused and the held-down button each look different from a plain one.
    void startupButtonStates() {
        startup::StartupWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        auto *readme = window.findChild<QPushButton *>(QStringLiteral("cmdDisclaimer"));
        auto *accept = window.findChild<QPushButton *>(QStringLiteral("cmdAccept"));
        QVERIFY(readme->hasFocus());
        const QImage focused = readme->grab().toImage();
        accept->setFocus();
        const QImage plain = readme->grab().toImage();
        readme->setDown(true);
        const QImage held = readme->grab().toImage();
        QVERIFY(focused != plain);
        QVERIFY(held != plain);
        QVERIFY(held != focused);
    }
};

QTEST_MAIN(TestStartupLayout)
#include "tst_startuplayout.moc"
