#pragma once

// Finds the calculator's lists and points, as named or as drawn, and picks entries as a user does.

#include "calculator/calculatorwindow.h"
#include "platform/windowregistry.h"
#include "risk/assessment.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace calculatortesting {

inline QComboBox *list(QWidget *window, const QString &key) {
    return window->findChild<QComboBox *>(QStringLiteral("cbo_") + key);
}

// Every points box's text (the total aside), in the window's order.
inline QStringList allPoints(QWidget *window) {
    QStringList texts;
    for (QLineEdit *box : window->findChildren<QLineEdit *>(QRegularExpression("^txt_(?!Total)"))) {
        texts << box->text();
    }
    return texts;
}

// The widget of type T whose text reads `text`.
template <typename T> T *captioned(QWidget *window, const QString &text) {
    const QList<T *> all = window->findChildren<T *>();
    const auto found = std::ranges::find(all, text, [](T *widget) { return widget->text(); });
    return found == all.end() ? nullptr : *found;
}

// The shown control of type T nearest to `from` on its right on its row or, with `below`, also
// under it, from where `from` ends to where the control starts; a frame around `from` is neither.
template <typename T> T *nearestBeside(const QWidget *from, bool below = false) {
    T *nearest = nullptr;
    int shortest = QWIDGETSIZE_MAX; // farther than any two controls stand
    for (T *widget : from ? from->window()->findChildren<T *>(Qt::FindDirectChildrenOnly) : QList<T *>()) {
        const QRect a = from->geometry(), b = widget->geometry();
        const bool right = b.y() <= a.bottom() && b.bottom() >= a.y() && b.center().x() > a.right();
        const bool under = below && b.x() <= a.right() && b.right() >= a.x() && b.center().y() > a.bottom();
        const QPoint gap = right ? QPoint(b.left() - a.right(), b.center().y() - a.center().y())
                                 : b.topLeft() - a.bottomLeft();
        if ((right || under) && gap.manhattanLength() < shortest && widget->isVisible() && !b.contains(a)) {
            nearest = widget;
            shortest = gap.manhattanLength();
        }
    }
    return nearest;
}

// Opens the list and clicks the entry; false when the entry is missing or the list stayed open.
inline bool pickWithMouse(QComboBox *combo, const QString &entry) {
    const int index = combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || !combo->isEnabled()) {
        return false;
    }
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    const bool shown = view->isVisible();
    const QPoint centre = view->visualRect(view->model()->index(index, 0)).center();
    QTest::mouseMove(view->viewport(), centre);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    return shown && !view->isVisible();
}

// Picks every chosen entry with the mouse, the factor `skip` aside; false when one cannot be picked.
inline bool pickAll(QWidget *window, const sweltra::risk::Assessment &chosen, const QString &skip = {}) {
    for (const sweltra::risk::RiskFactor &factor : sweltra::risk::factors()) {
        QComboBox *combo = list(window, QString::fromUtf8(factor.key.data(), qsizetype(factor.key.size())));
        if (chosen[factor] && combo->objectName() != "cbo_" + skip &&
            !pickWithMouse(combo, combo->itemText(int(*chosen[factor])))) {
            return false;
        }
    }
    return true;
}

} // namespace calculatortesting
