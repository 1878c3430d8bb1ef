// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of the teacher's file work, side by side in one run with one
// pass of mdb-export over the same table: `qbank import` of a CSV file, and
// the editor's save of a bank it opened (the open's peak, the save's peak
// and their ratio). Two kinds of bank: the short texts of the other
// benchmarks, and texts of real length (questions of 40-200 characters,
// answers of 5-60). 100,000 records; with --million also 1,000,000.
//
// Each figure is a child process's peak resident memory as the kernel
// counts it (wait4), so no measurement runs inside the measured process.
// The save runs in a child of this program in the editor's own calls.
//
// Usage: bench_files [repetitions] [--million] [--qbank PATH]
//        (default 3 repetitions, medians; --qbank measures another build)

#include "bank/BankRecord.h"
#include "teacher/core/BankFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kt;

namespace {

struct ChildRun {
    double peakMb = 0;
    int status = -1;
    QByteArray out;
};

// Runs the program with stdout to `outFile` (or /dev/null) and takes its peak
// resident memory from the kernel.
ChildRun runChild(const QStringList& args, const QString& outFile = QString()) {
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const QByteArray out = QFile::encodeName(outFile.isEmpty() ? "/dev/null" : outFile);
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ChildRun r;
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        r.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    QFile f(QString::fromLocal8Bit(out));
    if (!outFile.isEmpty() && f.open(QIODevice::ReadOnly))
        r.out = f.readAll();
    return r;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A deterministic text of `length` Cyrillic letters and spaces.
QString letters(int length, int seed) {
    static const QString alphabet = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщыэюя ");
    QString s;
    s.reserve(length);
    unsigned x = static_cast<unsigned>(seed) * 2654435761u + 1u;
    for (int i = 0; i < length; ++i) {
        x = x * 1103515245u + 12345u;
        s += alphabet[static_cast<int>((x >> 16) % static_cast<unsigned>(alphabet.size()))];
    }
    return s;
}

// The CSV a teacher would import: `realistic` texts of real length, or the
// short texts of the other benchmarks' bank.
QString writeCsv(const QString& path, int records, bool realistic) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Метка;Предмет\r\n");
    for (int i = 0; i < records; ++i) {
        QString line = realistic
                           ? letters(40 + (i * 37) % 161, i)
                           : QStringLiteral("Вопрос %1: сколько будет %1 + %2?").arg(i).arg(i % 97);
        for (int k = 1; k <= 5; ++k)
            line +=
                u';' + (realistic ? letters(5 + (i * 7 + k * 13) % 56, i + k)
                                  : QStringLiteral("Вариант ответа %1 к вопросу %2").arg(k).arg(i));
        line += QStringLiteral(";%1;0;Математика\r\n").arg(i % 5 + 1);
        f.write(line.toUtf8());
    }
    return path;
}

// ---- the child: the editor's open and save -------------------------------

double residentPeakMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

int saveChild(const QString& bank, const QString& target) {
    const LoadedBank loaded = loadBankFile(bank);
    const double open = residentPeakMb();
    saveBankFile(target, loaded.records);
    std::printf("%zu %.1f %.1f\n", loaded.records.size(), open, residentPeakMb());
    return 0;
}

// ---- the parent ------------------------------------------------------------

struct Figures {
    std::vector<double> import, exportPeak, open, save;
    int records = 0;
};

void measureOnce(const QString& qbank, const QString& csv, const QString& dir, Figures& f) {
    const QString bank = dir + QStringLiteral("/bank.mdb");
    QFile::remove(bank); // a fresh file, so that an earlier build of qbank can be measured too
    const ChildRun imported = runChild({qbank, "import", csv, bank});
    if (imported.status != 0)
        std::fprintf(stderr, "qbank import failed (%d)\n", imported.status);
    f.import.push_back(imported.peakMb);
    f.exportPeak.push_back(runChild({"mdb-export", bank, bankTableName()}).peakMb);
    const ChildRun saved = runChild({QCoreApplication::applicationFilePath(), "--save-child", bank,
                                     dir + QStringLiteral("/saved.mdb")},
                                    dir + QStringLiteral("/save.txt"));
    const QList<QByteArray> parts = saved.out.trimmed().split(' ');
    if (saved.status != 0 || parts.size() != 3) {
        std::fprintf(stderr, "editor save failed (%d)\n", saved.status);
        return;
    }
    f.records = parts[0].toInt();
    f.open.push_back(parts[1].toDouble());
    f.save.push_back(parts[2].toDouble());
}

void report(const char* kind, int records, double csvMb, const Figures& f) {
    const double open = median(f.open), save = median(f.save);
    std::printf("%-9s %9d %8.1f | %8.1f %6.2fx | %8.1f %8.1f %6.2fx | %8.1f\n", kind, records,
                csvMb, median(f.import), median(f.import) / csvMb, open, save,
                open > 0 ? save / open : 0.0, median(f.exportPeak));
    std::fflush(stdout);
}

double loadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == u"--save-child")
        return saveChild(args[1], args[2]);
    int repetitions = 3;
    bool million = false;
    QString qbank = QCoreApplication::applicationDirPath() + QStringLiteral("/qbank");
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--million")
            million = true;
        else if (args[i] == u"--qbank" && i + 1 < args.size())
            qbank = args[++i];
        else
            repetitions = std::max(1, args[i].toInt());
    }
    QTemporaryDir dir;
    std::printf("peak resident memory in MB, medians of %d runs; load average %.2f at start\n",
                repetitions, loadAverage());
    std::printf("%-9s %9s %8s | %8s %7s | %8s %8s %7s | %8s\n", "bank", "records", "CSV", "import",
                "/CSV", "open", "save", "/open", "mdb-export");
    std::vector<int> sizes{100000};
    if (million)
        sizes.push_back(1000000);
    for (int records : sizes)
        for (bool realistic : {false, true}) {
            const QString csv = writeCsv(dir.filePath(QStringLiteral("q.csv")), records, realistic);
            const double csvMb = static_cast<double>(QFileInfo(csv).size()) / (1024.0 * 1024.0);
            Figures f;
            for (int r = 0; r < repetitions; ++r)
                measureOnce(qbank, csv, dir.path(), f);
            report(realistic ? "realistic" : "short", records, csvMb, f);
        }
    std::printf("load average %.2f at the end\n", loadAverage());
    return 0;
}
