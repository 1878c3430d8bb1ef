// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/LiveBankCheck.h"

#include <QAbstractTableModel>

namespace kt {

class BankDocument;

// The questions as a table: counter, question, right answer letter and the
// record's problems. Read-only; edits go through the form.
class QuestionTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColCounter, ColQuestion, ColRight, ColProblems, ColCount };

    explicit QuestionTableModel(BankDocument& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Where the records' problems are read; the cell of `row` is drawn anew
    // when they change.
    void setProblemSource(const LiveBankCheck* check) { m_check = check; }
    void recordProblemsChanged(int row);

    // "A" to "E" for 1 to 5, the stored text otherwise.
    static QString rightLetter(const QString& stored);

private:
    BankDocument& m_doc;
    const LiveBankCheck* m_check = nullptr;
};

} // namespace kt
