// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCompleter>
#include <QStringList>

class QLineEdit;
class QStringListModel;

namespace kt {

// Offers the names of a class list as the student types: every typed word
// must begin a word of the name, in any order and without regard to case,
// and with "е" standing for "ё", so "пет" finds «Иванов Пётр» as well as
// «Петрова Анна».
class NameCompleter : public QCompleter {
    Q_OBJECT
public:
    NameCompleter(QStringList names, QLineEdit* box);

    // The names the typed text would be offered.
    static QStringList matching(const QStringList& names, const QString& typed);

private:
    void refilter(const QString& typed);

    QStringList m_names;
    QStringListModel* m_shown;
};

} // namespace kt
