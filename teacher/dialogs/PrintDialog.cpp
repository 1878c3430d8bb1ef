// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/dialogs/PrintDialog.h"

#include <QList>
#include <QPrintDialog>

namespace kt {
namespace {

QList<PrintDialog::Answer>& nextAnswers() {
    static QList<PrintDialog::Answer> answers;
    return answers;
}

} // namespace

bool PrintDialog::choose(QPrinter& printer, QWidget* parent) {
    if (!nextAnswers().isEmpty())
        return nextAnswers().takeFirst()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialog::setNextAnswer(Answer answer) {
    nextAnswers().append(std::move(answer));
}

} // namespace kt
