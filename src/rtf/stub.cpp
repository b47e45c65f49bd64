// Stand-in until the real reader lands: plain text of the groups, no formatting.
#include "rtf/rtfreader.h"

#include <QTextDocument>

namespace sweltra::rtf {
ReadResult readRtf(QByteArrayView data, QTextDocument &out) {
    out.clear();
    if (!data.startsWith("{\\rtf")) {
        return {ReadStatus::NotRtf, QStringLiteral("not RTF")};
    }
    QString text;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\\') {
            while (i + 1 < data.size() && QChar::isLetter(data[i + 1])) {
                ++i;
            }
        } else if (c != '{' && c != '}' && c != '\r' && c != '\n') {
            text += QLatin1Char(c);
        }
    }
    out.setPlainText(text);
    return {};
}
} // namespace sweltra::rtf
