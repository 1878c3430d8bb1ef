// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Bank.h"

#include "bank/KtError.h"

namespace kt {

void Bank::Open() {
    try {
        m_table = m_source.LoadCompact();
    } catch (const BankOpenError&) {
        throw;
    } catch (const KtError& e) {
        throw BankOpenError(e.message());
    }
    m_open = true;
    m_pos = 0;
}

void Bank::Close() {
    m_open = false;
    m_table.reset();
    m_pos = 0;
}

const CompactBank& Bank::records() const {
    static const CompactBank kNone;
    return m_table ? *m_table : kNone;
}

int Bank::Count() {
    const qsizetype n = records().size();
    m_pos = n == 0 ? 0 : static_cast<int>(n) - 1;
    return static_cast<int>(n);
}

void Bank::First() {
    m_pos = 0;
}

void Bank::MoveBy(int k) {
    if (records().empty() || k <= 0)
        return;
    const qint64 last = static_cast<qint64>(records().size()) - 1;
    m_pos = static_cast<int>(std::min<qint64>(last, static_cast<qint64>(m_pos) + k));
}

bool Bank::onRecord() const {
    return m_open && !records().empty();
}

QString Bank::FieldText(int i) const {
    if (!onRecord() || i < 0 || i >= FieldCountTotal)
        return {};
    return records().text(m_pos, i);
}

int Bank::FieldInteger(int i) const {
    if (!onRecord() || i < 0 || i >= FieldCountTotal || records().isNull(m_pos, i))
        throw KtError(
            QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
    bool ok = false;
    const int v = records().text(m_pos, i).trimmed().toInt(&ok);
    if (!ok)
        throw KtError(
            QStringLiteral("Could not convert variant of type (String) into type (Integer)"));
    return v;
}

} // namespace kt
