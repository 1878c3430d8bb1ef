// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/BankValidation.h"

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

    // The problems found by the last check, shown per record.
    void setProblems(const std::vector<EditorProblem>& problems);

    // "A" to "E" for 1 to 5, the stored text otherwise.
    static QString rightLetter(const QString& stored);

private:
    BankDocument& m_doc;
    std::vector<QStringList> m_problems; // per row
};

} // namespace kt
