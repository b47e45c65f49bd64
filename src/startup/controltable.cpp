#include "startup/controltable.h"

#include "platform/placement.h"
#include "platform/richtextbox.h"
#include "resources/emblem.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace sweltra::startup {

QFont fontFor(const FontChoice &choice) {
    return platform::designFont(choice.face, choice.points, choice.bold);
}

QWidget *addControl(QWidget *parent, const ControlRow &row) {
    const QString content = QString::fromUtf8(row.content);
    QWidget *control = nullptr;
    switch (row.kind) {
    case ControlKind::Button:
        control = new QPushButton(content, parent);
        break;
    case ControlKind::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(content);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        control = label;
        break;
    }
    case ControlKind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setPixmap(QPixmap::fromImage(resources::bitmap(row.content)));
        picture->setAlignment(Qt::AlignCenter);
        control = picture;
        break;
    }
    case ControlKind::RichText:
        control = new platform::RichTextBox(parent);
        break;
    }
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(platform::toPixels(row.box));
    control->setFont(fontFor(row.font));
    return control;
}

void makeFixedDialog(QWidget *window, const char *name, int widthTwips, int heightTwips) {
    window->setObjectName(QString::fromLatin1(name));
    // A fixed dialog frame: a caption and a close box, no minimise or maximise box, no resizing.
    // A top-level window rather than a dialog, so that it keeps its place in the task bar: it
    // may be the program's only window.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    platform::setClientSize(window, widthTwips, heightTwips, true);
    platform::centreOnScreen(window);
}

} // namespace sweltra::startup
