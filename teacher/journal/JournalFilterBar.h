// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/JournalData.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace kt {

// The journal's filter controls: a part of the name, a date range, the bank
// size, the number of questions and the test's title.
class JournalFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit JournalFilterBar(QWidget* parent = nullptr);
    JournalFilter filter() const;
    // Offers the bank sizes and question counts that the tests have; keeps the
    // current choice when it is still among them. Does not signal a change.
    void setChoices(const JournalData& journal);
    void reset();
    // The earliest and latest date of the tests the choices were set from;
    // invalid when there are none.
    QDate firstDate() const { return m_first; }
    QDate lastDate() const { return m_last; }

signals:
    void changed();

protected:
    // An unset date's calendar opens at the journal's tests, not at the
    // earliest date the control can hold.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDateEdit* addDate(const QString& name);
    QComboBox* addChoice(const QString& name);

    QLineEdit* m_name;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_bankSize;
    QComboBox* m_count;
    QComboBox* m_title;
    QDate m_first;
    QDate m_last;
};

} // namespace kt
