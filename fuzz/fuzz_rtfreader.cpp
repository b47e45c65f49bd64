// libFuzzer target: any bytes through the RTF reader and a layout of what it made.
#include "rtf/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv); // fonts and images need it; lives for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QTextDocument doc;
    const auto result = sweltra::rtf::readRtf(
        QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), doc);
    if (!result.ok() && !doc.isEmpty())
        std::abort(); // a refused file must leave the document empty
    doc.setTextWidth(600);
    (void)doc.documentLayout()->documentSize();
    (void)doc.toPlainText();
    return 0;
}
