// rtfdump: shows what the RTF reader makes of a file, or how fast it reads it.
#include "rtf/rtfreader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

enum Exit { Read = 0, NotReadable = 1, BadUsage = 2 };

int usage() {
    std::fputs("usage: rtfdump FILE\n"
               "       rtfdump --html FILE\n"
               "       rtfdump --bench N FILE...\n",
               stderr);
    return BadUsage;
}

bool readFile(const QString &path, QByteArray &data) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfdump: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    data = file.readAll();
    return true;
}

void print(const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    if (!utf8.endsWith('\n'))
        std::fputc('\n', stdout);
}

int dump(const QString &path, bool html) {
    QByteArray data;
    if (!readFile(path, data))
        return NotReadable;
    QTextDocument document;
    const sweltra::rtf::ReadResult result = sweltra::rtf::readRtf(data, document);
    if (!result.ok()) {
        std::fprintf(stderr, "rtfdump: %s: not a readable RTF document (%s)\n", qPrintable(path),
                     qPrintable(result.detail));
        return NotReadable;
    }
    print(html ? document.toHtml() : document.toPlainText());
    return Read;
}

int bench(int rounds, const QStringList &paths) {
    int status = Read;
    for (const QString &path : paths) {
        QByteArray data;
        if (!readFile(path, data)) {
            status = NotReadable;
            continue;
        }
        std::vector<double> ms;
        bool ok = true;
        for (int i = 0; i < rounds && ok; ++i) {
            QTextDocument document;
            QElapsedTimer timer;
            timer.start();
            ok = sweltra::rtf::readRtf(data, document).ok();
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        if (!ok) {
            std::fprintf(stderr, "rtfdump: %s: not a readable RTF document\n", qPrintable(path));
            status = NotReadable;
            continue;
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double mib = static_cast<double>(data.size()) / (1024.0 * 1024.0);
        std::printf("%10.2f ms  %8.1f MiB/s  %10lld bytes  %s\n", median,
                    median > 0 ? mib / (median / 1000.0) : 0.0, static_cast<long long>(data.size()),
                    qPrintable(path));
    }
    return status;
}

} // namespace

int main(int argc, char **argv) {
    // Fonts and images need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith(u"--"))
        return dump(args[0], false);
    if (args.size() == 2 && args[0] == u"--html")
        return dump(args[1], true);
    if (args.size() >= 3 && args[0] == u"--bench") {
        bool ok = false;
        const int rounds = args[1].toInt(&ok);
        if (!ok || rounds < 1)
            return usage();
        return bench(rounds, args.mid(2));
    }
    return usage();
}
