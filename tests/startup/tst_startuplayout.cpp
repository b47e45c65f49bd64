#include "platform/fonts.h"
#include "platform/richtextbox.h"
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

QString captionOf(const QWidget *control) {
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        return button->text();
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        return label->text();
    }
    return {};
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

    // The layout tables written out again, in twips, with each control's face in pixels.
    void controls_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<bool>("bold");
        const QString sans = QStringLiteral("MS Sans Serif");
        const QString button = QStringLiteral("QPushButton");
        const QString label = QStringLiteral("QLabel");

        QTest::newRow("Readme") << false << "cmdDisclaimer" << button << "Readme: Conditions of Use"
                                << pixels(720, 4920, 2055, 495) << sans << 11 << false;
        QTest::newRow("Decline") << false << "cmdDecline" << button << "Decline Conditions of Use/Exit"
                                 << pixels(5520, 4920, 2490, 495) << sans << 11 << false;
        QTest::newRow("Accept") << false << "cmdAccept" << button << "Accept Conditions of Use"
                                << pixels(2925, 4920, 2415, 495) << sans << 11 << false;
        QTest::newRow("slogan") << false << "lblTerribleThing" << label
                                << "(A Player Is A Terrible Thing To Melt)" << pixels(1732, 2640, 5430, 405)
                                << "Comic Sans MS" << 19 << true;
        QTest::newRow("name") << false << "lblVesk" << label << "Sweltra" << pixels(1560, 1920, 5775, 615)
                              << "Arial" << 35 << true;
        QTest::newRow("Image1") << false << "Image1" << label << "" << pixels(120, 120, 1350, 1350) << sans
                                << 11 << false;
        QTest::newRow("imgNoMelt2") << false << "imgNoMelt2" << label << "" << pixels(7200, 120, 1350, 1350)
                                    << sans << 11 << false;
        QTest::newRow("imgNoMelt3") << false << "imgNoMelt3" << label << "" << pixels(120, 3255, 1350, 1350)
                                    << sans << 11 << false;
        QTest::newRow("imgNomelt4") << false << "imgNomelt4" << label << "" << pixels(7200, 3240, 1350, 1350)
                                    << sans << 11 << false;

        QTest::newRow("Back") << true << "cmdOK" << button << "Back" << pixels(7800, 5400, 1260, 345) << sans
                              << 11 << false;
        QTest::newRow("picture") << true << "picNoMelt9" << label << "" << pixels(240, 120, 780, 780) << sans
                                 << 11 << false;
        QTest::newRow("conditions") << true << "txtDisclaimer"
                                    << "sweltra::platform::RichTextBox"
                                    << "" << pixels(600, 1080, 7935, 4095) << sans << 13 << false;
        QTest::newRow("Label1") << true << "Label1" << label << "" << pixels(1080, 715, 8085, 330) << sans
                                << 11 << false;
        QTest::newRow("copyright") << true << "lblDescription" << label
                                   << "Copyright \u00a9 2026 Rudev. All rights reserved."
                                   << pixels(1080, 437, 4005, 210) << sans << 11 << false;
        QTest::newRow("title") << true << "lblTitle" << label << "Sweltra \u00b0C, Version 1.1"
                               << pixels(1080, 130, 4125, 240) << sans << 11 << false;
    }
    void controls() {
        QFETCH(bool, about);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, caption);
        QFETCH(QRect, box);
        QFETCH(QString, family);
        QFETCH(int, fontPixels);
        QFETCH(bool, bold);
        auto window = makeWindow(about);
        auto *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), type);
        // Everything on the start-up window lies on its panel.
        QCOMPARE(control->parentWidget()->objectName(),
                 about ? window->objectName() : QStringLiteral("Frame1"));
        QCOMPARE(captionOf(control), caption);
        QCOMPARE(control->font().family(), family);
        QCOMPARE(control->font().pixelSize(), fontPixels);
        QCOMPARE(control->font().bold(), bold);
        const QFontMetrics metrics(control->font());
        if (name.startsWith(QLatin1String("lbl")) && !about) {
            // Sized to its text and centred on its designed box.
            QCOMPARE(control->size(), control->sizeHint());
            QVERIFY(control->width() >= metrics.horizontalAdvance(caption));
            QVERIFY2((control->geometry().center() - box.center()).manhattanLength() <= 2,
                     "off the designed centre");
            QVERIFY(QRect(QPoint(), control->parentWidget()->size()).contains(control->geometry()));
        } else {
            QCOMPARE(control->geometry(), box);
            // A button's caption fits inside its border; a label's inside its box.
            const int border = qobject_cast<QPushButton *>(control) ? 2 : 0;
            QVERIFY2(metrics.horizontalAdvance(caption) <= box.width() - border, "caption too wide");
            QVERIFY2(caption.isEmpty() || metrics.height() <= box.height(), "caption too tall");
        }
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

    void emblems_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const char *name : {"Image1", "imgNoMelt2", "imgNoMelt3", "imgNomelt4"}) {
            QTest::newRow(name) << false << name << QSize(90, 90);
        }
        QTest::newRow("picNoMelt9") << true << "picNoMelt9" << QSize(48, 48);
    }
    void emblems() {
        QFETCH(bool, about);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        auto window = makeWindow(about);
        auto *picture = window->findChild<QLabel *>(name);
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), size);
    }
};

QTEST_MAIN(TestStartupLayout)
#include "tst_startuplayout.moc"
