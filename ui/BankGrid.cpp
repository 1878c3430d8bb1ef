// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BankGrid.h"

#include "ui/BankGridModel.h"
#include "ui/layout/Look.h"

#include <QHeaderView>

namespace kt {

BankGrid::BankGrid(QWidget* parent) : QTableView(parent), m_model(new BankGridModel(this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setFont(makeFont(FontFamily::MsSansSerif, 6));
    QPalette colours = palette();
    colours.setColor(QPalette::Text, look::kBlack);
    setPalette(colours);
    setUpHeaders();
}

void BankGrid::setUpHeaders() {
    QHeaderView* top = horizontalHeader();
    top->setFont(makeFont(FontFamily::MsSansSerif, 8));
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setStretchLastSection(true);
    top->setHighlightSections(false);
    setColumnWidth(BankGridModel::CounterColumn, kCounterWidth);
    QHeaderView* side = verticalHeader();
    side->hide();
    // Fixed row heights let the view place a row without measuring the others.
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultSectionSize(fontMetrics().height() + 3);
}

void BankGrid::setBankRecords(std::shared_ptr<const CompactBank> records) {
    m_model->setCompactTable(std::move(records));
    m_model->fetchMore(QModelIndex());
    setColumnWidth(BankGridModel::CounterColumn, kCounterWidth);
}

void BankGrid::setBank(SharedBankTable records) {
    m_model->setTable(std::move(records));
    // The first rows at once, so the grid is never blank while it waits for
    // the view to ask; the rest follow as the list is scrolled.
    m_model->fetchMore(QModelIndex());
    // A reset forgets the column widths of the old table.
    setColumnWidth(BankGridModel::CounterColumn, kCounterWidth);
}

} // namespace kt
