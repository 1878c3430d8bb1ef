// SPDX-License-Identifier: GPL-3.0-or-later
// One of the programs of the stress test.
//   report_append_worker append FILE ID COUNT GOFILE
//     waits until GOFILE exists, then appends COUNT blocks through the
//     program's report writer, the student named "PID-N" in block N;
//   report_append_worker hold FILE MS
//     holds the file's lock for MS milliseconds, printing "locked" once
//     it has it, as a program on another PC in the middle of its append.
#include "report/ReportQueue.h"
#include "report/ReportWriter.h"
#include "tests/support/Reports.h"

#include <QFile>
#include <QString>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

// Each process's blocks carry its number and their order in the name.
kt::ReportBlock blockOf(int id, int n) {
    kt::test::BlockFields fields;
    fields.name = QStringLiteral("П%1-%2").arg(id).arg(n);
    fields.percent = n;
    return kt::test::reportBlock(fields);
}

int append(const QString& path, int id, int count, const QString& goFile) {
    while (!QFile::exists(goFile))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kt::ReportQueue queue(path, path + QStringLiteral(".fallback"));
    for (int n = 0; n < count; ++n) {
        const QString problem = queue.Append(kt::reportBlockBytes(blockOf(id, n)));
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
            return 2;
        }
    }
    return 0;
}

int hold(const QString& path, int ms) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fd < 0 || ::fcntl(fd, F_SETLKW, &whole) != 0)
        return 2;
    std::printf("locked\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    ::close(fd);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("append") && argc == 6)
        return append(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                      QString::fromLocal8Bit(argv[5]));
    if (mode == QLatin1String("hold") && argc == 4)
        return hold(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr,
                 "usage: report_append_worker append FILE ID COUNT GOFILE | hold FILE MS\n");
    return 1;
}
