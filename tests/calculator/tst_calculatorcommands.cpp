// The calculator's five commands: the total and its document, the missing-factor messages, Reset,
// the hand-off of documents to the viewer, and Exit.

#include "calculatortesting.h"
#include "documents/documentstore.h"
#include "documents/readmeviewer.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/richtextbox.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <map>

using namespace calculatortesting;
using sweltra::platform::RichTextBox;
using sweltra::platform::WindowKind;
using sweltra::platform::WindowRegistry;
namespace documents = sweltra::documents;

namespace {

using Picks = std::map<QString, QString>;

const Picks lowest = {{"WBGT", "<23\u00B0C"},
                      {"Duration", "<30"},
                      {"Intensity", "Easy pace throughout"},
                      {"Acclimatization", "Used to hot weather conditions"},
                      {"Ability", "Elite fitness levels"},
                      {"Age", "18 to 30"},
                      {"Drinks", "<15"},
                      {"Time", "Before 9 am"},
                      {"Surface", "Water"},
                      {"Venue", "Indoor air conditioning"},
                      {"Medical", "None"}};

Picks with(Picks picks, const Picks &changes) {
    for (const auto &[key, entry] : changes) {
        picks[key] = entry;
    }
    return picks;
}

Picks without(Picks picks, const QStringList &keys) {
    for (const QString &key : keys) {
        picks.erase(key);
    }
    return picks;
}

// Each document is a tiny RTF file whose text names it, so the test sees which one was loaded.
const std::map<std::string_view, QString> documentMarks = {
    {documents::topBand, "TopBandDocument"},           {documents::band66to74, "Band66Document"},
    {documents::band56to65, "Band56Document"},         {documents::band55andBelow, "Band55Document"},
    {documents::medicalConditions, "MedicalDocument"}, {documents::asterisk, "AsteriskDocument"},
    {documents::fullGuidelines, "GuidelinesDocument"}, {documents::conditionsOfUse, "ConditionsDocument"}};

} // namespace

class TestCalculatorCommands : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    QTemporaryDir m_folder;
    QStringList m_messages;
    int m_viewersMade = 0;
    QStringList m_locatorAtLoad;

    // The viewer's controls as the user meets them.
    template <typename T> static T *viewerControl(const char *name) {
        QWidget *viewer = WindowRegistry::find(WindowKind::Viewer);
        return viewer ? viewer->findChild<T *>(QLatin1String(name)) : nullptr;
    }

    QLineEdit *total() const { return m_window->findChild<QLineEdit *>(QStringLiteral("txt_Total")); }
    RichTextBox *guidelines() const {
        return m_window->findChild<RichTextBox *>(QStringLiteral("txtGuidelines"));
    }
    void click(const char *button) const {
        auto *target = m_window->findChild<QPushButton *>(QLatin1String(button));
        QVERIFY2(target, button);
        QTest::mouseClick(target, Qt::LeftButton);
    }
    bool pickAll(const Picks &picks) const {
        for (const auto &[key, entry] : picks) {
            if (!pickWithMouse(list(m_window, key), entry)) {
                return false;
            }
        }
        return true;
    }
    QStringList listTexts() const {
        QStringList texts;
        for (QComboBox *combo : m_window->findChildren<QComboBox *>()) {
            texts << combo->currentText() + QLatin1Char('/') + QString::number(combo->isEnabled());
        }
        return texts;
    }

private slots:
    void initTestCase() {
        sweltra::platform::installFontSubstitutes();
        QVERIFY(m_folder.isValid());
        sweltra::platform::setProgramFolderForTesting(m_folder.path());
        for (const auto &[name, mark] : documentMarks) {
            QFile file(documents::documentPath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\\rtf1\\ansi " + mark.toLatin1() + "\\par}");
        }
        sweltra::platform::setMessageObserver([this](const QString &message) { m_messages << message; });
    }
    void cleanupTestCase() {
        sweltra::platform::setMessageObserver(nullptr);
        sweltra::platform::setProgramFolderForTesting(QString());
    }
    void init() {
        m_messages.clear();
        m_viewersMade = 0;
        // The real viewer, noting what its locator held whenever a document arrived.
        WindowRegistry::setFactory(WindowKind::Viewer, [this] {
            ++m_viewersMade;
            auto *viewer = new documents::frmReadMeViewer;
            auto *locator = viewer->findChild<QLineEdit *>(QStringLiteral("txtLocator"));
            connect(viewer->findChild<RichTextBox *>(QStringLiteral("txtAirportHazards")),
                    &RichTextBox::Change, viewer, [this, locator] { m_locatorAtLoad << locator->text(); });
            return viewer;
        });
        m_window = showCalculator();
        QVERIFY(m_window);
    }
    void cleanup() { WindowRegistry::reset(); }

    // The message names the first factor missing (the verdict's own tests hold every message);
    // nothing else changes.
    void missingFactorIsNamed_data() {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing chosen") << Picks{} << "Please add Temperature data.";
        QTest::newRow("no venue") << without(lowest, {"Venue"}) << "Please add Venue data.";
        QTest::newRow("no venue, no medical")
            << without(lowest, {"Venue", "Medical"}) << "Please add Venue data.";
        QTest::newRow("medical condition but no length")
            << with(without(lowest, {"Duration"}), {{"Medical", "High: Asthma, Diabetes, Pregnancy, *"}})
            << "Please add Overall Length of Event data.";
    }
    void missingFactorIsNamed() {
        QFETCH(Picks, picks);
        QFETCH(QString, message);
        QVERIFY(pickAll(picks));
        total()->setText(QStringLiteral(" 40"));
        guidelines()->setText(QStringLiteral("earlier recommendation"));
        const QStringList points = allPoints(m_window);
        const QStringList lists = listTexts();

        click("cmd_Calculate");
        QCOMPARE(m_messages, QStringList{message});
        QCOMPARE(total()->text(), QStringLiteral(" 40"));
        QCOMPARE(guidelines()->Text(), QStringLiteral("earlier recommendation"));
        QCOMPARE(allPoints(m_window), points);
        QCOMPARE(listTexts(), lists);
    }

    void totalAndDocument_data() {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("document");
        QTest::newRow("lowest choices") << lowest << " 18"
                                        << "Band55Document";
        QTest::newRow("lowest, by air temperature")
            << with(without(lowest, {"WBGT"}), {{"Dry_Bulb", "<24\u00B0C"}}) << " 18"
            << "Band55Document";
        QTest::newRow("56") << with(lowest, {{"WBGT", ">= 30\u00B0C"},
                                             {"Duration", ">120"},
                                             {"Intensity", "Sustained effort throughout"},
                                             {"Acclimatization", "Used to cool/cold conditions"}})
                            << " 56"
                            << "Band56Document";
        QTest::newRow("68") << with(lowest, {{"WBGT", ">= 30\u00B0C"},
                                             {"Duration", ">120"},
                                             {"Intensity", "Sustained effort throughout"},
                                             {"Acclimatization", "Used to cool/cold conditions"},
                                             {"Ability", "Low fitness levels"},
                                             {"Age", "Over 40"}})
                            << " 68"
                            << "Band66Document";
        QTest::newRow("highest choices") << Picks{{"Dry_Bulb", ">= 33\u00B0C"},
                                                  {"Duration", ">120"},
                                                  {"Intensity", "Sustained effort throughout"},
                                                  {"Acclimatization", "Used to cool/cold conditions"},
                                                  {"Ability", "Low fitness levels"},
                                                  {"Age", "Under 13"},
                                                  {"Drinks", ">45"},
                                                  {"Time", "12 noon to 4 pm"},
                                                  {"Surface", "Asphalt"},
                                                  {"Venue", "Outdoors"},
                                                  {"Medical", "None"}}
                                         << " 98"
                                         << "TopBandDocument";
    }
    void totalAndDocument() {
        QFETCH(Picks, picks);
        QFETCH(QString, total);
        QFETCH(QString, document);
        QVERIFY(pickAll(picks));
        const QStringList points = allPoints(m_window);
        const QStringList lists = listTexts();
        // The total is on show before the document arrives.
        QStringList totalAtLoad;
        connect(guidelines(), &RichTextBox::Change, this, [&] { totalAtLoad << this->total()->text(); });

        click("cmd_Calculate");
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(this->total()->text(), total);
        QVERIFY2(guidelines()->Text().contains(document), qPrintable(guidelines()->Text()));
        QCOMPARE(totalAtLoad, QStringList{total});
        QCOMPARE(allPoints(m_window), points);
        QCOMPARE(listTexts(), lists);

        // Each run reloads the document, even the same one.
        guidelines()->setText(QString());
        totalAtLoad.clear();
        click("cmd_Calculate");
        QVERIFY(guidelines()->Text().contains(document));
        QCOMPARE(totalAtLoad, QStringList{total});
    }

    void medicalReferralKeepsTheTotal_data() {
        QTest::addColumn<QString>("condition");
        QTest::newRow("high") << "High: Asthma, Diabetes, Pregnancy, *";
        QTest::newRow("extreme") << "Extreme: Flu,Diarrhea,Drugs,Alcohol, *";
    }
    void medicalReferralKeepsTheTotal() {
        QFETCH(QString, condition);
        // Straight after opening there is no total to keep.
        QVERIFY(pickAll(with(lowest, {{"Medical", condition}})));
        click("cmd_Calculate");
        QVERIFY(guidelines()->Text().contains(QStringLiteral("MedicalDocument")));
        QCOMPARE(total()->text(), QString());

        QVERIFY(pickWithMouse(list(m_window, "Medical"), "None"));
        click("cmd_Calculate");
        QCOMPARE(total()->text(), QStringLiteral(" 18"));
        QVERIFY(pickWithMouse(list(m_window, "Medical"), condition));
        click("cmd_Calculate");
        QVERIFY(guidelines()->Text().contains(QStringLiteral("MedicalDocument")));
        QCOMPARE(total()->text(), QStringLiteral(" 18"));
        QCOMPARE(m_messages, QStringList());
    }

    // A pick after a total leaves the total and its document until the next calculation.
    void pickAfterTotalLeavesIt() {
        QVERIFY(pickAll(lowest));
        click("cmd_Calculate");
        const QString document = guidelines()->Text();
        QVERIFY(pickWithMouse(list(m_window, "Venue"), "Outdoors"));
        QVERIFY(pickWithKeys(list(m_window, "WBGT"), ">= 30\u00B0C"));
        QCOMPARE(points(m_window, "Venue")->text(), QStringLiteral("8"));
        QCOMPARE(total()->text(), QStringLiteral(" 18"));
        QCOMPARE(guidelines()->Text(), document);
    }

    void resetRestoresTheOpeningState_data() {
        QTest::addColumn<QString>("scale");
        QTest::newRow("after wet bulb") << "WBGT";
        QTest::newRow("after air temperature") << "Dry_Bulb";
    }
    void resetRestoresTheOpeningState() {
        QFETCH(QString, scale);
        Picks picks = without(lowest, {"WBGT"});
        picks[scale] = list(m_window, scale)->itemText(2);
        picks["Other"] = "Water freely available at venue?";
        QVERIFY(pickAll(picks));
        click("cmd_Calculate");
        QVERIFY(!total()->text().isEmpty());
        // Delete-edited text goes too.
        list(m_window, "Age")->lineEdit()->setCursorPosition(0);
        QTest::keyClick(list(m_window, "Age"), Qt::Key_Delete);
        // Clearing a list is no pick: no handler writes points back.
        int writes = 0;
        for (const QString &key : pointsKeys) {
            connect(points(m_window, key), &QLineEdit::textChanged, this,
                    [&writes](const QString &text) { writes += text.isEmpty() ? 0 : 1; });
        }

        click("cmd_Reset");
        QCOMPARE(writes, 0);
        QCOMPARE(allPoints(m_window), QStringList(pointsKeys.size(), QString()));
        QCOMPARE(total()->text(), QString());
        QCOMPARE(guidelines()->Text(), QString());
        for (QComboBox *combo : m_window->findChildren<QComboBox *>()) {
            QCOMPARE(combo->currentIndex(), -1);
            QCOMPARE(combo->currentText(), QString());
            QVERIFY(combo->isEnabled());
            QVERIFY(combo->count() >= 3);
        }
        QCOMPARE(m_messages, QStringList());

        // Both scales can be chosen afresh; Reset then Calculate asks for a temperature.
        click("cmd_Calculate");
        QCOMPARE(m_messages, QStringList{"Please add Temperature data."});
        QVERIFY(pickWithMouse(list(m_window, "Dry_Bulb"), "<24\u00B0C"));
        QCOMPARE(points(m_window, "Dry_Bulb")->text(), QStringLiteral("2"));
        QVERIFY(!list(m_window, "WBGT")->isEnabled());
    }

    void resetLeavesTheViewer() {
        click("cmd_asterisk");
        QWidget *viewer = WindowRegistry::find(WindowKind::Viewer);
        QVERIFY(viewer);
        click("cmd_Reset");
        QCOMPARE(WindowRegistry::find(WindowKind::Viewer), viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewerControl<RichTextBox>("txtAirportHazards")->Text().contains("Asterisk"));
    }

    void documentGoesToTheViewer_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("document");
        QTest::newRow("*") << QStringList{"cmd_asterisk"} << "AsteriskDocument";
        QTest::newRow("guidelines") << QStringList{"cmd_SMA_Guidelines"} << "GuidelinesDocument";
        QTest::newRow("* twice") << QStringList{"cmd_asterisk", "cmd_asterisk"} << "AsteriskDocument";
        QTest::newRow("* then guidelines")
            << QStringList{"cmd_asterisk", "cmd_SMA_Guidelines"} << "GuidelinesDocument";
    }
    void documentGoesToTheViewer() {
        QFETCH(QStringList, buttons);
        QFETCH(QString, document);
        for (const QString &button : buttons) {
            // Whatever the open viewer shows meanwhile is replaced.
            if (auto *box = viewerControl<RichTextBox>("txtAirportHazards")) {
                box->setText(QStringLiteral("line\n").repeated(200));
                box->setSelStart(100);
                box->setSelLength(50);
                box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
            }
            m_locatorAtLoad.clear();
            click(button.toLatin1().constData());
            // The locator names the calculator before the document loads.
            QCOMPARE(m_locatorAtLoad, QStringList{"Sweltra"});
        }
        QCOMPARE(m_viewersMade, 1);
        QWidget *viewer = WindowRegistry::find(WindowKind::Viewer);
        QVERIFY(viewer && viewer->isVisible());
        auto *box = viewerControl<RichTextBox>("txtAirportHazards");
        QCOMPARE(viewerControl<QLineEdit>("txtLocator")->text(), QStringLiteral("Sweltra"));
        QVERIFY2(box->Text().contains(document), qPrintable(box->Text()));
        QCOMPARE(box->SelStart(), 0);
        QCOMPARE(box->SelLength(), 0);
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QCOMPARE(viewer->focusWidget(), viewerControl<QPushButton>("cmdBackfromReadme"));
        // The calculator stays open and usable beside it.
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->isEnabled());
    }

    void exitClosesOnlyTheCalculator_data() {
        QTest::addColumn<bool>("viewerOpen");
        QTest::newRow("alone") << false;
        QTest::newRow("with the viewer open") << true;
    }
    void exitClosesOnlyTheCalculator() {
        QFETCH(bool, viewerOpen);
        if (viewerOpen) {
            click("cmd_SMA_Guidelines");
        }
        QPointer<QWidget> calculator = m_window;
        click("cmd_Back_to_Directory");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(calculator.isNull());
        QCOMPARE(WindowRegistry::find(WindowKind::Calculator), nullptr);
        QWidget *viewer = WindowRegistry::find(WindowKind::Viewer);
        QCOMPARE(viewer != nullptr, viewerOpen);
        if (viewer) {
            QVERIFY(viewer->isVisible());
        }
        // Shown again, the calculator starts afresh.
        m_window = WindowRegistry::show(WindowKind::Calculator);
        QVERIFY(m_window);
        QCOMPARE(allPoints(m_window), QStringList(pointsKeys.size(), QString()));
    }
};

QTEST_MAIN(TestCalculatorCommands)
#include "tst_calculatorcommands.moc"
