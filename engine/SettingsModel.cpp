#include "SettingsModel.h"

#include "TextFormats.h"

#include <algorithm>
#include <limits>

namespace kt {
namespace {

// The controls keep their limits and positions in signed 16 bits.
int to16(int v) {
    return std::clamp(v, static_cast<int>(std::numeric_limits<qint16>::min()),
                      static_cast<int>(std::numeric_limits<qint16>::max()));
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

// Limits set the wrong way round still bound the position between them.
void UpDownModel::SetPosition(int position) {
    const int lo = std::min(m_lower, m_upper);
    const int hi = std::max(m_lower, m_upper);
    m_position = std::clamp(to16(position), lo, hi);
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
    // "Up" moves towards the upper limit, also when it lies below the lower one.
    const int towardsUpper = m_upper >= m_lower ? 1 : -1;
    const int lo = std::min(m_lower, m_upper);
    const int hi = std::max(m_lower, m_upper);
    const int next = std::clamp(m_position + (delta > 0 ? towardsUpper : -towardsUpper), lo, hi);
    if (next == m_position)
        return false;
    m_position = next;
    m_text = groupedNumber(m_position);
    return true;
}

} // namespace kt
