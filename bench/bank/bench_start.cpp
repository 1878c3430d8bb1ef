// SPDX-License-Identifier: GPL-3.0-or-later
// Side by side in one run, on a bank of 100,000 records written by the Jet
// writer: one pass of mdb-export over the same table, the reader process
// alone, `qbank check`, and the start of the program's window up to the
// moment it is visible, with the peak memory of the window's process. Then
// the 187-record sample bank's start against a bare Qt window, and with
// --million the start over 1,000,000 records: whether the progress window
// was shown and whether the bank was called damaged.
//
// The window is started by this program itself in a child process (the
// same window class, bank source and progress window as the program, on
// the offscreen platform), which reports when the window is exposed and
// exits; the student's program carries no hook for it.
//
// Usage: bench_start [repetitions] [--million]   (default 3; medians)

#include "app/BankReadProgress.h"
#include "app/MainWindow.h"
#include "bank/MdbBankSource.h"
#include "bank/SeedSource.h"
#include "bench/bank/BenchBanks.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace kt;

namespace {

// ---- the child: one window start --------------------------------------

class PrintingDialogs : public Dialogs {
public:
    void ShowError(const QString& m) override { errors << m; }
    void ShowConnectionError(const QString& t) override { errors << t; }
    QStringList errors;
};

class WatchedProgress : public BankReadProgress {
public:
    void ReadFinished() override {
        ever = ever || shownDuringLastRead();
        BankReadProgress::ReadFinished();
    }
    bool ever = false;
};

void waitExposed(QWidget& w) {
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

double residentPeakMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return bench::peakResidentMb();
}

int windowChild(int argc, char** argv, const QString& bank) {
    QApplication app(argc, argv);
    initAppResources();
    MdbBankSource source(bank);
    WatchedProgress progress;
    source.setProgress(&progress);
    source.StartEarly(); // as the program does
    ClockSeedSource seeds;
    SystemClock clock;
    PrintingDialogs dialogs;
    TForm1 window(WindowDeps{source, seeds, clock, dialogs});
    const bool created = window.FormCreate();
    if (created) {
        window.show();
        waitExposed(window);
    }
    std::printf("shown %d peak %.1f progress %d errors %s\n", created ? 1 : 0, residentPeakMb(),
                progress.ever ? 1 : 0, qPrintable(dialogs.errors.join(QStringLiteral(" | "))));
    std::fflush(stdout);
    return 0;
}

int bareChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(793, 600);
    window.show();
    waitExposed(window);
    std::printf("shown 1 peak %.1f progress 0 errors \n", residentPeakMb());
    std::fflush(stdout);
    return 0;
}

// ---- the parent: timing ------------------------------------------------

struct Run {
    double ms = 0;
    QByteArray out;
};

// Runs a program to its end; with `untilLine` the time is taken when a line
// starting with it arrives.
Run runTimed(const QString& program, const QStringList& args, const QString& workDir,
             const QByteArray& untilLine = QByteArray()) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    if (untilLine.isEmpty())
        p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    Run r;
    while (!untilLine.isEmpty() && p.waitForReadyRead(-1)) {
        r.out += p.readAllStandardOutput();
        if (r.out.contains(untilLine) && r.out.endsWith('\n'))
            break;
    }
    if (!untilLine.isEmpty())
        r.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(-1);
    if (untilLine.isEmpty())
        r.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    r.out += p.readAllStandardOutput();
    return r;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString binDir() {
    return QCoreApplication::applicationDirPath();
}

QString field(const QByteArray& out, const char* key) {
    const QList<QByteArray> words = out.trimmed().split(' ');
    const qsizetype i = words.indexOf(key);
    return i >= 0 && i + 1 < words.size() ? QString::fromUtf8(words[i + 1]) : QString();
}

QString errorsOf(const QByteArray& out) {
    const qsizetype at = out.indexOf("errors ");
    return at < 0 ? QStringLiteral("?") : QString::fromUtf8(out.mid(at + 7).trimmed());
}

struct Line {
    const char* name;
    QString program;
    QStringList args;
    bool window = false;
};

struct WindowFigures {
    double peakMb = 0;
    bool progress = false;
    QString errors;
};

// Runs every line `reps` times in turn; returns each one's median.
std::vector<double> medians(const std::vector<Line>& lines, int reps, const QString& workDir,
                            WindowFigures* window) {
    std::vector<std::vector<double>> ms(lines.size());
    for (int i = 0; i < reps; ++i)
        for (size_t k = 0; k < lines.size(); ++k) {
            const Line& l = lines[k];
            const Run r = runTimed(l.program, l.args, workDir, l.window ? "shown" : "");
            ms[k].push_back(r.ms);
            if (l.window && window) {
                window->peakMb = std::max(window->peakMb, field(r.out, "peak").toDouble());
                window->progress = window->progress || field(r.out, "progress") == "1";
                window->errors = errorsOf(r.out);
            }
        }
    std::vector<double> out;
    for (const std::vector<double>& m : ms)
        out.push_back(median(m));
    return out;
}

double fileMb(const QString& path) {
    return static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
}

void benchHundredThousand(const QString& dir, int reps) {
    const QString exporter = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    const QString bank = bench::writeBenchBank(dir + QStringLiteral("/bank100k.mdb"), 100000);
    std::printf("100,000 records, file %.1f MB; median of %d runs taken in turn; wall-clock ms\n",
                fileMb(bank), reps);
    std::vector<Line> lines;
    if (!exporter.isEmpty())
        lines.push_back({"mdb-export, one pass", exporter, {bank, bankTableName()}});
    lines.push_back(
        {"reader process alone", binDir() + QStringLiteral("/knowtest-reader"), {bank}});
    lines.push_back(
        {"qbank check", binDir() + QStringLiteral("/qbank"), {QStringLiteral("check"), bank}});
    lines.push_back({"start to visible window",
                     QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--window"), bank},
                     true});
    WindowFigures w;
    const std::vector<double> ms = medians(lines, reps, dir, &w);
    const double base = exporter.isEmpty() ? 0 : ms[0];
    std::printf("%-26s %10s %14s\n", "", "ms", "x mdb-export");
    for (size_t k = 0; k < lines.size(); ++k)
        std::printf("%-26s %10.1f %14.2f\n", lines[k].name, ms[k], base > 0 ? ms[k] / base : 0.0);
    if (exporter.isEmpty())
        std::printf("mdb-export not found (Debian package mdbtools): no ratios\n");
    std::printf("peak memory of the window's process: %.1f MB (goal: at most 90)\n", w.peakMb);
    std::printf("goals: start at most 1.5x mdb-export, qbank check at most 1.3x\n");
    std::printf("bank errors shown: %s\n\n", w.errors.isEmpty() ? "none" : qPrintable(w.errors));
    std::fflush(stdout);
}

void benchSample(const QString& dir, int reps) {
    const QString sample = QStringLiteral(KNOWTEST_SAMPLE_BANK);
    if (!QFile::exists(sample)) {
        std::printf("sample bank %s not built: skipped\n\n", qPrintable(sample));
        return;
    }
    const std::vector<Line> lines = {{"bare Qt window",
                                      QCoreApplication::applicationFilePath(),
                                      {QStringLiteral("--bare")},
                                      true},
                                     {"sample bank (187) window",
                                      QCoreApplication::applicationFilePath(),
                                      {QStringLiteral("--window"), sample},
                                      true}};
    const std::vector<double> ms = medians(lines, reps, dir, nullptr);
    std::printf("%-26s %10.1f\n%-26s %10.1f   %.2fx the bare window (goal: at most 2x)\n\n",
                lines[0].name, ms[0], lines[1].name, ms[1], ms[1] / ms[0]);
    std::fflush(stdout);
}

void benchMillion(const QString& dir) {
    std::printf("writing a bank of 1,000,000 records...\n");
    std::fflush(stdout);
    const QString bank = bench::writeBenchBank(dir + QStringLiteral("/bank1m.mdb"), 1000000);
    const std::vector<Line> lines = {{"start to visible window",
                                      QCoreApplication::applicationFilePath(),
                                      {QStringLiteral("--window"), bank},
                                      true}};
    WindowFigures w;
    const std::vector<double> ms = medians(lines, 1, dir, &w);
    std::printf("1,000,000 records, file %.1f MB: window visible after %.1f ms, progress window "
                "shown: %s, peak %.1f MB, bank errors shown: %s\n",
                fileMb(bank), ms[0], w.progress ? "yes" : "no", w.peakMb,
                w.errors.isEmpty() ? "none" : qPrintable(w.errors));
    QFile::remove(bank);
}

int runAll(int reps, bool million) {
    QTemporaryDir dir;
    benchHundredThousand(dir.path(), reps);
    benchSample(dir.path(), reps);
    if (million)
        benchMillion(dir.path());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--window") == 0)
        return windowChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc >= 2 && std::strcmp(argv[1], "--bare") == 0)
        return bareChild(argc, argv);
    QCoreApplication app(argc, argv);
    int reps = 3;
    bool million = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--million") == 0)
            million = true;
        else
            reps = std::max(1, std::atoi(argv[i]));
    }
    return runAll(reps, million);
}
