// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ClassStatusModel.h"

#include <QSet>
#include <algorithm>

namespace kt {

ClassStatusModel::ClassStatusModel(QObject* parent) : QAbstractTableModel(parent) {}

void ClassStatusModel::setStatuses(std::vector<PcStatus> statuses, const QDateTime& now) {
    m_all = std::move(statuses);
    m_now = now;
    refilter();
}

void ClassStatusModel::setTitleFilter(const QString& title) {
    m_title = title;
    refilter();
}

void ClassStatusModel::refilter() {
    beginResetModel();
    m_shown.clear();
    for (const PcStatus& s : m_all)
        if (m_title.isEmpty() || s.title == m_title)
            m_shown.push_back(s);
    endResetModel();
}

QStringList ClassStatusModel::titles() const {
    QSet<QString> seen;
    for (const PcStatus& s : m_all)
        if (!s.title.isEmpty())
            seen.insert(s.title);
    QStringList out(seen.begin(), seen.end());
    std::sort(out.begin(), out.end());
    return out;
}

QString ClassStatusModel::stateText(const QString& state) {
    if (state == u"start")
        return QStringLiteral("ждёт ученика");
    if (state == u"testing")
        return QStringLiteral("идёт тест");
    if (state == u"result")
        return QStringLiteral("тест завершён");
    return state;
}

int ClassStatusModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int ClassStatusModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

// A PC whose clock runs ahead of the teacher's shows 0 seconds, not less.
QString ClassStatusModel::cellText(const PcStatus& s, int column) const {
    switch (column) {
    case Pc:
        return s.pc;
    case Student:
        return s.student;
    case Title:
        return s.title;
    case State:
        return stateText(s.state);
    case Answered:
        return QStringLiteral("%1 из %2").arg(s.answered).arg(s.total);
    case Right:
        return QString::number(s.right);
    case Wrong:
        return QString::number(s.wrong);
    case TimeLeft:
        return s.timeLeft;
    case Age:
        return s.written.isValid()
                   ? QStringLiteral("%1 с").arg(std::max<qint64>(0, s.written.secsTo(m_now)))
                   : QString();
    }
    return QString();
}

QVariant ClassStatusModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return cellText(m_shown[static_cast<size_t>(index.row())], index.column());
}

QVariant ClassStatusModel::headerData(int section, Qt::Orientation o, int role) const {
    static const char* const kNames[ColumnCount] = {"ПК",        "Ученик",   "Название",
                                                    "Состояние", "Отвечено", "Верно",
                                                    "Неверно",   "Осталось", "Обновлено"};
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(kNames[section]);
}

} // namespace kt
