#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>

namespace sweltra::platform {
namespace {
MessageObserver &observer() {
    static MessageObserver instance;
    return instance;
}
} // namespace

void setMessageObserver(MessageObserver o) {
    observer() = std::move(o);
}

void showMessage(QWidget *parent, const QString &message) {
    if (observer()) {
        observer()(message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), message, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("message"));
    box.setWindowModality(Qt::ApplicationModal);
    // Some styles put a picture on dialog buttons; the box carries none at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

} // namespace sweltra::platform
