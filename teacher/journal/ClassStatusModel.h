// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/StatusFile.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <vector>

namespace kt {

// The live status of every PC of a class folder as a table: who sits at it,
// which test, how far it has gone and how long ago the PC last wrote. No
// widgets.
class ClassStatusModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Pc, Student, Title, State, Answered, Right, Wrong, TimeLeft, Age, ColumnCount };

    explicit ClassStatusModel(QObject* parent = nullptr);

    // The statuses read at `now` (UTC); only those of `title` when it is set.
    void setStatuses(std::vector<PcStatus> statuses, const QDateTime& now);
    void setTitleFilter(const QString& title);
    // Every title the PCs have written, sorted.
    QStringList titles() const;

    // "ждёт ученика", "идёт тест", "тест завершён"; the file's word otherwise.
    static QString stateText(const QString& state);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void refilter();
    QString cellText(const PcStatus& s, int column) const;

    std::vector<PcStatus> m_all;
    std::vector<PcStatus> m_shown;
    QString m_title;
    QDateTime m_now;
};

} // namespace kt
