// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's tools over a large bank, side by side in one run with one
// pass of mdb-export over the same table: `qbank check`, the teacher's
// window from its start until it has shown the bank and has nothing left
// to do (and whether it showed its progress window meanwhile), and single
// edits in that window (a keystroke in the question field, the first Insert
// after the opening, Insert, Delete, a keystroke that makes a question a
// repeat of another), each until the window has repainted. Two banks of
// 100,000 records: the short texts of the start benchmark and texts as long
// as real ones (questions of 40 to 200 characters). With --million the same
// over 1,000,000 records of realistic length.
//
// The window runs in a child process on the offscreen platform; it reports
// when it is idle and what its edits took.
//
// With --bank FILE only that bank, so that a teacher's own bank or one kept
// between runs can be measured.
//
// Usage: bench_teacher [repetitions] [--million] [--bank FILE]   (default 3; medians)

#include "bench/bank/BenchBanks.h"
#include "teacher/core/BankDocument.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace kt;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// ---- the child: the window -------------------------------------------

// Until every posted event, repaints included, has been handled.
void waitIdle() {
    bool idle = false;
    QTimer::singleShot(0, [&idle] { idle = true; });
    while (!idle)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

template <typename Edit> double timedEdit(Edit edit) {
    QElapsedTimer t;
    t.start();
    edit();
    waitIdle();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// Keystrokes, Inserts and Deletes in the middle of the bank; medians.
void printEdits(QuestionsPart& part) {
    BankDocument& doc = part.document();
    const int row = doc.size() / 2;
    part.selectRow(row);
    waitIdle();
    // The first Insert after the opening grows every list of the bank.
    const double firstInsert =
        timedEdit([&] { part.action(QStringLiteral("actionAdd"))->trigger(); });
    timedEdit([&] { part.action(QStringLiteral("actionDelete"))->trigger(); });
    std::vector<double> key, insert, remove;
    for (int i = 0; i < 5; ++i) {
        key.push_back(timedEdit(
            [&] { doc.setField(row, FieldQuestion, doc.record(row).text[FieldQuestion] + u'ы'); }));
        insert.push_back(timedEdit([&] { part.action(QStringLiteral("actionAdd"))->trigger(); }));
        remove.push_back(
            timedEdit([&] { part.action(QStringLiteral("actionDelete"))->trigger(); }));
    }
    // A question made a repeat of another after the Inserts and Deletes
    // have moved the records since the opening.
    const double repeat = timedEdit(
        [&] { doc.setField(row, FieldQuestion, doc.record(row + 7).text[FieldQuestion]); });
    std::printf("edits key %.2f first %.2f insert %.2f delete %.2f repeat %.2f\n", median(key),
                firstInsert, median(insert), median(remove), repeat);
}

// Whether a progress window was up while the bank was opened, seen from a
// timer, which fires only while the window's events are handled.
struct OpeningWatch {
    OpeningWatch() {
        m_timer.setInterval(50);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                progress = progress || (qobject_cast<QProgressDialog*>(w) && w->isVisible());
        });
        m_timer.start();
    }
    bool progress = false;

private:
    QTimer m_timer;
};

int windowChild(int argc, char** argv, const QString& bank, bool edits) {
    QApplication app(argc, argv);
    TeacherWindow window;
    window.show();
    OpeningWatch watch;
    window.start(bank);
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    waitIdle();
    std::printf("idle %d progress %d\n", window.questions()->document().size(),
                watch.progress ? 1 : 0);
    std::fflush(stdout);
    if (edits)
        printEdits(*window.questions());
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
Run runTimed(const QString& program, const QStringList& args, const QByteArray& untilLine = {}) {
    QProcess p;
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
    r.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(-1);
    if (untilLine.isEmpty())
        r.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    r.out += p.readAllStandardOutput();
    return r;
}

double number(const QByteArray& out, const char* key) {
    const QList<QByteArray> words = out.simplified().split(' ');
    const qsizetype i = words.indexOf(key);
    return i >= 0 && i + 1 < words.size() ? words[i + 1].toDouble() : -1;
}

QString self() {
    return QCoreApplication::applicationFilePath();
}

void printRow(const char* name, double ms, double base) {
    std::printf("  %-34s %10.1f %10.2f\n", name, ms, base > 0 ? ms / base : 0.0);
}

// Every line `reps` times in turn, so that a busy moment of the machine
// falls on all of them alike.
void benchBank(const QString& bank, const char* title, int reps) {
    const QString exporter = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    const QString qbank = QCoreApplication::applicationDirPath() + QStringLiteral("/qbank");
    std::vector<double> pass, check, open, key, first, repeat, insert, remove;
    bool progress = false;
    for (int i = 0; i < reps; ++i) {
        if (!exporter.isEmpty())
            pass.push_back(runTimed(exporter, {bank, bankTableName()}).ms);
        check.push_back(runTimed(qbank, {QStringLiteral("check"), bank}).ms);
        const Run opened = runTimed(self(), {QStringLiteral("--window"), bank}, "idle");
        open.push_back(opened.ms);
        progress = progress || number(opened.out, "progress") == 1;
        const Run edits = runTimed(self(), {QStringLiteral("--edits"), bank}, "edits");
        key.push_back(number(edits.out, "key"));
        first.push_back(number(edits.out, "first"));
        repeat.push_back(number(edits.out, "repeat"));
        insert.push_back(number(edits.out, "insert"));
        remove.push_back(number(edits.out, "delete"));
    }
    const double base = median(pass);
    std::printf("%s, file %.1f MB; medians of %d runs; wall-clock ms\n", title,
                static_cast<double>(QFile(bank).size()) / (1024.0 * 1024.0), reps);
    std::printf("  %-34s %10s %10s\n", "", "ms", "x mdb-export");
    if (exporter.isEmpty())
        std::printf("  mdb-export not found (Debian package mdbtools): no ratios\n");
    else
        printRow("mdb-export, one pass", base, base);
    printRow("qbank check", median(check), base);
    printRow("teacher's window, open until idle", median(open), base);
    std::printf("  progress window shown while opening: %s\n", progress ? "yes" : "no");
    std::printf("  one edit until repainted (goal: at most 16 ms)\n");
    std::printf("  %-34s %10.2f\n  %-34s %10.2f\n  %-34s %10.2f\n  %-34s %10.2f\n",
                "keystroke in the question", median(key), "first Insert after opening",
                median(first), "Insert", median(insert), "Delete", median(remove));
    std::printf("  %-34s %10.2f\n\n", "keystroke repeating a question", median(repeat));
    std::fflush(stdout);
}

int runAll(int reps, bool million) {
    QTemporaryDir dir;
    const QString shortBank = dir.filePath(QStringLiteral("short100k.mdb"));
    const QString realBank = dir.filePath(QStringLiteral("real100k.mdb"));
    benchBank(bench::writeBenchBank(shortBank, 100000), "100,000 records, ~35-character texts",
              reps);
    benchBank(bench::writeRealisticBank(realBank, 100000),
              "100,000 records, questions of 40-200 characters", reps);
    if (million) {
        QFile::remove(shortBank);
        QFile::remove(realBank);
        std::printf("writing a bank of 1,000,000 records...\n");
        std::fflush(stdout);
        benchBank(bench::writeRealisticBank(dir.filePath(QStringLiteral("real1m.mdb")), 1000000),
                  "1,000,000 records, questions of 40-200 characters", 1);
    }
    std::printf("goals: qbank check at most 1.0x mdb-export, the window at most 1.5x\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--window") == 0)
        return windowChild(argc, argv, QString::fromLocal8Bit(argv[2]), false);
    if (argc >= 3 && std::strcmp(argv[1], "--edits") == 0)
        return windowChild(argc, argv, QString::fromLocal8Bit(argv[2]), true);
    QCoreApplication app(argc, argv);
    int reps = 3;
    bool million = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--million") == 0) {
            million = true;
        } else if (std::strcmp(argv[i], "--bank") == 0 && i + 1 < argc) {
            const QString bank = QString::fromLocal8Bit(argv[++i]);
            if (!QFile::exists(bank)) {
                std::fprintf(stderr, "bench_teacher: no such bank\n");
                return 1;
            }
            benchBank(bank, qPrintable(QFileInfo(bank).fileName()), reps);
            return 0;
        } else
            reps = std::max(1, std::atoi(argv[i]));
    }
    return runAll(reps, million);
}
