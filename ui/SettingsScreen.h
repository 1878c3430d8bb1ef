// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BankGridModel.h"

#include <QFrame>

class QLabel;
class QPushButton;

namespace kt {

class BankGrid;
class CompactBank;
class UpDown;

// The settings screen: question count, minutes per question and the range of
// records to draw from, beside a read-only grid of the bank. It only shows the
// states it is given and reports the arrows and OK; the window turns those
// into the settings' rules and feeds the results back.
//
// The screen is 777 x 329; the window places it. OK is the screen's default
// button: Enter or Return pressed anywhere inside the screen confirms it, and
// the key goes no further, so a default button of a panel beneath is never
// pressed by it. Showing the screen moves the keyboard focus into it.
class SettingsScreen : public QFrame {
    Q_OBJECT
public:
    explicit SettingsScreen(QWidget* parent = nullptr);

    void setCountState(int position, int lower, int upper, const QString& text);
    void setTimeState(int position, int lower, int upper, const QString& text);
    void setFromState(int position, int lower, int upper, const QString& text);
    void setToState(int position, int lower, int upper, const QString& text);
    // The whole line, "Всего вопросов в базе - " and the size.
    void setBankSizeLine(const QString& text);
    // The records the grid lists while the bank is open, nullptr to empty it.
    void setBank(SharedBankTable records);
    void setBankRecords(std::shared_ptr<const CompactBank> records);

    UpDown* countControl() const { return m_count; }
    UpDown* timeControl() const { return m_time; }
    UpDown* fromControl() const { return m_from; }
    UpDown* toControl() const { return m_to; }
    QLabel* bankSizeLabel() const { return m_bankSize; }
    BankGrid* grid() const { return m_grid; }
    QPushButton* okButton() const { return m_ok; }

signals:
    void countArrow(int delta);
    void timeArrow(int delta);
    void fromArrow(int delta);
    void toArrow(int delta);
    void okClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildCountBox();
    void buildTimeBox();
    void buildRangeBox();
    void buildOkButton();

    UpDown* m_count = nullptr;
    UpDown* m_time = nullptr;
    UpDown* m_from = nullptr;
    UpDown* m_to = nullptr;
    QLabel* m_bankSize = nullptr;
    BankGrid* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace kt
