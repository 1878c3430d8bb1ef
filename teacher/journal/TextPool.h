// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <vector>

namespace kt {

// Texts kept once each, end to end in one buffer, and found by their value:
// a journal of a year's tests holds a class's few dozen names, not one
// string per test. Text is QString or QByteArray, View its view type.
template <typename Text, typename View> class TextPool {
public:
    // The text's number, from 0 in the order first given.
    int intern(View text) {
        if (2 * (size() + 1) > static_cast<int>(m_slots.size()))
            grow();
        for (size_t at = slotOf(text);; at = (at + 1) & (m_slots.size() - 1)) {
            const int held = m_slots[at];
            if (held == 0) {
                m_text.append(text);
                m_starts.push_back(m_text.size());
                m_slots[at] = size();
                return size() - 1;
            }
            if (this->at(held - 1) == text)
                return held - 1;
        }
    }
    View at(int i) const {
        const auto k = static_cast<size_t>(i);
        return View(m_text).sliced(m_starts[k], m_starts[k + 1] - m_starts[k]);
    }
    int size() const { return static_cast<int>(m_starts.size()) - 1; }
    void clear() { *this = TextPool(); }
    void squeeze() { m_text.squeeze(); }

private:
    size_t slotOf(View text) const { return qHash(text, 0) & (m_slots.size() - 1); }
    void grow() {
        std::vector<int> old(std::max<size_t>(16, m_slots.size() * 2), 0);
        m_slots.swap(old);
        for (int i = 0; i < size(); ++i) {
            size_t at = slotOf(this->at(i));
            while (m_slots[at] != 0)
                at = (at + 1) & (m_slots.size() - 1);
            m_slots[at] = i + 1;
        }
    }

    Text m_text;
    std::vector<qsizetype> m_starts{0};
    std::vector<int> m_slots; // a text's number + 1; 0 for a free slot
};

} // namespace kt
