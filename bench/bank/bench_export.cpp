// SPDX-License-Identifier: GPL-3.0-or-later
// qbank export beside mdb-export on the same bank: the time and the peak
// resident memory of each process, in both of export's forms. The bank's
// questions run 40 to 200 characters, as real ones do.
//
// Usage: bench_export [records] [--million]   (default 100000; --million adds 1,000,000)

#include "bank/BankRecord.h"
#include "bench/bank/BenchBanks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Figures {
    double ms = 0;
    double peakMb = 0;
    int exitCode = -1;
};

// The high-water mark of a running process's resident memory, in MB.
double residentHighWaterMb(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// Runs one program with its output thrown away. Its peak memory is read from
// the kernel's high-water mark every few milliseconds while it runs (a
// child's rusage would start from this process's own peak); the reader that
// qbank starts is a process of its own, measured on its own line.
Figures runMeasured(const QString& program, const QStringList& args) {
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& a : args)
        words.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    Figures f;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            f.peakMb = std::max(f.peakMb, residentHighWaterMb(pid));
            usleep(2000);
        }
        f.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return f;
}

struct Line {
    const char* name;
    QString program;
    QStringList args;
};

void measureBank(const QString& bank, int records) {
    const QString bin = QCoreApplication::applicationDirPath();
    const QString exporter = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    std::vector<Line> lines;
    if (!exporter.isEmpty())
        lines.push_back({"mdb-export", exporter, {bank, kt::bankTableName()}});
    lines.push_back({"qbank export", bin + QStringLiteral("/qbank"), {"export", bank}});
    lines.push_back(
        {"qbank export --excel", bin + QStringLiteral("/qbank"), {"export", "--excel", bank}});
    lines.push_back({"the reader alone", bin + QStringLiteral("/knowtest-reader"), {bank}});
    std::printf("\n%d records, %.1f MB file\n", records,
                static_cast<double>(QFileInfo(bank).size()) / 1048576.0);
    std::printf("%-22s %10s %12s %8s %s\n", "", "ms", "peak MB", "x time", "exit");
    double base = 0;
    for (const Line& l : lines) {
        const Figures f = runMeasured(l.program, l.args);
        if (base == 0)
            base = f.ms;
        std::printf("%-22s %10.0f %12.1f %8.2f %d\n", l.name, f.ms, f.peakMb,
                    base > 0 ? f.ms / base : 0.0, f.exitCode);
    }
    if (exporter.isEmpty())
        std::printf("mdb-export not found (Debian package mdbtools): times are not compared\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int records = 100000;
    bool million = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--million") == 0)
            million = true;
        else
            records = std::max(1, std::atoi(argv[i]));
    }
    QTemporaryDir dir;
    std::printf("goal: qbank export at most 100 MB peak over 1,000,000 records\n");
    std::vector<int> sizes{records};
    if (million)
        sizes.push_back(1000000);
    for (int n : sizes) {
        const QString bank = dir.filePath(QStringLiteral("export%1.mdb").arg(n));
        kt::bench::writeRealisticBank(bank, n);
        measureBank(bank, n);
        QFile::remove(bank);
    }
    return 0;
}
