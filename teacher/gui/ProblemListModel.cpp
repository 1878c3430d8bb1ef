// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/ProblemListModel.h"

#include <QBrush>
#include <QColor>

namespace kt {

ProblemListModel::ProblemListModel(const LiveBankCheck& check,
                                   std::function<void(int row)> onRecordProblems, QObject* parent)
    : QAbstractListModel(parent), m_check(check), m_onRecordProblems(std::move(onRecordProblems)) {}

int ProblemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_check.count();
}

QVariant ProblemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_check.count())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::ForegroundRole)
        return {};
    const EditorProblem p = m_check.problem(index.row());
    if (role != Qt::ForegroundRole)
        return p.text;
    if (p.fatal)
        return QBrush(QColor(176, 0, 0));
    if (p.warning)
        return QBrush(QColor(96, 96, 96));
    return {};
}

void ProblemListModel::textsChanged(int first, int last) {
    emit dataChanged(index(first), index(last)); // a line's colour may change with it
}

} // namespace kt
