#include "Bank.h"

#include "KtError.h"

namespace kt {

void Bank::Open() {
    try {
        m_table = m_source.Load();
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
    m_table.clear();
    m_table.shrink_to_fit();
    m_pos = 0;
}

int Bank::Count() {
    m_pos = m_table.empty() ? 0 : static_cast<int>(m_table.size()) - 1;
    return static_cast<int>(m_table.size());
}

void Bank::First() {
    m_pos = 0;
}

void Bank::MoveBy(int k) {
    if (m_table.empty() || k <= 0)
        return;
    const qint64 last = static_cast<qint64>(m_table.size()) - 1;
    m_pos = static_cast<int>(std::min<qint64>(last, static_cast<qint64>(m_pos) + k));
}

const BankRecord* Bank::current() const {
    if (!m_open || m_table.empty())
        return nullptr;
    return &m_table[static_cast<size_t>(m_pos)];
}

QString Bank::FieldText(int i) const {
    const BankRecord* r = current();
    if (!r || i < 0 || i >= FieldCountTotal)
        return {};
    return r->text[static_cast<size_t>(i)];
}

int Bank::FieldInteger(int i) const {
    const BankRecord* r = current();
    if (!r || i < 0 || i >= FieldCountTotal || r->isNull[static_cast<size_t>(i)])
        throw KtError(
            QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
    bool ok = false;
    const int v = r->text[static_cast<size_t>(i)].trimmed().toInt(&ok);
    if (!ok)
        throw KtError(
            QStringLiteral("Could not convert variant of type (String) into type (Integer)"));
    return v;
}

} // namespace kt
