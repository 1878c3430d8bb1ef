// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/QuestionForm.h"

#include "teacher/core/BankDocument.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace kt {
namespace {

constexpr int kTextLength = 255;
constexpr int kSubjectLength = 50;

QLineEdit* makeEdit(const QString& name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setClearButtonEnabled(false);
    return edit;
}

} // namespace

QuestionForm::QuestionForm(BankDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    auto* form = new QFormLayout(this);
    m_question = makeEdit(QStringLiteral("questionEdit"), kTextLength, this);
    form->addRow(QStringLiteral("&Вопрос:"), m_question);
    const QString letters = QStringLiteral("ABCDE");
    for (int k = 0; k < 5; ++k) {
        m_answers[static_cast<size_t>(k)] =
            makeEdit(QStringLiteral("answerEdit%1").arg(k + 1), kTextLength, this);
        form->addRow(QStringLiteral("Ответ %1:").arg(letters[k]),
                     m_answers[static_cast<size_t>(k)]);
    }
    auto* rightRow = new QHBoxLayout;
    m_right = new QButtonGroup(this);
    for (int k = 1; k <= 5; ++k) {
        auto* button = new QRadioButton(QString(letters[k - 1]), this);
        button->setObjectName(QStringLiteral("rightAnswer%1").arg(k));
        m_right->addButton(button, k);
        rightRow->addWidget(button);
    }
    rightRow->addStretch();
    form->addRow(QStringLiteral("Верный ответ:"), rightRow);
    m_subject = makeEdit(QStringLiteral("subjectEdit"), kSubjectLength, this);
    m_subject->setToolTip(QStringLiteral("Название теста; ученик видит предмет первой записи"));
    form->addRow(QStringLiteral("&Предмет:"), m_subject);

    for (int f = 0; f <= 5; ++f)
        connect(editorOf(f), &QLineEdit::textEdited, this,
                [this, f](const QString& text) { edited(f, text); });
    connect(m_subject, &QLineEdit::textEdited, this,
            [this](const QString& text) { edited(FieldSubject, text); });
    connect(m_right, &QButtonGroup::idClicked, this,
            [this](int k) { edited(FieldRightAnswer, QString::number(k)); });
    connect(&doc, &BankDocument::recordChanged, this, [this](int row, int) {
        if (row == m_row)
            load();
    });
    showRecord(-1);
}

QLineEdit* QuestionForm::editorOf(int field) const {
    if (field == FieldQuestion)
        return m_question;
    if (field >= 1 && field <= 5)
        return m_answers[static_cast<size_t>(field - 1)];
    return field == FieldSubject ? m_subject : nullptr;
}

void QuestionForm::showRecord(int row) {
    m_row = row >= 0 && row < m_doc.size() ? row : -1;
    setEnabled(m_row >= 0);
    load();
}

// Sets only what differs, so the cursor stays where the teacher types.
void QuestionForm::load() {
    const BankRecord empty;
    const BankRecord& r = m_row >= 0 ? m_doc.record(m_row) : empty;
    for (int f : {0, 1, 2, 3, 4, 5, int(FieldSubject)}) {
        QLineEdit* edit = editorOf(f);
        if (edit->text() != r.text[static_cast<size_t>(f)])
            edit->setText(r.text[static_cast<size_t>(f)]);
    }
    bool ok = false;
    const int k = r.text[FieldRightAnswer].trimmed().toInt(&ok);
    m_right->setExclusive(false);
    for (QAbstractButton* b : m_right->buttons())
        b->setChecked(ok && m_right->id(b) == k);
    m_right->setExclusive(true);
}

void QuestionForm::edited(int field, const QString& text) {
    if (m_row >= 0)
        m_doc.setField(m_row, field, text);
}

void QuestionForm::focusField(int field) {
    if (field == FieldRightAnswer) {
        m_right->button(1)->setFocus();
        return;
    }
    if (QLineEdit* edit = editorOf(field)) {
        edit->setFocus();
        edit->selectAll();
    }
}

} // namespace kt
