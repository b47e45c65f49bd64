#include "platform/controltable.h"

#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "platform/utf8.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace sweltra::platform {
namespace {

// Enter works the focused button as the space bar does, whether or not it is a default button.
// A held key presses it once: a press that hands over to another window must not go on to
// press that window's focused button, and back again.
class EnterPresses : public QObject {
public:
    explicit EnterPresses(QPushButton *button) : QObject(button) { button->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        if (!key->isAutoRepeat()) {
            static_cast<QPushButton *>(watched)->click();
        }
        return true;
    }
};

QWidget *makeControl(QWidget *parent, const ControlRow &row, const PictureLookup &pictures) {
    switch (row.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(qs(row.caption));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(qs(row.caption), parent);
        new EnterPresses(button);
        return button;
    }
    case ControlKind::TextField:
        return new QLineEdit(qs(row.caption), parent);
    case ControlKind::ReadOnly: {
        auto *field = new QLineEdit(parent);
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignCenter);
        field->setFocusPolicy(Qt::StrongFocus);
        return field;
    }
    case ControlKind::List:
        return new QComboBox(parent);
    case ControlKind::Picture: {
        auto *picture = new QLabel(parent);
        if (pictures) {
            picture->setPixmap(QPixmap::fromImage(pictures(std::string(row.caption).c_str())));
        }
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case ControlKind::RichText:
        return new RichTextBox(parent);
    case ControlKind::Outline: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Drawn behind the controls it frames, those made later included.
        frame->lower();
        return frame;
    }
    }
    return nullptr;
}

void applyLook(QWidget *control, Look look) {
    switch (look) {
    case Look::Plain:
        break;
    case Look::Black:
    case Look::DarkRed: {
        QPalette palette = control->palette();
        palette.setColor(QPalette::WindowText, look == Look::Black ? QColor(Qt::black) : QColor(128, 0, 0));
        control->setPalette(palette);
        break;
    }
    case Look::Hidden:
        control->hide();
        break;
    }
}

} // namespace

void buildControls(QWidget *parent, std::span<const ControlRow> rows, const PrepareControl &prepare,
                   const PictureLookup &pictures) {
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const ControlRow &row : rows) {
        QWidget *control = makeControl(parent, row, pictures);
        control->setObjectName(qs(row.name));
        control->setGeometry(toPixels(row.box));
        if (row.font.points > 0) {
            control->setFont(toFont(row.font));
        }
        if (!row.toolTip.empty()) {
            control->setToolTip(qs(row.toolTip));
        }
        applyLook(control, row.look);
        if (prepare) {
            prepare(row, control);
        }
        if (row.tabIndex >= 0) {
            tabOrder.emplace_back(row.tabIndex, control);
        }
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

void makeFixedDialog(QWidget *window, const char *name, int widthTwips, int heightTwips) {
    window->setObjectName(QString::fromLatin1(name));
    // A fixed dialog frame: a caption and a close box, no minimise or maximise box, no resizing.
    // A top-level window rather than a dialog, so that it keeps its place in the task bar: it
    // may be the program's only window.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setClientSize(window, widthTwips, heightTwips, true);
    centreOnScreen(window);
}

} // namespace sweltra::platform
