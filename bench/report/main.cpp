// SPDX-License-Identifier: GPL-3.0-or-later
// How long the report viewer takes to show a large report file: a report of
// about 20 MB (some 45,000 ten-line blocks) in code page 1251 is written to a
// temporary file, then read and decoded, then handed to the viewer and painted.

#include "bench/common/BenchReports.h"
#include "ui/ReportViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryFile>
#include <cstdio>
#include <ctime>

using kt::bench::reportBlock;
using kt::bench::Stopwatch;

namespace {

constexpr qint64 kTargetBytes = 20 * 1024 * 1024;

// Writes blocks until the file reaches the target size; returns the count.
int writeReport(QFile& file) {
    int blocks = 0;
    while (file.size() < kTargetBytes) {
        file.write(reportBlock(blocks));
        ++blocks;
    }
    file.flush();
    return blocks;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryFile file;
    if (!file.open()) {
        std::fprintf(stderr, "cannot create a temporary file\n");
        return 1;
    }
    const int blocks = writeReport(file);
    std::printf("report: %d blocks, %lld bytes\n", blocks, static_cast<long long>(file.size()));

    Stopwatch timer;
    QFile input(file.fileName());
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the report back\n");
        return 1;
    }
    const QString text = kt::decodeCp1251(input.readAll());
    timer.print("read + decode:");

    kt::ReportViewer viewer;
    viewer.show();
    QApplication::processEvents();
    timer.restart();
    viewer.setReportText(text);
    timer.print("setReportText:");
    viewer.repaint();
    timer.print("setReportText + first paint:");

    timer.restart();
    QScrollBar* bar = viewer.textBox()->verticalScrollBar();
    bar->setValue(bar->maximum());
    viewer.repaint();
    timer.print("jump to the end + paint:");
    return 0;
}
