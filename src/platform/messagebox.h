#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace sweltra::platform {

// The program's one message box: the message, an OK button, no icon, the application's name as
// its caption, modal for the whole program. Returns when the user has closed it.
void showMessage(QWidget *parent, const QString &message);

// While set, messages go to the observer instead of the screen (tests).
using MessageObserver = std::function<void(const QString &)>;
void setMessageObserver(MessageObserver observer);

} // namespace sweltra::platform
