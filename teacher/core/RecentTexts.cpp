// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/RecentTexts.h"

namespace kt {

QString RecentTexts::share(QStringView text) {
    for (const QString& s : m_texts)
        if (s == text)
            return s;
    if (m_texts.size() < kRemembered) {
        m_texts.push_back(text.toString());
        return m_texts.back();
    }
    m_texts[m_next] = text.toString();
    const QString kept = m_texts[m_next];
    m_next = (m_next + 1) % kRemembered;
    return kept;
}

} // namespace kt
