// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/QuestionTableModel.h"

#include "teacher/core/BankDocument.h"

#include <QBrush>
#include <QColor>

namespace kt {

QuestionTableModel::QuestionTableModel(BankDocument& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {
    connect(&doc, &BankDocument::recordChanged, this,
            [this](int row, int) { emit dataChanged(index(row, 0), index(row, ColCount - 1)); });
    // Row by row, so that one Insert or Delete in a large bank costs no
    // more than in a small one.
    connect(&doc, &BankDocument::recordAboutToBeInserted, this,
            [this](int row) { beginInsertRows({}, row, row); });
    connect(&doc, &BankDocument::recordInserted, this, [this] { endInsertRows(); });
    connect(&doc, &BankDocument::recordAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(&doc, &BankDocument::recordRemoved, this, [this] { endRemoveRows(); });
    connect(&doc, &BankDocument::recordsSwapped, this, [this](int row, int other) {
        emit dataChanged(index(row, 0), index(row, ColCount - 1));
        emit dataChanged(index(other, 0), index(other, ColCount - 1));
    });
    connect(&doc, &BankDocument::recordsReset, this, [this] {
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
    const bool problemsCell =
        index.column() == ColProblems && (role == Qt::DisplayRole || role == Qt::ToolTipRole);
    const QStringList problems =
        problemsCell && m_check ? m_check->recordProblems(index.row()) : QStringList();
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

void QuestionTableModel::recordProblemsChanged(int row) {
    if (row >= 0 && row < m_doc.size())
        emit dataChanged(index(row, ColProblems), index(row, ColProblems));
}

} // namespace kt
