#pragma once

#include "BankGridModel.h"

#include <QTableView>

namespace kt {

// The read-only grid of the settings screen: "Счетчик" 47 pixels wide, then
// "Вопросы" over the rest, small cells under 8 pt titles.
class BankGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kCounterWidth = 47;

    explicit BankGrid(QWidget* parent = nullptr);

    // The records to list, or nullptr to empty the grid.
    void setBank(SharedBankTable records);
    BankGridModel* gridModel() const { return m_model; }

private:
    void setUpHeaders();

    BankGridModel* m_model;
};

} // namespace kt
