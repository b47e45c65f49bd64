#include "calculator/calculatorwindow.h"

#include "calculator/calculatorlayout.h"
#include "documents/documentstore.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/windowregistry.h"
#include "resources/emblem.h"
#include "risk/catalogue.h"
#include "risk/verdict.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace sweltra::calculator {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont fontOf(DesignFont font) {
    return platform::designFont(platform::Face::MsSansSerif, font.points, font.bold);
}

// The factor's name as a screen reader should say it: the caption without number and asterisk.
QString factorName(std::string_view caption) {
    QString name = qs(caption);
    const qsizetype dot = name.indexOf(QLatin1String(". "));
    if (dot > 0 && dot <= 3 && name.front().isDigit()) {
        name.remove(0, dot + 2);
    }
    if (name.endsWith(QLatin1Char('*'))) {
        name.chop(1);
    }
    return name;
}

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

// Lists cleared by Reset, in the order it clears them.
constexpr std::string_view resetOrder[] = {"Dry_Bulb", "WBGT",    "Duration", "Intensity", "Acclimatization",
                                           "Ability",  "Age",     "Drinks",   "Time",      "Surface",
                                           "Venue",    "Medical", "Other"};

} // namespace

CalculatorWindow::CalculatorWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frm_Sweltra"));
    setWindowTitle(QStringLiteral("Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"));
    setWindowIcon(resources::windowIcon());
    setFont(fontOf(windowFont));
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Button));
    setPalette(background);
    setAutoFillBackground(true);

    buildControls();
    bindFactors();
    wireControls();
    orderTabs();
    installAssessmentCommands(this, m_guidelines, [this] { return assessmentChoices(); });

    platform::setClientSize(this, clientWidthTwips, clientHeightTwips, false);
    platform::centreOnScreen(this);
    findChild<QPushButton *>(QStringLiteral("cmd_Back_to_Directory"))->setFocus();
}

void CalculatorWindow::buildControls() {
    QWidget *outline = nullptr;
    for (const ControlRow &row : calculatorLayout()) {
        QWidget *widget = nullptr;
        switch (row.kind) {
        case ControlKind::Label: {
            auto *label = new QLabel(qs(row.text), this);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::List: {
            auto *list = new QComboBox(this);
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setCompleter(nullptr);
            // Leaving an edited field would otherwise pick the entry whose text it now shows:
            // only the mouse and the navigation keys pick.
            disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
            list->lineEdit()->setAcceptDrops(false);
            list->installEventFilter(this);
            list->lineEdit()->installEventFilter(this);
            list->view()->installEventFilter(this);
            widget = list;
            break;
        }
        case ControlKind::PointsBox:
        case ControlKind::TotalBox: {
            auto *box = new QLineEdit(this);
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignCenter);
            box->setFrame(true);
            box->setFocusPolicy(Qt::StrongFocus);
            if (row.kind == ControlKind::TotalBox) {
                box->setAccessibleName(tr("Total risk score"));
                m_total = box;
            }
            widget = box;
            break;
        }
        case ControlKind::Button: {
            auto *button = new QPushButton(qs(row.text), this);
            button->setAutoDefault(false);
            button->setDefault(false);
            button->installEventFilter(this);
            widget = button;
            break;
        }
        case ControlKind::Rectangle: {
            auto *frame = new QFrame(this);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(1);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            outline = frame;
            widget = frame;
            break;
        }
        case ControlKind::RichText:
            m_guidelines = new platform::RichTextBox(this);
            m_guidelines->setTabChangesFocus(true);
            m_guidelines->setAccessibleName(tr("Recommendation"));
            widget = m_guidelines;
            break;
        }
        widget->setObjectName(qs(row.name));
        widget->setGeometry(platform::toPixels(row.box));
        if (row.font.points > 0) {
            widget->setFont(fontOf(row.font));
        }
        if (!row.toolTip.empty()) {
            widget->setToolTip(qs(row.toolTip));
        }
        if (row.darkRed) {
            QPalette dark = widget->palette();
            dark.setColor(QPalette::WindowText, QColor(128, 0, 0));
            widget->setPalette(dark);
        }
    }
    // The outline is drawn behind the controls it frames.
    if (outline) {
        outline->lower();
    }
}

void CalculatorWindow::bindFactors() {
    struct Handlers {
        std::string_view key;
        void (CalculatorWindow::*click)();
        void (CalculatorWindow::*keyPress)(char16_t &);
    };
    static constexpr Handlers handlers[] = {
        {"WBGT", &CalculatorWindow::cbo_WBGT_Click, &CalculatorWindow::cbo_WBGT_KeyPress},
        {"Dry_Bulb", &CalculatorWindow::cbo_Dry_Bulb_Click, &CalculatorWindow::cbo_Dry_Bulb_KeyPress},
        {"Duration", &CalculatorWindow::cbo_Duration_Click, &CalculatorWindow::cbo_Duration_KeyPress},
        {"Intensity", &CalculatorWindow::cbo_Intensity_Click, &CalculatorWindow::cbo_Intensity_KeyPress},
        {"Acclimatization", &CalculatorWindow::cbo_Acclimatization_Click,
         &CalculatorWindow::cbo_Acclimatization_KeyPress},
        {"Ability", &CalculatorWindow::cbo_Ability_Click, &CalculatorWindow::cbo_Ability_KeyPress},
        {"Age", &CalculatorWindow::cbo_Age_Click, &CalculatorWindow::cbo_Age_KeyPress},
        {"Drinks", &CalculatorWindow::cbo_Drinks_Click, &CalculatorWindow::cbo_Drinks_KeyPress},
        {"Time", &CalculatorWindow::cbo_Time_Click, &CalculatorWindow::cbo_Time_KeyPress},
        {"Surface", &CalculatorWindow::cbo_Surface_Click, &CalculatorWindow::cbo_Surface_KeyPress},
        {"Venue", &CalculatorWindow::cbo_Venue_Click, &CalculatorWindow::cbo_Venue_KeyPress},
        {"Medical", &CalculatorWindow::cbo_Medical_Click, &CalculatorWindow::cbo_Medical_KeyPress},
        {"Other", nullptr, &CalculatorWindow::cbo_Other_KeyPress},
    };

    for (const risk::RiskFactor &factor : risk::factors()) {
        const QString key = qs(factor.key);
        const auto handler = std::find_if(std::begin(handlers), std::end(handlers),
                                          [&](const Handlers &h) { return h.key == factor.key; });
        auto *caption = findChild<QLabel *>(QLatin1String("lbl_") + key);
        auto *list = findChild<QComboBox *>(QLatin1String("cbo_") + key);
        auto *points = findChild<QLineEdit *>(QLatin1String("txt_") + key);
        Q_ASSERT(handler != std::end(handlers) && caption && list && (points || !factor.scored));
        if (handler == std::end(handlers) || !caption || !list) {
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
            points->setAccessibleName(tr("Risk points for %1").arg(factorName(factor.caption)));
        }
        m_factors.push_back({&factor, caption, list, points, handler->click, handler->keyPress});
    }
}

void CalculatorWindow::wireControls() {
    for (const FactorControls &controls : m_factors) {
        if (controls.click) {
            // `activated` comes from the user only: a mouse pick in the open list, or the
            // navigation keys and the wheel on the closed one. Reset's clearing is no pick.
            connect(controls.list, &QComboBox::activated, this,
                    [this, click = controls.click] { (this->*click)(); });
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
        auto *button = findChild<QPushButton *>(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, run = handler] { (this->*run)(); });
    }
}

void CalculatorWindow::orderTabs() {
    std::vector<const ControlRow *> focusable;
    for (const ControlRow &row : calculatorLayout()) {
        if (row.tabIndex >= 0) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow *a, const ControlRow *b) { return a->tabIndex < b->tabIndex; });
    QWidget *previous = nullptr;
    for (const ControlRow *row : focusable) {
        QWidget *current = findChild<QWidget *>(qs(row->name));
        if (previous) {
            QWidget::setTabOrder(previous, current);
        }
        previous = current;
    }
}

const CalculatorWindow::FactorControls &CalculatorWindow::factorControls(std::string_view key) const {
    const auto found = std::find_if(m_factors.begin(), m_factors.end(),
                                    [key](const FactorControls &c) { return c.factor->key == key; });
    Q_ASSERT(found != m_factors.end());
    return *found;
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

QLineEdit *CalculatorWindow::pointsBox(std::string_view key) const {
    return factorControls(key).points;
}

bool CalculatorWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        // Without a default button Enter still works the focused button, as the space bar does.
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                button->click();
                return true;
            }
            return false;
        }
    }
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
    (this->*controls.keyPress)(keyAscii);
    return keyAscii == 0;
}

void CalculatorWindow::pickFactor(std::string_view key) {
    const FactorControls &controls = factorControls(key);
    const int index = controls.list->currentIndex();
    if (index == -1) {
        return;
    }
    const QByteArray text = controls.list->itemText(index).toUtf8();
    const auto points = risk::pointsFor(*controls.factor,
                                        std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (points && controls.points) {
        controls.points->setText(qs(*points));
    }
    // One temperature scale per event: the other list stays unavailable until Reset.
    if (key == "WBGT") {
        factorControls("Dry_Bulb").list->setEnabled(false);
    } else if (key == "Dry_Bulb") {
        factorControls("WBGT").list->setEnabled(false);
    }
}

void CalculatorWindow::discardCharacter(char16_t &keyAscii) {
    if (keyAscii != 0) {
        keyAscii = 0;
    }
}

void CalculatorWindow::cbo_WBGT_Click() {
    pickFactor("WBGT");
}
void CalculatorWindow::cbo_Dry_Bulb_Click() {
    pickFactor("Dry_Bulb");
}
void CalculatorWindow::cbo_Duration_Click() {
    pickFactor("Duration");
}
void CalculatorWindow::cbo_Intensity_Click() {
    pickFactor("Intensity");
}
void CalculatorWindow::cbo_Acclimatization_Click() {
    pickFactor("Acclimatization");
}
void CalculatorWindow::cbo_Ability_Click() {
    pickFactor("Ability");
}
void CalculatorWindow::cbo_Age_Click() {
    pickFactor("Age");
}
void CalculatorWindow::cbo_Drinks_Click() {
    pickFactor("Drinks");
}
void CalculatorWindow::cbo_Time_Click() {
    pickFactor("Time");
}
void CalculatorWindow::cbo_Surface_Click() {
    pickFactor("Surface");
}
void CalculatorWindow::cbo_Venue_Click() {
    pickFactor("Venue");
}
void CalculatorWindow::cbo_Medical_Click() {
    pickFactor("Medical");
}

void CalculatorWindow::cbo_WBGT_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Dry_Bulb_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Duration_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Intensity_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Acclimatization_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Ability_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Age_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Drinks_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Time_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Surface_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Venue_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Medical_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}
void CalculatorWindow::cbo_Other_KeyPress(char16_t &keyAscii) {
    discardCharacter(keyAscii);
}

void CalculatorWindow::cmd_Calculate_Click() {
    risk::RiskPoints points;
    for (std::size_t i = 0; i < risk::pointsBoxCount; ++i) {
        const auto box = static_cast<risk::PointsBox>(i);
        points[box] = pointsBox(risk::boxKey(box))->text().toStdString();
    }
    const risk::RiskOutcome outcome = risk::calculateRisk(points);
    switch (outcome.kind) {
    case risk::RiskOutcome::Kind::Incomplete:
        platform::showMessage(this, qs(outcome.message));
        return;
    case risk::RiskOutcome::Kind::MedicalReferral:
        documents::loadDocument(*m_guidelines, outcome.document.value_or(risk::medicalConditionsDocument));
        return;
    case risk::RiskOutcome::Kind::Scored: {
        // A blank stands where a minus sign would; the total is written before the document loads.
        const double total = outcome.total == 0 ? 0.0 : outcome.total;
        m_total->setText((total < 0 ? QString() : QStringLiteral(" ")) + QString::number(total, 'g', 15));
        if (outcome.document) {
            documents::loadDocument(*m_guidelines, *outcome.document);
        }
        return;
    }
    }
}

void CalculatorWindow::cmd_Reset_Click() {
    factorControls("WBGT").list->setEnabled(true);
    factorControls("Dry_Bulb").list->setEnabled(true);
    for (std::size_t i = 0; i < risk::pointsBoxCount; ++i) {
        pointsBox(risk::boxKey(static_cast<risk::PointsBox>(i)))->clear();
    }
    m_total->clear();
    m_guidelines->setText(QString());
    for (std::string_view key : resetOrder) {
        QComboBox *list = factorControls(key).list;
        list->setCurrentIndex(-1);
        list->setEditText(QString());
    }
}

void CalculatorWindow::cmd_asterisk_Click() {
    showInViewer(documents::asterisk);
}

void CalculatorWindow::cmd_SMA_Guidelines_Click() {
    showInViewer(documents::fullGuidelines);
}

void CalculatorWindow::cmd_Back_to_Directory_Click() {
    close();
}

// The viewer's hand-off: shown beside this window, told to come back here, the document loaded
// and shown from its start with nothing selected, and the focus left on its Back button.
void CalculatorWindow::showInViewer(std::string_view document) {
    QWidget *viewer = platform::WindowRegistry::show(platform::WindowKind::Viewer);
    auto *locator = platform::control<QLineEdit>(viewer, "txtLocator");
    auto *box = platform::control<platform::RichTextBox>(viewer, "txtAirportHazards");
    auto *back = platform::control<QPushButton>(viewer, "cmdBackfromReadme");
    if (!locator || !box || !back) {
        return;
    }
    locator->setText(QStringLiteral("Sweltra"));
    documents::loadDocument(*box, document);
    back->setFocus();
    box->SetFocus();
    box->setSelStart(0);
    box->setSelLength(0);
    box->SetFocus();
    back->setFocus();
}

std::vector<FactorChoice> CalculatorWindow::assessmentChoices() const {
    std::vector<FactorChoice> choices;
    for (const FactorControls &controls : m_factors) {
        const int index = controls.list->currentIndex();
        choices.push_back({controls.factor, index < 0 ? QString() : controls.list->itemText(index),
                           controls.points ? controls.points->text() : QString()});
    }
    return choices;
}

} // namespace sweltra::calculator
