// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a large report becomes a table: a report of about 20 MB (60,000
// blocks) is written to a temporary file, then converted by qbank results,
// parsed in this process, loaded into the journal's model and opened in the
// journal's page.

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
#include <ctime>

using kt::bench::reportBlock;
using kt::bench::Stopwatch;

namespace {

constexpr int kBlocks = 60000;

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
    QTemporaryDir dir;
    const QString path = dir.filePath("TestData.dat");
    QByteArray bytes;
    for (int i = 0; i < kBlocks; ++i)
        bytes += reportBlock(i);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();
    std::printf("report: %d blocks, %.1f MB\n", kBlocks, bytes.size() / 1048576.0);

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
