// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/LiveBankCheck.h"

#include <QAbstractListModel>

#include <functional>

namespace kt {

// The findings of the live check as a list, one line each: it follows the
// check change by change, so an edit touches only the rows it changes. The
// whole text of a long line is its tool tip.
class ProblemListModel : public QAbstractListModel, public LiveCheckListener {
public:
    // `onRecordProblems` hears which record's own problems changed.
    ProblemListModel(const LiveBankCheck& check, std::function<void(int row)> onRecordProblems,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void aboutToReset() override { beginResetModel(); }
    void wasReset() override { endResetModel(); }
    void aboutToInsert(int at, int count) override { beginInsertRows({}, at, at + count - 1); }
    void inserted() override { endInsertRows(); }
    void aboutToRemove(int at, int count) override { beginRemoveRows({}, at, at + count - 1); }
    void removed() override { endRemoveRows(); }
    void textsChanged(int first, int last) override;
    void recordProblemsChanged(int row) override {
        if (m_onRecordProblems)
            m_onRecordProblems(row);
    }

private:
    const LiveBankCheck& m_check;
    std::function<void(int)> m_onRecordProblems;
};

} // namespace kt
