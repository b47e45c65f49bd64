#pragma once

// Helpers shared by the calculator window's tests: find controls by object name and pick entries
// the way a user does, with the mouse in the open list or with the arrow keys.

#include "calculator/calculatorwindow.h"
#include "platform/windowregistry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace calculatortesting {

inline QComboBox *list(QWidget *window, const QString &key) {
    return window->findChild<QComboBox *>(QStringLiteral("cbo_") + key);
}

inline QLineEdit *points(QWidget *window, const QString &key) {
    return window->findChild<QLineEdit *>(QStringLiteral("txt_") + key);
}

// The points boxes in the order the window's commands read them.
inline const QStringList pointsKeys = {QStringLiteral("Dry_Bulb"),
                                       QStringLiteral("WBGT"),
                                       QStringLiteral("Duration"),
                                       QStringLiteral("Intensity"),
                                       QStringLiteral("Acclimatization"),
                                       QStringLiteral("Ability"),
                                       QStringLiteral("Age"),
                                       QStringLiteral("Drinks"),
                                       QStringLiteral("Time"),
                                       QStringLiteral("Surface"),
                                       QStringLiteral("Venue"),
                                       QStringLiteral("Medical")};

// Every points box's text, keyed by factor.
inline QStringList allPoints(QWidget *window) {
    QStringList texts;
    for (const QString &key : pointsKeys) {
        texts << points(window, key)->text();
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
    if (!view->isVisible()) {
        return false;
    }
    const QPoint centre = view->visualRect(view->model()->index(index, 0)).center();
    QTest::mouseMove(view->viewport(), centre);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    return !view->isVisible();
}

// Moves the closed list's selection to the entry with the arrow keys, one key at a time.
inline bool pickWithKeys(QComboBox *combo, const QString &entry) {
    const int index = combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || !combo->isEnabled()) {
        return false;
    }
    while (combo->currentIndex() != index) {
        const int before = combo->currentIndex();
        QTest::keyClick(combo, before < index ? Qt::Key_Down : Qt::Key_Up);
        if (combo->currentIndex() == before) {
            return false;
        }
    }
    return true;
}

// A calculator shown through the registry, as the program shows it.
inline QWidget *showCalculator() {
    using namespace sweltra::platform;
    WindowRegistry::setFactory(WindowKind::Calculator,
                               [] { return new sweltra::calculator::CalculatorWindow; });
    QWidget *window = WindowRegistry::show(WindowKind::Calculator);
    if (window && !QTest::qWaitForWindowExposed(window)) {
        return nullptr;
    }
    return window;
}

} // namespace calculatortesting
