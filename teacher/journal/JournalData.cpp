#include "JournalData.h"

namespace kt {
namespace {

// The ten values of a block joined by line feeds, which no value holds.
QString blockKey(const ReportEntry& e) {
    const QChar sep = u'\n';
    return e.studentName + sep + e.percent + sep + e.date + sep + e.time + sep + e.timeLeft + sep +
           e.bankSize + sep + e.count + sep + e.from + sep + e.to + sep + e.minutes;
}

int secondsOf(const QString& hms) {
    const QStringList parts = hms.split(u':');
    if (parts.size() != 3)
        return 0;
    return parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt();
}

} // namespace

JournalRow journalRow(const ReportEntry& entry) {
    JournalRow r;
    r.entry = entry;
    r.percent = entry.percent.toInt();
    r.bankSize = entry.bankSize.toInt();
    r.count = entry.count.toInt();
    r.from = entry.from.toInt();
    r.to = entry.to.toInt();
    r.minutes = entry.minutes.toInt();
    r.timeLeftSeconds = secondsOf(entry.timeLeft);
    // The parser has checked the form "07.12.2026"; a general date parser
    // would cost more than the rest of the row.
    const QStringView d(entry.date);
    r.date = QDate(d.mid(6, 4).toInt(), d.mid(3, 2).toInt(), d.mid(0, 2).toInt());
    r.time = QTime::fromMSecsSinceStartOfDay(secondsOf(entry.time) * 1000);
    return r;
}

bool JournalData::addReport(const QString& path, const ParsedReport& report) {
    if (m_files.contains(path))
        return false;
    const int file = static_cast<int>(m_files.size());
    m_files.append(path);
    for (const ReportDamage& d : report.damage)
        m_warnings.append(damageText(path, d));
    // The k-th copy of a block in this file matches the k-th row of that
    // block, so a later copy of a report adds only the tests it has anew.
    QHash<QString, size_t> seenHere;
    int number = 0;
    for (const ReportEntry& e : report.entries) {
        const QString key = blockKey(e);
        const size_t k = seenHere[key]++;
        std::vector<size_t>& same = m_rowsByBlock[key];
        const JournalSource source{file, ++number};
        if (k < same.size()) {
            m_rows[same[k]].sources.push_back(source);
            ++m_repeats;
            continue;
        }
        same.push_back(m_rows.size());
        m_rows.push_back(journalRow(e));
        m_rows.back().sources.push_back(source);
    }
    return true;
}

void JournalData::clear() {
    m_rows.clear();
    m_files.clear();
    m_warnings.clear();
    m_rowsByBlock.clear();
    m_repeats = 0;
}

bool JournalFilter::accepts(const JournalRow& row) const {
    if (!name.isEmpty() && !row.entry.studentName.contains(name, Qt::CaseInsensitive))
        return false;
    if ((from.isValid() && row.date < from) || (to.isValid() && row.date > to))
        return false;
    if (bankSize >= 0 && row.bankSize != bankSize)
        return false;
    return count < 0 || row.count == count;
}

bool JournalFilter::operator==(const JournalFilter& o) const {
    return name == o.name && from == o.from && to == o.to && bankSize == o.bankSize &&
           count == o.count;
}

} // namespace kt
