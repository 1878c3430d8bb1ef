// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BankGridModel.h"

#include <QTableView>

namespace kt {

class BankGridModel;
class CompactBank;

// The read-only grid of the settings screen: "Счетчик" 47 pixels wide, then
// "Вопросы" over the rest, small cells under 8 pt titles.
class BankGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kCounterWidth = 47;

    explicit BankGrid(QWidget* parent = nullptr);

    // The records to list, or nullptr to empty the grid; the grid keeps its
    // share of them.
    void setBank(SharedBankTable records);
    void setBankRecords(std::shared_ptr<const CompactBank> records);
    BankGridModel* gridModel() const { return m_model; }

private:
    void setUpHeaders();

    BankGridModel* m_model;
};

} // namespace kt
