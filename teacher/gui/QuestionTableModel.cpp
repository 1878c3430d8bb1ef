// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/QuestionTableModel.h"

#include "teacher/core/BankDocument.h"

#include <QBrush>
#include <QColor>

namespace kt {
namespace {

// The row already says which record it is.
QString withoutRecordName(const QString& problem) {
    const qsizetype colon = problem.indexOf(QStringLiteral(": "));
    return problem.startsWith(QStringLiteral("Запись ")) && colon > 0 ? problem.mid(colon + 2)
                                                                      : problem;
}

} // namespace

QuestionTableModel::QuestionTableModel(BankDocument& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {
    connect(&doc, &BankDocument::recordChanged, this,
            [this](int row, int) { emit dataChanged(index(row, 0), index(row, ColCount - 1)); });
    connect(&doc, &BankDocument::layoutChanged, this, [this](int) {
        beginResetModel();
        endResetModel();
    });
}

int QuestionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_doc.size();
}

int QuestionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColCount;
}

QString QuestionTableModel::rightLetter(const QString& stored) {
    bool ok = false;
    const int k = stored.trimmed().toInt(&ok);
    if (ok && k >= 1 && k <= 5)
        return QString(QChar(u'A' + (k - 1)));
    return stored;
}

QVariant QuestionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_doc.size())
        return {};
    const BankRecord& r = m_doc.record(index.row());
    const auto row = static_cast<size_t>(index.row());
    const QStringList none;
    const QStringList& problems = row < m_problems.size() ? m_problems[row] : none;
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColCounter:
            return r.text[FieldCounter];
        case ColQuestion:
            return r.text[FieldQuestion];
        case ColRight:
            return rightLetter(r.text[FieldRightAnswer]);
        default:
            return problems.isEmpty() ? QString() : problems.join(QStringLiteral("; "));
        }
    }
    if (role == Qt::ToolTipRole && index.column() == ColProblems && !problems.isEmpty())
        return problems.join(QLatin1Char('\n'));
    if (role == Qt::ForegroundRole && index.column() == ColProblems)
        return QBrush(QColor(176, 0, 0));
    if (role == Qt::TextAlignmentRole && index.column() != ColQuestion &&
        index.column() != ColProblems)
        return int(Qt::AlignCenter);
    return {};
}

QVariant QuestionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1; // the record number the settings screen uses
    static const char* const kTitles[] = {"Счетчик", "Вопрос", "Ответ", "Проблемы"};
    return QString::fromUtf8(kTitles[section]);
}

void QuestionTableModel::setProblems(const std::vector<EditorProblem>& problems) {
    m_problems.assign(static_cast<size_t>(m_doc.size()), QStringList());
    for (const EditorProblem& p : problems)
        if (p.row >= 0 && p.row < m_doc.size())
            m_problems[static_cast<size_t>(p.row)] << withoutRecordName(p.text);
    emit dataChanged(index(0, ColProblems), index(std::max(0, m_doc.size() - 1), ColProblems));
}

} // namespace kt
