// How long the report viewer takes to show a large report file: a report of
// about 20 MB (some 50,000 ten-line blocks) in code page 1251 is written to a
// temporary file, then read and decoded, then handed to the viewer and painted.

#include "Cp1251.h"
#include "ReportViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryFile>
#include <cstdio>
#include <ctime>

namespace {

constexpr qint64 kTargetBytes = 20 * 1024 * 1024;

QByteArray reportBlock(int test) {
    const QString name = QStringLiteral("Ученик%1").arg(test % 997);
    const QStringList lines = {
        QStringLiteral(" "),
        QStringLiteral("Студент --- ") + name,
        QStringLiteral("Ответил правильно на --- %1 %").arg(test % 101),
        QStringLiteral("Дата тестирования --- 07.12.2026"),
        QStringLiteral("Время завершения тестирования --- %1:%2:03")
            .arg(test % 24)
            .arg(test % 60, 2, 10, QLatin1Char('0')),
        QStringLiteral("Остаток времени после тестирования --- 0:12:41"),
        QStringLiteral("Всего вопросов в базе - 1200"),
        QStringLiteral("Колличество вопросов в тесте --- 60"),
        QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 1\u00A0200"),
        QStringLiteral("Выделяемое время на один вопрос --- 2 мин")};
    return kt::encodeCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

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

// Wall time, and the processor time of the process beside it: other programs
// on a busy machine stretch the first but not the second.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart() {
        m_wall.start();
        m_cpu = std::clock();
    }
    void print(const char* what) const {
        const double wall = static_cast<double>(m_wall.nsecsElapsed()) / 1e6;
        const double cpu = 1000.0 * static_cast<double>(std::clock() - m_cpu) / CLOCKS_PER_SEC;
        std::printf("%-30s %8.1f ms wall %8.1f ms cpu\n", what, wall, cpu);
    }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu = 0;
};

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
