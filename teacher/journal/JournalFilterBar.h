// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/JournalData.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace kt {

// The journal's filter controls: a part of the name, a date range, the bank
// size and the number of questions.
class JournalFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit JournalFilterBar(QWidget* parent = nullptr);
    JournalFilter filter() const;
    // Offers the bank sizes and question counts that the tests have; keeps the
    // current choice when it is still among them. Does not signal a change.
    void setChoices(const std::vector<JournalRow>& rows);
    void reset();

signals:
    void changed();

private:
    QDateEdit* addDate(const QString& name);
    QComboBox* addChoice(const QString& name);

    QLineEdit* m_name;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_bankSize;
    QComboBox* m_count;
};

} // namespace kt
