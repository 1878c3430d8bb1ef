// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a year of answers is analysed: 1,000,000 answer rows (--rows N for
// another count) over 20 PCs' files are written to a temporary folder, then
// read plainly (cat, wc -l) and analysed by qbank analysis, each the median
// of --runs runs (3), with the peak memory of each process; then the
// journal's question view opens the folder. --folder DIR writes the files
// there and keeps them.

#include "bench/analysis/AnswersGenerator.h"
#include "teacher/journal/ItemAnalysisPage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

// Wall time, and the processor time beside it: other programs on a busy
// machine stretch the first but not the second.
struct Figures {
    double seconds = 0;
    double cpuSeconds = 0;
    double megabytes = 0;
};

double seconds(const timeval& t) {
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Runs the command with its output to /dev/null; wall time and peak memory.
Figures runOnce(const std::vector<QByteArray>& command) {
    std::vector<char*> argv;
    for (const QByteArray& a : command)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    std::fflush(stdout); // or the child writes this process's buffer again
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {now() - start, seconds(usage.ru_utime) + seconds(usage.ru_stime),
            double(usage.ru_maxrss) / 1024.0};
}

void measure(const char* what, const std::vector<QByteArray>& command, int runs) {
    std::vector<Figures> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(runOnce(command));
    std::sort(all.begin(), all.end(),
              [](const Figures& a, const Figures& b) { return a.seconds < b.seconds; });
    const Figures& median = all[all.size() / 2];
    std::printf("%-28s %7.3f s wall %7.3f s cpu %7.1f MB peak\n", what, median.seconds,
                median.cpuSeconds, median.megabytes);
    std::fflush(stdout);
}

int option(const QStringList& args, const QString& name, int fallback) {
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

} // namespace

// From the command to a painted table, the median of `runs` pages.
void measureView(const QString& folder, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        kt::ItemAnalysisPage page;
        page.resize(1100, 700);
        page.show();
        QEventLoop loop;
        QObject::connect(&page, &kt::ItemAnalysisPage::loaded, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        page.openFiles({folder});
        loop.exec();
        QApplication::processEvents(); // the table's first paint
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28s %7.3f s wall\n", "question view: open to shown", times[times.size() / 2]);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int rows = option(args, QStringLiteral("--rows"), 1000000);
    const int runs = std::max(1, option(args, QStringLiteral("--runs"), 3));
    QTemporaryDir temporary;
    // --folder DIR keeps the files there, to look at them or profile.
    const qsizetype at = args.indexOf(QStringLiteral("--folder"));
    const QDir dir(at >= 0 && at + 1 < args.size() ? args[at + 1] : temporary.path());
    const qint64 bytes = kt::bench::writeAnswers(dir.path(), rows, 20);
    if (bytes < 0)
        return 1;
    std::printf("answers: %d rows in 20 files, %.1f MB\n", rows, double(bytes) / 1048576.0);

    QStringList files = dir.entryList({QStringLiteral("Answers*.csv")}, QDir::Files);
    std::vector<QByteArray> cat{"cat"}, wc{"wc", "-l"};
    for (const QString& f : files) {
        cat.push_back(dir.filePath(f).toLocal8Bit());
        wc.push_back(cat.back());
    }
    measure("cat (plain read)", cat, runs);
    measure("wc -l (plain read)", wc, runs);
    measure("qbank analysis FOLDER",
            {QByteArrayLiteral(QBANK_PATH), "analysis", dir.path().toLocal8Bit()}, runs);
    measureView(dir.path(), runs);
    return 0;
}
