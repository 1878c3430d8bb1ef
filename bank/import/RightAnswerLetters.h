// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

namespace kt {

// "ВернОтв" as a teacher writes it: the number 1-5 or the variant's letter,
// Cyrillic А-Д or Latin A-E in either case. 0 when it is neither.
int rightAnswerNumber(const QString& value);

// Latin B looks exactly like Cyrillic В yet means variant 2, not 3 (and C,
// E like С, Е, which are no variant at all), so a column that takes its
// letters from both alphabets was typed partly in the other keyboard layout
// and cannot be read as meant. This collects the alphabet of each letter
// and names the rows written in the rarer one, with both readings.
class RightAnswerLetters {
public:
    struct Mixed {
        int line = 0;
        QString text;
    };

    void add(int line, const QString& value);
    // Empty while the column keeps to one alphabet. At most the first
    // thousand rows of the rarer alphabet are named.
    std::vector<Mixed> mixed() const;

private:
    struct Letter {
        int line = 0;
        QChar letter;
    };
    std::vector<Letter> m_latin;
    std::vector<Letter> m_cyrillic;
    qint64 m_latinCount = 0;
    qint64 m_cyrillicCount = 0;
};

} // namespace kt
