// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SettingsModel.h"

#include "engine/TextFormats.h"

#include <algorithm>
#include <limits>

namespace kt {
namespace {

// The controls keep their limits and positions in signed 16 bits.
int to16(int v) {
    return std::clamp(v, static_cast<int>(std::numeric_limits<qint16>::min()),
                      static_cast<int>(std::numeric_limits<qint16>::max()));
}

// When the upper limit falls below the lower one (a bank smaller than the
// question count), the lower limit wins: a record number never drops below 1.
int clampTo(int v, int lower, int upper) {
    return std::clamp(to16(v), lower, std::max(lower, upper));
}

} // namespace

int UpDownModel::textValue() const {
    QString digits;
    for (QChar c : m_text)
        if (c.isDigit() || (c == QLatin1Char('-') && digits.isEmpty()))
            digits.append(c);
    bool ok = false;
    const int v = digits.toInt(&ok);
    return ok ? v : 0;
}

void UpDownModel::SetPosition(int position) {
    m_position = clampTo(position, m_lower, m_upper);
    m_text = groupedNumber(m_position);
}

void UpDownModel::SetLower(int lower) {
    m_lower = to16(lower);
}

void UpDownModel::SetUpper(int upper) {
    m_upper = to16(upper);
}

bool UpDownModel::Step(int delta) {
    if (delta == 0)
        return false;
    const int next = clampTo(m_position + (delta > 0 ? 1 : -1), m_lower, m_upper);
    if (next == m_position)
        return false;
    m_position = next;
    m_text = groupedNumber(m_position);
    return true;
}

} // namespace kt
