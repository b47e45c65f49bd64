#include "platform/entriesonly.h"

#include <QComboBox>
#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QValidator>

namespace sweltra::platform {
namespace {

// True when `now` is `before` with at most one run of characters taken out.
bool onlyRemoved(const QString &before, const QString &now) {
    if (now.size() > before.size()) {
        return false;
    }
    qsizetype head = 0;
    while (head < now.size() && now[head] == before[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < now.size() - head && now[now.size() - 1 - tail] == before[before.size() - 1 - tail]) {
        ++tail;
    }
    return head + tail == now.size();
}

// The edit field checks every change of its text against this. A change the program makes by
// setting the text is kept whatever the verdict; a change by the user that is judged invalid is
// undone before anyone hears of it.
class EntriesOnly : public QValidator {
public:
    explicit EntriesOnly(QComboBox *list) : QValidator(list), m_list(list) {
        m_shown = list->lineEdit()->text();
        connect(list->lineEdit(), &QLineEdit::textChanged, this,
                [this](const QString &text) { m_shown = text; });
        // A composition in progress would show its text in the field without changing it.
        list->installEventFilter(this);
        list->lineEdit()->installEventFilter(this);
    }

    State validate(QString &input, int &) const override {
        // A pick sets the current entry first and then its text; Delete only takes text away.
        if (input == m_list->itemText(m_list->currentIndex()) || onlyRemoved(m_shown, input)) {
            return Acceptable;
        }
        return Invalid;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::InputMethod) {
            const auto *input = static_cast<QInputMethodEvent *>(event);
            return input->commitString().isEmpty() && !input->preeditString().isEmpty();
        }
        return false;
    }

private:
    QComboBox *m_list;
    QString m_shown;
};

} // namespace

void acceptEntriesOnly(QComboBox *list) {
    if (!list->lineEdit()) {
        return;
    }
    list->lineEdit()->setValidator(new EntriesOnly(list));
}

} // namespace sweltra::platform
