// rtfbench: the RTF reader's load time beside `unrtf --html` and beside QTextDocument::setHtml of
// unrtf's HTML, for the largest files of a corpus and for generated documents of 1 and 10 MB.
// A benchmark, not a test: it prints figures and judges nothing. Times are CPU times (this thread's,
// or unrtf's as a child process), the best of several runs, so that other work on the machine
// disturbs them as little as possible.
#include "rtf/rtfreader.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 7;

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double childrenCpuMs() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    auto ms = [](const timeval &v) {
        return static_cast<double>(v.tv_sec) * 1e3 + static_cast<double>(v.tv_usec) / 1e3;
    };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

double bestMs(int rounds, const std::function<void()> &work, double (*clock)() = threadCpuMs) {
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        const double start = clock();
        work();
        ms.push_back(clock() - start);
    }
    return *std::min_element(ms.begin(), ms.end());
}

double ourLoad(const QByteArray &data) {
    return bestMs(kRounds, [&data] {
        QTextDocument doc;
        sweltra::rtf::readRtf(data, doc);
    });
}

// unrtf's HTML for the file, and the best time it took; empty when unrtf is missing or fails.
QByteArray unrtf(const QString &path, double &ms) {
    QByteArray html;
    const QTemporaryDir scratch; // unrtf writes the pictures it finds into its working folder
    ms = bestMs(
        3,
        [&] {
            QProcess p;
            p.setWorkingDirectory(scratch.path());
            p.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), QFileInfo(path).absoluteFilePath()});
            p.waitForFinished(600000);
            html = p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
        },
        childrenCpuMs);
    return html;
}

double setHtml(const QByteArray &html) {
    const QString text = QString::fromUtf8(html);
    return bestMs(3, [&text] {
        QTextDocument doc;
        doc.setHtml(text);
    });
}

// A document like the ones the program shows: headings, formatted runs, lists, tables, accents.
QByteArray generate(qsizetype bytes) {
    QByteArray doc =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss "
        "Arial;}{\\f2\\fcharset2 Symbol;}}{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\stylesheet{\\s0 Normal;}{\\s1\\b\\fs32 heading 1;}}\n";
    int n = 0;
    while (doc.size() < bytes) {
        ++n;
        const QByteArray i = QByteArray::number(n);
        doc += "\\pard\\plain\\s1\\sb240\\sa120\\b\\f1\\fs32 Section " + i + "\\par\n";
        doc +=
            "\\pard\\plain\\qj\\f0\\fs24 Hot weather raises the risk for athletes; {\\b drink} before, "
            "{\\i during} and after the event. Caf\\'e9 \\u8364? prices and {\\cf1 warnings} follow.\\par\n";
        doc += "\\pard\\li720\\fi-360{\\listtext\\f2\\'b7\\tab}Check the {\\ul temperature} at " + i +
               " places.\\par\n";
        doc += "\\trowd\\trgaph108\\clbrdrt\\brdrs\\cellx3000\\clbrdrt\\brdrs\\cellx6000\\pard\\intbl "
               "Risk\\cell "
               "Points " +
               i + "\\cell\\row\\pard\n";
        doc += "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/" + i +
               "\"}{\\fldrslt {\\cf2\\ul a link}}}\\par\n";
    }
    doc += "}";
    return doc;
}

void printRow(const char *name, qsizetype bytes, double ours, double unrtfMs, double htmlMs) {
    std::printf("%-44s %9.1f KiB %10.1f %10.1f %8.1fx %10.1f %8.1fx\n", name,
                static_cast<double>(bytes) / 1024.0, ours, unrtfMs, ours > 0 ? unrtfMs / ours : 0.0, htmlMs,
                ours > 0 ? htmlMs / ours : 0.0);
}

void compare(const QString &path, const char *label) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = f.readAll();
    const double ours = ourLoad(data);
    double unrtfMs = 0;
    const QByteArray html = unrtf(path, unrtfMs);
    const double htmlMs = html.isEmpty() ? 0 : setHtml(html);
    printRow(label, data.size(), ours, unrtfMs, htmlMs);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: rtfbench CORPUS_FOLDER\n", stderr);
        return 2;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty())
        std::fputs("rtfbench: unrtf not found; its columns stay 0\n", stderr);

    std::vector<QFileInfo> files;
    QDirIterator it(args[1], {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.push_back(it.fileInfo());
    }
    std::sort(files.begin(), files.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.size() > b.size(); });

    std::printf("%-44s %13s %10s %10s %9s %10s %9s\n", "document", "size", "ours ms", "unrtf ms", "vs unrtf",
                "setHtml ms", "vs html");
    for (std::size_t i = 0; i < std::min<std::size_t>(3, files.size()); ++i)
        compare(files[i].filePath(), qPrintable(files[i].fileName()));

    QTemporaryDir tmp;
    double oneMb = 0, tenMb = 0;
    for (const qsizetype size : {qsizetype(1) << 20, qsizetype(10) << 20}) {
        const QString path = tmp.filePath(QStringLiteral("generated-%1.rtf").arg(size >> 20));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write(generate(size));
        out.close();
        const QByteArray label = "generated " + QByteArray::number(size >> 20) + " MB";
        compare(path, label.constData());
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        (size >> 20 == 1 ? oneMb : tenMb) = ourLoad(in.readAll());
    }
    std::printf("\ngrowth 1 MB -> 10 MB: %.1f ms -> %.1f ms, %.2f times the time for 10 times the size\n",
                oneMb, tenMb, oneMb > 0 ? tenMb / oneMb : 0.0);
    return 0;
}
