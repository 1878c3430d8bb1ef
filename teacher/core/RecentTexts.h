// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace kt {

// Hands out one shared copy of each of the texts a bank repeats record
// after record (a subject, a right answer, the wording of a finding), so
// that a million records do not hold a million copies. It remembers the
// last few distinct texts only; an older one is copied afresh.
class RecentTexts {
public:
    QString share(QStringView text);

private:
    static constexpr size_t kRemembered = 16;
    std::vector<QString> m_texts;
    size_t m_next = 0; // the one replaced next once all places are taken
};

} // namespace kt
