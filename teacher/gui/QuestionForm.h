// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QButtonGroup;
class QLineEdit;

namespace kt {

class BankDocument;

// The form that edits one record: the question, the five answers, the
// right answer (one of A to E) and the subject. Every change goes to the
// document as an undoable edit; the form follows undo and redo.
class QuestionForm : public QWidget {
    Q_OBJECT
public:
    explicit QuestionForm(BankDocument& doc, QWidget* parent = nullptr);

    // The record shown; -1 empties and disables the form.
    void showRecord(int row);
    int row() const { return m_row; }
    // Puts the cursor into a field's editor (a BankField).
    void focusField(int field);
    QLineEdit* editorOf(int field) const;

private:
    void load();
    void edited(int field, const QString& text);

    BankDocument& m_doc;
    int m_row = -1;
    QLineEdit* m_question;
    std::array<QLineEdit*, 5> m_answers{};
    QButtonGroup* m_right;
    QLineEdit* m_subject;
};

} // namespace kt
