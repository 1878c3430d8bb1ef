// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qbank/AnalysisCommand.h"

#include "bank/KtError.h"
#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "report/AnswersFile.h"
#include "teacher/analysis/AnalysisTable.h"
#include "tools/qbank/QbankOutput.h"

#include <QDir>

namespace kt {
namespace {

void warn(const QString& text) {
    print(stderr, QStringLiteral("qbank: ") + text + u'\n');
}

// Reads every file; false when one could not be read at all.
bool readAll(const QStringList& files, AnswerSet& set) {
    bool allRead = true;
    for (const QString& path : files) {
        try {
            set.addFile(path);
        } catch (const KtError& e) {
            warn(e.message());
            allRead = false;
        }
    }
    for (const QString& problem : set.problems())
        warn(problem);
    return allRead;
}

QByteArray table(const AnswerSet& set, bool excel) {
    QList<QStringList> rows{analysisHeader()};
    for (const ItemStats& s : analyseItems(set))
        rows.append(analysisRow(set, s));
    if (excel)
        return spreadsheetCsv(rows);
    QString text;
    for (const QStringList& row : rows)
        text += csvRecord(row, u',', u"\n");
    return text.toUtf8();
}

// Folders named without an answers file in them are worth a word: the
// teacher probably gave the wrong one.
void warnEmptyFolders(const QStringList& paths) {
    for (const QString& path : paths)
        if (QDir(path).exists() && answersFilesIn({path}).isEmpty())
            warn(QStringLiteral("в папке «%1» нет файлов ответов (Answers*.csv)")
                     .arg(QDir::toNativeSeparators(path)));
}

} // namespace

int runAnalysis(const QStringList& args) {
    QStringList paths = args;
    const bool excel = !paths.isEmpty() && paths.front() == u"--excel";
    if (excel)
        paths.removeFirst();
    if (paths.isEmpty() || (paths.front().startsWith(u"--") && paths.front() != u"--")) {
        warn(QStringLiteral("нужно: qbank analysis [--excel] ФАЙЛЫ_ИЛИ_ПАПКИ..."));
        return kExitUsage;
    }
    if (paths.front() == u"--")
        paths.removeFirst();
    warnEmptyFolders(paths);
    AnswerSet set;
    const bool allRead = readAll(answersFilesIn(paths), set);
    CheckedOutput out(stdout);
    if (!out.write(table(set, excel)) || !out.finish()) {
        print(stderr, out.error());
        return kExitProblems;
    }
    return allRead ? 0 : kExitProblems;
}

} // namespace kt
