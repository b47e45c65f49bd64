// rtfdump: shows what the RTF reader makes of a file, or how fast it reads it.
#include "rtf/rtfreader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

namespace {

enum Exit { Read = 0, NotReadable = 1, BadUsage = 2 };

int usage() {
    std::fputs("usage: rtfdump FILE\n"
               "       rtfdump --html FILE\n"
               "       rtfdump --each FILE...\n"
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

// Reading-speed goals, set on two LibreOffice documents (the same material, 635 KB and 5.5 MB).
struct Goal {
    const char *fileName;
    double ms;
};
constexpr Goal kGoals[] = {{"lo-635k.rtf", 12}, {"lo-5m.rtf", 100}};
// unrtf is slow and its time steady: a few runs are enough.
constexpr int kUnrtfRounds = 3;
constexpr double kUnrtfGoal = 20; // our reader at least this many times faster

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// CPU time of the child processes waited for so far; Windows keeps no such sum, and unrtf is a
// program of Linux.
std::optional<double> childrenCpuMs() {
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    auto ms = [](const timeval &v) {
        return static_cast<double>(v.tv_sec) * 1e3 + static_cast<double>(v.tv_usec) / 1e3;
    };
    return ms(u.ru_utime) + ms(u.ru_stime);
#endif
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timing {
    double wallMs = 0; // medians
    double cpuMs = 0;
};

// Runs `work` `rounds` times; each round's document is destroyed outside the timing.
Timing measure(int rounds, const std::function<void(QTextDocument &)> &work) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < rounds; ++i) {
        QTextDocument document;
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        work(document);
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    return {median(wall), median(cpu)};
}

// The CPU time `unrtf --html` takes to convert the file; nothing when unrtf is missing or fails.
std::optional<double> unrtfCpuMs(const QString &path) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    const QTemporaryDir scratch; // unrtf writes the pictures it finds into its working folder
    if (unrtf.isEmpty() || !scratch.isValid() || !childrenCpuMs())
        return std::nullopt;
    std::vector<double> cpu;
    for (int i = 0; i < kUnrtfRounds; ++i) {
        QProcess process;
        process.setWorkingDirectory(scratch.path());
        process.setStandardOutputFile(QProcess::nullDevice());
        const double start = *childrenCpuMs();
        process.start(unrtf, {QStringLiteral("--html"), QFileInfo(path).absoluteFilePath()});
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0)
            return std::nullopt;
        cpu.push_back(*childrenCpuMs() - start);
    }
    return median(cpu);
}

// What QTextDocument itself needs for the same content: the read document's paragraphs and runs,
// each run inserted as plain text with its one format (tables flattened to their paragraphs).
struct Paragraph {
    QTextBlockFormat block;
    QTextCharFormat chars;
    std::vector<std::pair<QString, QTextCharFormat>> runs;
};

std::vector<Paragraph> paragraphsOf(const QTextDocument &document) {
    std::vector<Paragraph> result;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        Paragraph p{b.blockFormat(), b.charFormat(), {}};
        for (auto it = b.begin(); !it.atEnd(); ++it)
            p.runs.emplace_back(it.fragment().text(), it.fragment().charFormat());
        result.push_back(std::move(p));
    }
    return result;
}

void insertPlain(const std::vector<Paragraph> &paragraphs, QTextDocument &document) {
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph &p : paragraphs) {
        if (first)
            cursor.setBlockFormat(p.block);
        else
            cursor.insertBlock(p.block, p.chars);
        first = false;
        for (const auto &[text, format] : p.runs) {
            if (format.isImageFormat())
                cursor.insertImage(format.toImageFormat());
            else
                cursor.insertText(text, format);
        }
    }
    cursor.endEditBlock();
}

QString goalFor(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    for (const Goal &goal : kGoals) {
        if (name == QLatin1String(goal.fileName))
            return QStringLiteral("at most %1 ms").arg(goal.ms);
    }
    return {};
}

// Our reading time, and beside it QTextDocument's own time for the same content: what no reader
// building this document through QTextCursor can go below; then unrtf's, where it is installed.
int bench(int rounds, const QStringList &paths) {
    std::printf("%-50s %10s %10s %9s  %s\n", "document", "median ms", "cpu ms", "MiB/s", "goal");
    int status = Read;
    for (const QString &path : paths) {
        QByteArray data;
        if (!readFile(path, data)) {
            status = NotReadable;
            continue;
        }
        QTextDocument read;
        if (!sweltra::rtf::readRtf(data, read).ok()) {
            std::fprintf(stderr, "rtfdump: %s: not a readable RTF document\n", qPrintable(path));
            status = NotReadable;
            continue;
        }
        const Timing ours = measure(rounds, [&data](QTextDocument &d) { sweltra::rtf::readRtf(data, d); });
        const std::vector<Paragraph> paragraphs = paragraphsOf(read);
        const Timing floor = measure(rounds, [&paragraphs](QTextDocument &d) { insertPlain(paragraphs, d); });
        const double mib = static_cast<double>(data.size()) / (1024.0 * 1024.0);
        const QByteArray name =
            QFileInfo(path).fileName().toUtf8() + " (" + QByteArray::number(data.size()) + " bytes)";
        std::printf("%-50s %10.2f %10.2f %9.1f  %s\n", name.constData(), ours.wallMs, ours.cpuMs,
                    ours.wallMs > 0 ? mib / (ours.wallMs / 1000.0) : 0.0, qPrintable(goalFor(path)));
        std::printf("%-50s %10.2f %10.2f\n", "  QTextDocument alone: same runs as plain text", floor.wallMs,
                    floor.cpuMs);
        if (const std::optional<double> unrtf = unrtfCpuMs(path)) {
            std::printf("%-50s %10s %10.2f %9s  %.0f times ours (goal at least %.0f)\n",
                        "  unrtf --html, CPU of the process", "", *unrtf, "",
                        ours.cpuMs > 0 ? *unrtf / ours.cpuMs : 0.0, kUnrtfGoal);
        } else {
            std::puts("  unrtf --html: not installed or failed");
        }
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
    if (args.size() >= 2 && args[0] == u"--each") { // several files in one run, each after its name
        int worst = Read;
        for (const QString &path : args.mid(1)) {
            print(u"== "_qs + path);
            std::fflush(stdout);
            worst = std::max(worst, dump(path, false));
            std::fflush(stdout);
        }
        return worst;
    }
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
