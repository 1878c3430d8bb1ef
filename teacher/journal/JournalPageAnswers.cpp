// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's way from a result to the questions behind it: the answers
// file its PC wrote beside the report file.

#include "bank/KtError.h"
#include "teacher/analysis/TestAnswers.h"
#include "teacher/journal/JournalPage.h"
#include "teacher/journal/TestAnswersDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace kt {

void JournalPage::showTestAnswers(const QModelIndex& index) {
    const JournalRow& row = m_model->row(m_proxy->sourceRowOf(index.row()));
    const ReportEntry r = m_model->data().entryOf(row);
    const QString report = m_model->data().files().value(row.first.file);
    const QString answers = answersFileFor(report);
    std::vector<TestAnswer> rows;
    QString problem;
    try {
        if (QFileInfo::exists(answers))
            rows = findTestAnswers(answers, r.date, r.time, r.studentName);
    } catch (const KtError& e) {
        problem = e.message();
    }
    if (rows.empty()) {
        if (problem.isEmpty())
            problem =
                QStringLiteral("Ответов этого теста нет: рядом с файлом отчета нет файла «%1» "
                               "или в нем нет строк этого теста.")
                    .arg(QFileInfo(answers).fileName());
        QMessageBox::information(this, QStringLiteral("Ответы теста"), problem);
        return;
    }
    const QString heading =
        QStringLiteral("%1, %2 %3, %4 %: %5")
            .arg(r.studentName.isEmpty() ? QStringLiteral("(без имени)") : r.studentName, r.date,
                 r.time, r.percent, QDir::toNativeSeparators(answers));
    TestAnswersDialog(heading, rows, this).exec();
}

} // namespace kt
