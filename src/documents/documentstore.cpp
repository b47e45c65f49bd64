#include "documents/documentstore.h"

#include "platform/programfolder.h"
#include "platform/richtextbox.h"

#include <QDir>

namespace sweltra::documents {

QString documentPath(std::string_view name) {
    QString file = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (file.startsWith(QLatin1Char('\\'))) {
        file.remove(0, 1);
    }
    QString folder = platform::programFolder();
    // A root folder already ends in its separator.
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator())) {
        folder += QLatin1Char('/');
    }
    return QDir::toNativeSeparators(folder + file);
}

void loadDocument(platform::RichTextBox &box, std::string_view name) {
    box.LoadFile(documentPath(name));
}

} // namespace sweltra::documents
