#pragma once

// Finds the calculator's lists and points and picks entries as a user does.

#include "calculator/calculatorwindow.h"
#include "platform/windowregistry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

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

// Moves the closed list's selection to the entry with the arrow keys, one key at a time.
inline bool pickWithKeys(QComboBox *combo, const QString &entry) {
    const int index = combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    int before = -2;
    while (index >= 0 && combo->isEnabled() && combo->currentIndex() != index &&
           combo->currentIndex() != before) {
        before = combo->currentIndex();
        QTest::keyClick(combo, before < index ? Qt::Key_Down : Qt::Key_Up);
    }
    return index >= 0 && combo->currentIndex() == index;
}

} // namespace calculatortesting
