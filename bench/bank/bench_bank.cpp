// SPDX-License-Identifier: GPL-3.0-or-later
// Builds banks of 1,000, 10,000 and 100,000 records with the Jet writer and
// prints, per size: one full read of the table through the reader process
// (into the compact form the program keeps),
// the draw of 60 questions over the whole bank (QGen: one read, then array
// access), and the record-by-record walk the cursor of a database provider
// makes (one read, then for every draw First and single-record moves to the
// drawn offset), as times and as ratios to the full read, with peak memory.
//
// Usage: bench_bank [repetitions]   (default 3; the three are run in turn and
// each one's median is printed)

#include "bank/Bank.h"
#include "bank/MdbBankSource.h"
#include "bank/QGen.h"
#include "bench/bank/BenchBanks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace kt;

namespace {

constexpr int kQuestions = 60;

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Runs the pieces of work in turn, `reps` rounds, so that no one of them
// always runs on the heap another has just left; returns each one's median.
std::vector<double> medianMs(int reps, const std::vector<std::function<void()>>& work) {
    std::vector<std::vector<double>> ms(work.size());
    for (int i = 0; i < reps; ++i)
        for (size_t w = 0; w < work.size(); ++w) {
            QElapsedTimer t;
            t.start();
            work[w]();
            ms[w].push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
    std::vector<double> out;
    for (const std::vector<double>& m : ms)
        out.push_back(median(m));
    return out;
}

// The walk: Count moves to the last record one record at a time, then every
// draw starts from the first record and steps to its offset, reading the
// record there; a repeated question costs a further draw.
void walkDraw(Bank& bank, SeedSource& seeds) {
    bank.Open();
    const int size = bank.Count();
    bank.First();
    for (int i = 1; i < size; ++i)
        bank.MoveBy(1);
    QSet<QString> used;
    while (used.size() < kQuestions) {
        Lcg lcg(seeds.Seed());
        const std::uint32_t r = lcg.Below(static_cast<std::uint32_t>(size));
        bank.First();
        for (std::uint32_t k = 0; k < r; ++k)
            bank.MoveBy(1);
        QString fields[7];
        for (int f = 0; f < 6; ++f)
            fields[f] = bank.FieldText(f);
        fields[6] = QString::number(bank.FieldInteger(FieldRightAnswer));
        used.insert(fields[0]);
    }
    bank.Close();
}

// The reader's own high-water mark, watched while it runs (a child's
// rusage would count the forked image of this process). Linux only.
double readerPeakMb(const QString& reader, const QString& file) {
    QProcess p;
    p.start(reader, {file});
    p.waitForStarted();
    const QString status = QStringLiteral("/proc/%1/status").arg(p.processId());
    qint64 peakKb = 0;
    while (p.state() != QProcess::NotRunning) {
        QFile f(status);
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& line : f.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    peakKb =
                        std::max(peakKb, line.mid(6).trimmed().split(' ').value(0).toLongLong());
        p.waitForReadyRead(2);
        p.readAllStandardOutput();
    }
    return static_cast<double>(peakKb) / 1024.0;
}

void benchSize(const QTemporaryDir& dir, int records, int reps) {
    const QString file =
        bench::writeBenchBank(dir.filePath(QStringLiteral("bank%1.mdb").arg(records)), records);
    MdbBankSource source(file);
    ClockSeedSource seeds;
    const std::vector<double> ms =
        medianMs(reps, {[&] { MdbBankSource(file).LoadCompact(); },
                        [&] {
                            MdbBankSource fresh(file);
                            Bank bank(fresh);
                            TestSet set;
                            QGen(bank, QGenRequest{kQuestions, 0, records}, seeds, set);
                        },
                        [&] {
                            MdbBankSource fresh(file);
                            Bank bank(fresh);
                            walkDraw(bank, seeds);
                        }});
    const double read = ms[0], draw = ms[1], walk = ms[2];
    const double self = bench::peakResidentMb();
    const double reader = readerPeakMb(source.readerPath(), file);
    std::printf("%8d %10.1f %10.1f %7.2fx %10.1f %7.2fx %10.1f %10.1f\n", records, read, draw,
                draw / read, walk, walk / read, self, reader);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir dir;
    std::printf("median of %d runs; times in ms; peak memory in MB (resident, this process "
                "and the reader processes)\n",
                reps);
    std::printf("%8s %10s %10s %8s %10s %8s %10s %10s\n", "records", "read", "QGen", "/read",
                "walk", "/read", "peak self", "peak rdr");
    for (int records : {1000, 10000, 100000})
        benchSize(dir, records, reps);
    return 0;
}
