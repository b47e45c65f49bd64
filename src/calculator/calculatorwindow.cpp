#include "calculator/calculatorwindow.h"

#include "calculator/wbgtdialog.h"
#include "documents/documentstore.h"
#include "platform/entriesonly.h"
#include "platform/messagebox.h"
#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"
#include "platform/windowregistry.h"
#include "printing/assessmentrecord.h"
#include "risk/assessment.h"
#include "risk/wbgt.h"
#include "viewer/viewerwindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace sweltra::calculator {
namespace {

using platform::ControlRow;
using namespace platform::layout;
using platform::qs;

// The window's client area and its own font, for controls that name none.
constexpr int clientWidthTwips = 9375;
constexpr int clientHeightTwips = 5925;
constexpr DesignFont windowFont{Face::MsSansSerif, 8.25, false};

constexpr DesignFont bold{Face::MsSansSerif, 8.25, true};
constexpr DesignFont regular{Face::MsSansSerif, 8.25, false};
constexpr DesignFont buttonFont{Face::MsSansSerif, 9.75, true};
constexpr DesignFont asteriskFont{Face::MsSansSerif, 18, true};
constexpr DesignFont totalFont{Face::MsSansSerif, 12, true};

constexpr std::string_view pickTip = "Click the down arrow, then click best match.";
constexpr std::string_view dstTip = "DST = \"Daylight Saving Time\"";

// clang-format off
constexpr ControlRow rows[] = {
    // name                     kind          text                       left   top  width height tab  font        tool tip, look
    {"lbl_WBGT",               K::Label,     "",                         200,  525, 2775, 375,  -1, bold,       "Click on the down arrow to view choices."},
    {"cbo_WBGT",               K::List,      "",                        3000,  480, 1095, 315,  14, bold,       pickTip},
    {"txt_WBGT",               K::ReadOnly,  "",                        4080,  480,  375, 315,  15, bold,       ""},
    {"lbl_Or",                 K::Label,     "- OR -",                   480,  765,  615, 172,  -1, regular,    "", L::DarkRed},
    {"lbl_Dry_Bulb",           K::Label,     "",                         415,  988, 2535, 255,  -1, bold,       "Click on the * button at the bottom of page for explanation."},
    {"cbo_Dry_Bulb",           K::List,      "",                        3000,  894, 1095, 315,  43, bold,       pickTip},
    {"txt_Dry_Bulb",           K::ReadOnly,  "",                        4080,  894,  375, 315,  44, bold,       ""},
    {"lbl_Duration",           K::Label,     "",                         195, 1440, 2895, 255,  -1, bold,       ""},
    {"cbo_Duration",           K::List,      "",                        2880, 1410, 1215, 315,  17, bold,       ""},
    {"txt_Duration",           K::ReadOnly,  "",                        4080, 1410,  375, 315,  18, bold,       ""},
    {"lbl_Intensity",          K::Label,     "",                         195, 1800, 3735, 375,  -1, bold,       ""},
    {"cbo_Intensity",          K::List,      "",                         720, 2040, 3375, 315,  20, bold,       ""},
    {"txt_Intensity",          K::ReadOnly,  "",                        4080, 2040,  375, 315,  19, bold,       ""},
    {"lbl_Acclimatization",    K::Label,     "",                         195, 2520, 3015, 375,  -1, bold,       ""},
    {"cbo_Acclimatization",    K::List,      "",                         720, 2760, 3375, 315,  22, bold,       ""},
    {"txt_Acclimatization",    K::ReadOnly,  "",                        4080, 2760,  375, 315,  21, bold,       ""},
    {"lbl_Ability",            K::Label,     "",                         195, 3240, 3735, 255,  -1, bold,       ""},
    {"cbo_Ability",            K::List,      "",                         720, 3480, 3375, 315,  24, bold,       ""},
    {"txt_Ability",            K::ReadOnly,  "",                        4080, 3480,  375, 315,  23, bold,       ""},
    {"lbl_Age",                K::Label,     "",                        4875,  270, 1935, 255,  -1, bold,       ""},
    {"cbo_Age",                K::List,      "",                        6960,  240, 1815, 315,  25, bold,       ""},
    {"txt_Age",                K::ReadOnly,  "",                        8760,  240,  375, 315,  26, bold,       ""},
    {"lbl_Drinks",             K::Label,     "",                        4875,  750, 2655, 255,  -1, bold,       ""},
    {"cbo_Drinks",             K::List,      "",                        7440,  720, 1335, 315,  28, bold,       ""},
    {"txt_Drinks",             K::ReadOnly,  "",                        8760,  720,  375, 315,  27, bold,       ""},
    {"lbl_Time",               K::Label,     "",                        4875, 1230, 2055, 255,  -1, bold,       dstTip},
    {"cbo_Time",               K::List,      "",                        6960, 1200, 1815, 315,  29, bold,       dstTip},
    {"txt_Time",               K::ReadOnly,  "",                        8760, 1200,  375, 315,   3, bold,       ""},
    {"lbl_Surface",            K::Label,     "",                        4875, 1710, 1575, 255,  -1, bold,       ""},
    {"cbo_Surface",            K::List,      "",                        6360, 1680, 2415, 315,  32, bold,       ""},
    {"txt_Surface",            K::ReadOnly,  "",                        8760, 1680,  375, 315,  33, bold,       ""},
    {"lbl_Venue",              K::Label,     "",                        4875, 2162,  975, 255,  -1, bold,       ""},
    {"cbo_Venue",              K::List,      "",                        5880, 2162, 2895, 315,  39, bold,       ""},
    {"txt_Venue",              K::ReadOnly,  "",                        8760, 2162,  375, 315,  40, bold,       ""},
    {"lbl_Medical",            K::Label,     "",                        4875, 2580, 4215, 255,  -1, bold,       "Click on the * button at the bottom of this page for details."},
    {"cbo_Medical",            K::List,      "",                        5160, 2808, 3615, 315,  34, bold,       ""},
    {"txt_Medical",            K::ReadOnly,  "",                        8760, 2808,  375, 315,  35, bold,       ""},
    {"lbl_Other",              K::Label,     "",                        4875, 3240, 4335, 255,  -1, bold,       ""},
    {"cbo_Other",              K::List,      "",                        5160, 3480, 3975, 315,  36, bold,       ""},
    {"lbl_Risk_Points",        K::Label,     "Risk Points",             3840,  240,  975, 255,  -1, regular,    ""},
    {"Shape1",                 K::Outline,   "",                         120,  120, 9135, 3855,  -1, bold,       ""},
    {"txtGuidelines",          K::RichText,  "",                         120, 4080, 9135, 1215,  37, platform::parentFont, ""},
    {"cmd_Back_to_Directory",  K::Button,    "Exit Calculator",          120, 5456, 1815, 375,   0, buttonFont, ""},
    {"cmd_asterisk",           K::Button,    "*",                       2040, 5456,  495, 375,  46, asteriskFont, ""},
    {"cmd_Reset",              K::Button,    "Reset",                   2640, 5456,  855, 375,   1, buttonFont, ""},
    {"cmd_SMA_Guidelines",     K::Button,    "View Full SMA Guidelines", 3600, 5456, 3015, 375,  10, buttonFont, ""},
    {"cmd_Calculate",          K::Button,    "Calculate Total:",        6720, 5456, 1815, 375,   2, buttonFont, ""},
    {"txt_Total",              K::ReadOnly,  "",                        8520, 5456,  735, 375,  38, totalFont, ""},
};
// clang-format on

// The character a key press types, or 0 for keys that type none. Tab and Delete keep their work
// (focus moves, Delete edits the field); in an open list Return, Enter and Escape pick or close it.
char16_t typedCharacter(const QKeyEvent &key, bool listOpen) {
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (listOpen) {
            return 0;
        }
        break;
    default:
        break;
    }
    return key.text().isEmpty() ? 0 : key.text().front().unicode();
}

} // namespace

CalculatorWindow::CalculatorWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frm_Sweltra"));
    setWindowTitle(QStringLiteral("Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"));
    platform::setWindowFont(this, windowFont);
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Button));
    setPalette(background);
    setAutoFillBackground(true);

    platform::buildControls(this, rows, [this](const ControlRow &row, QWidget *control) {
        switch (row.kind) {
        case K::Label:
            static_cast<QLabel *>(control)->setWordWrap(true);
            break;
        case K::List:
            setUpList(static_cast<QComboBox *>(control));
            break;
        case K::Button: {
            auto *button = static_cast<QPushButton *>(control);
            button->setAutoDefault(false);
            button->setDefault(false);
            break;
        }
        default:
            break;
        }
    });
    m_total = findChild<QLineEdit *>(QStringLiteral("txt_Total"));
    m_total->setAccessibleName(tr("Total risk score"));
    m_guidelines = findChild<platform::RichTextBox *>(QStringLiteral("txtGuidelines"));
    m_guidelines->setTabChangesFocus(true);
    m_guidelines->setAccessibleName(tr("Recommendation"));
    bindFactors();
    wireCommands();
    installWbgtEstimate();
    printing::installAssessmentCommands(this, m_guidelines, [this] { return choices(); });

    platform::setClientSize(this, clientWidthTwips, clientHeightTwips, false);
    platform::centreOnScreen(this);
    findChild<QPushButton *>(QStringLiteral("cmd_Back_to_Directory"))->setFocus();
}

std::span<const ControlRow> CalculatorWindow::controlTable() {
    return rows;
}

void CalculatorWindow::setUpList(QComboBox *list) {
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    // Leaving an edited field would otherwise pick the entry whose text it now shows:
    // only the mouse and the navigation keys pick.
    disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    list->lineEdit()->setAcceptDrops(false);
    platform::acceptEntriesOnly(list);
    list->installEventFilter(this);
    list->lineEdit()->installEventFilter(this);
    list->view()->installEventFilter(this);
}

void CalculatorWindow::bindFactors() {
    for (const risk::RiskFactor &factor : risk::factors()) {
        const QString key = qs(factor.key);
        auto *caption = findChild<QLabel *>(QLatin1String("lbl_") + key);
        auto *list = findChild<QComboBox *>(QLatin1String("cbo_") + key);
        auto *points = findChild<QLineEdit *>(QLatin1String("txt_") + key);
        Q_ASSERT(caption && list && (points || !factor.scored));
        if (!caption || !list) {
            continue;
        }

        caption->setText(qs(factor.caption));
        caption->setBuddy(list);
        list->setAccessibleName(qs(factor.caption));
        // The focus rests in the list's edit field, which a screen reader announces on its own.
        list->lineEdit()->setAccessibleName(qs(factor.caption));
        for (const risk::FactorOption &option : factor.options) {
            list->addItem(qs(option.text));
        }
        // No entry is chosen until the user picks one, and every entry shows without scrolling.
        list->setCurrentIndex(-1);
        list->setMaxVisibleItems(std::max(list->count(), list->maxVisibleItems()));
        if (points) {
            points->setAccessibleName(tr("Risk points for %1").arg(qs(risk::factorName(factor))));
        }
        m_factors.push_back({&factor, caption, list, points});
    }
}

void CalculatorWindow::wireCommands() {
    for (const FactorControls &controls : m_factors) {
        if (controls.points) {
            // `activated` comes from the user only: a mouse pick in the open list, or the
            // navigation keys and the wheel on the closed one. Reset's clearing is no pick.
            connect(controls.list, &QComboBox::activated, this, [this, &controls] { pick(controls); });
        }
    }
    const std::pair<const char *, void (CalculatorWindow::*)()> commands[] = {
        {"cmd_Calculate", &CalculatorWindow::cmd_Calculate_Click},
        {"cmd_Reset", &CalculatorWindow::cmd_Reset_Click},
        {"cmd_asterisk", &CalculatorWindow::cmd_asterisk_Click},
        {"cmd_SMA_Guidelines", &CalculatorWindow::cmd_SMA_Guidelines_Click},
        {"cmd_Back_to_Directory", &CalculatorWindow::cmd_Back_to_Directory_Click},
    };
    for (const auto &[name, handler] : commands) {
        connect(findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    }
}

std::vector<CalculatorWindow::FactorControls> CalculatorWindow::inResetOrder() const {
    std::vector<FactorControls> ordered = m_factors;
    std::ranges::sort(ordered, {}, [](const FactorControls &c) { return c.factor->resetPlace; });
    return ordered;
}

const CalculatorWindow::FactorControls *CalculatorWindow::factorOwning(const QObject *watched) const {
    for (const FactorControls &controls : m_factors) {
        if (watched == controls.list || watched == controls.list->lineEdit() ||
            watched == controls.list->view()) {
            return &controls;
        }
    }
    return nullptr;
}

bool CalculatorWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod) {
        if (const FactorControls *controls = factorOwning(watched)) {
            return filterListKey(*controls, event);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Hands each typed character to the list's key filter; a character set to 0 is dropped.
bool CalculatorWindow::filterListKey(const FactorControls &controls, QEvent *event) {
    char16_t keyAscii = 0;
    if (event->type() == QEvent::KeyPress) {
        const bool listOpen = controls.list->view()->isVisible();
        keyAscii = typedCharacter(*static_cast<QKeyEvent *>(event), listOpen);
    } else {
        // Text composed by an input method arrives without key presses.
        const QString committed = static_cast<QInputMethodEvent *>(event)->commitString();
        keyAscii = committed.isEmpty() ? 0 : committed.front().unicode();
    }
    if (keyAscii == 0) {
        return false;
    }
    keyPress(keyAscii);
    return keyAscii == 0;
}

void CalculatorWindow::pick(const FactorControls &controls) {
    const int index = controls.list->currentIndex();
    if (index == -1) {
        return;
    }
    const QByteArray text = controls.list->itemText(index).toUtf8();
    const auto points = risk::pointsFor(*controls.factor,
                                        std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (points) {
        controls.points->setText(qs(*points));
    }
    // One temperature scale per event: the other list stays unavailable until Reset.
    if (controls.factor->role == risk::Role::TemperatureScale) {
        for (const FactorControls &other : m_factors) {
            if (other.factor->role == risk::Role::TemperatureScale && &other != &controls) {
                other.list->setEnabled(false);
            }
        }
    }
    // A hand pick in the WBGT list replaces an estimate; the estimate itself notes it afterwards.
    if (controls.factor == &risk::wbgtFactor()) {
        m_wbgtEstimatedFrom.reset();
    }
    updateWbgtEstimateCommand();
}

void CalculatorWindow::installWbgtEstimate() {
    m_estimateWbgt = new QAction(this);
    m_estimateWbgt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_estimateWbgt->setShortcutContext(Qt::WindowShortcut);
    connect(m_estimateWbgt, &QAction::triggered, this, &CalculatorWindow::estimateWbgt);
    addAction(m_estimateWbgt);
    updateWbgtEstimateCommand();
    // The edit field's own menu, then the estimate; the arrow beside the field offers the same.
    for (const FactorControls &controls : m_factors) {
        if (controls.factor->role != risk::Role::TemperatureScale) {
            continue;
        }
        QComboBox *list = controls.list;
        QLineEdit *field = list->lineEdit();
        const auto showMenu = [this, field](QWidget *clicked, const QPoint &at) {
            QMenu *menu = field->createStandardContextMenu();
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addSeparator();
            menu->addAction(m_estimateWbgt);
            menu->popup(clicked->mapToGlobal(at));
        };
        for (QWidget *clicked : {static_cast<QWidget *>(list), static_cast<QWidget *>(field)}) {
            clicked->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(clicked, &QWidget::customContextMenuRequested, this,
                    [showMenu, clicked](const QPoint &at) { showMenu(clicked, at); });
        }
    }
}

const CalculatorWindow::FactorControls &CalculatorWindow::wbgtControls() const {
    return *std::find_if(m_factors.begin(), m_factors.end(), [](const FactorControls &controls) {
        return controls.factor == &risk::wbgtFactor();
    });
}

void CalculatorWindow::updateWbgtEstimateCommand() {
    const bool available = wbgtControls().list->isEnabled();
    m_estimateWbgt->setEnabled(available);
    m_estimateWbgt->setText(available
                                ? tr("Estimate WBGT from temperature and humidity\u2026")
                                : tr("Estimate WBGT: not while the air temperature is chosen (Reset first)"));
}

void CalculatorWindow::estimateWbgt() {
    if (!m_estimateWbgt->isEnabled()) {
        return;
    }
    auto *dialog = new WbgtDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const FactorControls &wbgt = wbgtControls();
        const auto estimate = dialog->estimate();
        if (!estimate || !wbgt.list->isEnabled()) {
            return;
        }
        wbgt.list->setCurrentIndex(static_cast<int>(estimate->option));
        pick(wbgt);
        if (const auto weather = dialog->weather()) {
            m_wbgtEstimatedFrom = std::pair(weather->airTemperature, weather->humidity);
        }
    });
    dialog->open();
}

void CalculatorWindow::keyPress(char16_t &keyAscii) {
    if (keyAscii != 0) {
        keyAscii = 0;
    }
}

void CalculatorWindow::cmd_Calculate_Click() {
    const risk::RiskOutcome outcome = risk::calculateRisk(choices().points);
    if (outcome.kind == risk::RiskOutcome::Kind::Incomplete) {
        platform::showMessage(this, qs(outcome.message));
        return;
    }
    // A blank stands where a minus sign would; the total is written before the document loads.
    if (outcome.kind == risk::RiskOutcome::Kind::Scored) {
        m_total->setText((outcome.total < 0 ? QString() : QStringLiteral(" ")) +
                         qs(risk::totalText(outcome.total)));
    }
    if (const auto document = documents::documentFor(outcome)) {
        documents::loadDocument(*m_guidelines, *document);
    }
}

void CalculatorWindow::cmd_Reset_Click() {
    for (const FactorControls &controls : m_factors) {
        if (controls.factor->role == risk::Role::TemperatureScale) {
            controls.list->setEnabled(true);
        }
    }
    m_wbgtEstimatedFrom.reset();
    updateWbgtEstimateCommand();
    for (const FactorControls &controls : inResetOrder()) {
        if (controls.points) {
            controls.points->clear();
        }
    }
    m_total->clear();
    m_guidelines->setText(QString());
    for (const FactorControls &controls : inResetOrder()) {
        controls.list->setCurrentIndex(-1);
        controls.list->setEditText(QString());
    }
}

void CalculatorWindow::cmd_asterisk_Click() {
    showInViewer(documents::Document::Asterisk);
}

void CalculatorWindow::cmd_SMA_Guidelines_Click() {
    showInViewer(documents::Document::FullGuidelines);
}

void CalculatorWindow::cmd_Back_to_Directory_Click() {
    close();
}

// The viewer's hand-off: shown beside this window, told to come back here, and left showing the
// document from its start with the focus on its Back button.
void CalculatorWindow::showInViewer(documents::Document document) {
    using viewer::frmReadMeViewer;
    if (auto *viewer = platform::WindowRegistry::show<frmReadMeViewer>(platform::WindowKind::Viewer)) {
        viewer->showDocument(document, QStringLiteral("Sweltra"));
    }
}

risk::Choices CalculatorWindow::choices() const {
    risk::Choices choices;
    for (const FactorControls &controls : m_factors) {
        // The lists hold the catalogue's options in its order.
        if (const int index = controls.list->currentIndex(); index >= 0) {
            choices.assessment[*controls.factor] = static_cast<std::size_t>(index);
        }
        if (controls.points) {
            choices.points[*controls.factor] = controls.points->text().toStdString();
        }
    }
    if (m_wbgtEstimatedFrom) {
        choices.wbgtEstimatedFrom = risk::Weather{m_wbgtEstimatedFrom->first, m_wbgtEstimatedFrom->second};
    }
    return choices;
}

} // namespace sweltra::calculator
