#include "printing/printout.h"

#include "platform/printing.h"
#include "sweltraconfig.h"

#include <QCoreApplication>

namespace sweltra::printing {

QString programVersion() {
    return QStringLiteral(SWELTRA_VERSION);
}

QString pageFooter() {
    return QCoreApplication::translate("Printing", "Sweltra %1: general information, not medical advice")
        .arg(programVersion());
}

platform::Printout printout(const QString &title) {
    return {title, pageFooter(), QStringLiteral("Sweltra ") + programVersion()};
}

} // namespace sweltra::printing
