// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/TestAnswersDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kt {
namespace {

QString variantText(int variant) {
    return variant >= 1 && variant <= 5 ? QString(QChar(u'A' + variant - 1)) : QStringLiteral("—");
}

void fillRow(QTableWidget* table, int row, const TestAnswer& a) {
    const QStringList cells{QString::number(a.slot), QString::number(a.counter), a.question,
                            variantText(a.chosen),   variantText(a.key),         a.verdict};
    const bool wrong = a.verdict != u"верно";
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (wrong)
            item->setForeground(QColor(170, 30, 30));
        table->setItem(row, c, item);
    }
}

} // namespace

TestAnswersDialog::TestAnswersDialog(const QString& heading, const std::vector<TestAnswer>& answers,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ответы теста"));
    auto* table = new QTableWidget(int(answers.size()), 6, this);
    table->setObjectName(QStringLiteral("answersTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Счетчик"),
                                      QStringLiteral("Вопрос"), QStringLiteral("Выбран"),
                                      QStringLiteral("Верный"), QStringLiteral("Итог")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    for (size_t i = 0; i < answers.size(); ++i)
        fillRow(table, int(i), answers[i]);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(heading, this));
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
    resize(900, 500);
}

} // namespace kt
