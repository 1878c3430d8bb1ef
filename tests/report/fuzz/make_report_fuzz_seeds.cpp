// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seeds of the report parser's fuzz run: whole blocks with awkward
// names and grouped numbers, a cut file and a file in UTF-8.

#include "bank/Cp1251.h"
#include "tests/support/Reports.h"

#include <QDir>
#include <cstdio>

using kt::test::BlockFields;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_report_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;
    BlockFields grouped;
    grouped.name = QStringLiteral("Ким, \"Лёша\" --- 7А & Ко");
    grouped.from = QStringLiteral("1\u00A0000");
    grouped.to = QStringLiteral("12\u00A0345");
    const QByteArray two = kt::test::reportBytes({BlockFields{}, grouped, BlockFields{QString()}});
    kt::test::writeFile(dir.filePath("whole.dat"), two);
    kt::test::writeFile(dir.filePath("cut.dat"), two.left(two.size() - 57));
    kt::test::writeFile(dir.filePath("utf8.dat"), kt::decodeCp1251(two).toUtf8());
    QByteArray lf = two;
    kt::test::writeFile(dir.filePath("lf.dat"), lf.replace("\r\n", "\n"));
    return 0;
}
