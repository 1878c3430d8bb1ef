// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a large report becomes a table: a report of about 20 MB (60,000
// blocks; 600,000 blocks, about 216 MB, with --large) is written to a
// temporary file, then opened in the journal's page by a separate process
// (its time and peak memory beside one iconv pass over the file), converted
// by qbank results, parsed in this process, loaded into the journal's model
// and opened in the journal's page.

#include "bench/common/BenchReports.h"
#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "teacher/journal/JournalPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>

using kt::bench::reportBlock;
using kt::bench::Stopwatch;

namespace {

constexpr int kBlocks = 60000;
constexpr int kLargeBlocks = 600000;

// The child's side: the journal page opens the file until it is shown.
int openJournal(const QString& path) {
    kt::JournalPage page;
    page.resize(1100, 700);
    page.show();
    QEventLoop loop;
    QObject::connect(&page, &kt::JournalPage::loaded, &loop, &QEventLoop::quit);
    page.openFiles({path});
    loop.exec();
    QApplication::processEvents(); // the table's first paint
    return 0;
}

double secondsOf(const QString& program, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    p.waitForFinished(-1);
    return t.nsecsElapsed() / 1e9;
}

// Run first of all children: the peak it reports is then the journal's own.
void journalBesideIconv(const QString& self, const QString& path, qint64 size) {
    const double journal = secondsOf(self, {QStringLiteral("--open-journal"), path});
    struct rusage usage {};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const double peakMb = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    const double iconv = secondsOf(QStringLiteral("iconv"), {"-f", "cp1251", "-t", "utf-8", path});
    std::printf("journal open to shown (own process): %.2f s, peak %.0f MB\n", journal, peakMb);
    std::printf("iconv -f cp1251 -t utf-8 pass:        %.2f s\n", iconv);
    std::printf("  time %.1fx the iconv pass (goal 2), memory %.2fx the file (goal 1.5)\n",
                journal / iconv, peakMb / (size / 1048576.0));
}

QByteArray plainCsv(const QString& path, const kt::ParsedReport& report) {
    QString text = kt::csvRecord(kt::reportTableHeader(), u',', u"\n");
    int n = 0;
    for (const kt::ReportEntry& e : report.entries)
        text += kt::csvRecord(kt::reportTableRow(path, ++n, e), u',', u"\n");
    return text.toUtf8();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--open-journal") == 0)
        return openJournal(QString::fromLocal8Bit(argv[2]));
    const int blocks = argc == 2 && std::strcmp(argv[1], "--large") == 0 ? kLargeBlocks : kBlocks;
    QTemporaryDir dir;
    const QString path = dir.filePath("TestData.dat");
    // Written a piece at a time: the children start as copies of this
    // process, and a peak of this one would be counted as theirs.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QByteArray piece;
    for (int i = 0; i < blocks; ++i) {
        piece += reportBlock(i);
        if ((i + 1) % 10000 == 0 || i + 1 == blocks) {
            if (file.write(piece) != piece.size())
                return 1;
            piece.resize(0);
        }
    }
    const qint64 size = file.size();
    file.close();
    std::printf("report: %d blocks, %.1f MB\n", blocks, size / 1048576.0);
    journalBesideIconv(QCoreApplication::applicationFilePath(), path, size);

    Stopwatch w;
    QProcess qbank;
    qbank.setStandardOutputFile(QProcess::nullDevice());
    qbank.start(QStringLiteral(QBANK_PATH), {"results", path});
    qbank.waitForFinished(60000);
    w.print("qbank results (whole process)");

    w.restart();
    const kt::ParsedReport report = kt::readReportFile(path);
    w.print("read and parse");
    w.restart();
    const QByteArray csv = plainCsv(path, report);
    w.print("CSV table in memory");
    std::printf("  %zu blocks, %zu damaged, CSV %.1f MB\n", report.entries.size(),
                report.damage.size(), csv.size() / 1048576.0);

    w.restart();
    kt::JournalModel model;
    kt::JournalProxy proxy(&model);
    proxy.sort(kt::JournalModel::Date);
    model.addReport(path, report);
    const kt::MarkSummary s = proxy.summary();
    w.print("journal model, sorted, summary");
    std::printf("  %d tests, average %.1f %%\n", s.tests, s.averagePercent);

    kt::JournalPage page;
    page.resize(1100, 700);
    page.show();
    QEventLoop loop;
    QObject::connect(&page, &kt::JournalPage::loaded, &loop, &QEventLoop::quit);
    w.restart();
    page.openFiles({path});
    loop.exec();
    QApplication::processEvents(); // the table's first paint
    w.print("journal page: open to shown");
    return 0;
}
