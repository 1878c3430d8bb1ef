// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalData.h"

#include <algorithm>

namespace kt {
namespace {

size_t blockHash(const ReportEntry& e) {
    return qHashMulti(0, e.studentName, e.percent, e.date, e.time, e.timeLeft, e.bankSize, e.count,
                      e.from, e.to, e.minutes);
}

bool sameBlock(const ReportEntry& a, const ReportEntry& b) {
    return a.studentName == b.studentName && a.percent == b.percent && a.date == b.date &&
           a.time == b.time && a.timeLeft == b.timeLeft && a.bankSize == b.bankSize &&
           a.count == b.count && a.from == b.from && a.to == b.to && a.minutes == b.minutes;
}

// Seconds of "h:mm:ss", which the parser has checked.
int secondsOf(const QString& hms) {
    const QStringView v(hms);
    const qsizetype h = v.indexOf(u':');
    if (h < 1 || v.size() != h + 6)
        return 0;
    return v.first(h).toInt() * 3600 + v.sliced(h + 1, 2).toInt() * 60 + v.sliced(h + 4, 2).toInt();
}

} // namespace

JournalRow journalRow(ReportEntry entry) {
    JournalRow r;
    r.entry = std::move(entry);
    const ReportEntry& e = r.entry;
    r.percent = e.percent.toInt();
    r.bankSize = e.bankSize.toInt();
    r.count = e.count.toInt();
    r.from = e.from.toInt();
    r.to = e.to.toInt();
    r.minutes = e.minutes.toInt();
    r.timeLeftSeconds = secondsOf(e.timeLeft);
    // The parser has checked the form "07.12.2026"; a general date parser
    // would cost more than the rest of the row.
    const QStringView d(e.date);
    r.date = QDate(d.mid(6, 4).toInt(), d.mid(3, 2).toInt(), d.mid(0, 2).toInt());
    r.time = QTime::fromMSecsSinceStartOfDay(secondsOf(e.time) * 1000);
    return r;
}

int JournalData::intern(QStringList& list, QHash<QString, int>& index, const QString& text) {
    if (text.isEmpty())
        return -1;
    const auto found = index.constFind(text);
    if (found != index.constEnd())
        return *found;
    list.append(text);
    return *index.insert(text, int(list.size() - 1));
}

// A copy found in another file may be the one whose answers file names it.
void JournalData::label(JournalRow& row, const TestLabels& labels) {
    if (row.title >= 0 || labels.isEmpty())
        return;
    const ReportEntry& e = row.entry;
    const TestLabel found = labels.find(e.date, e.time, e.studentName);
    row.title = intern(m_titles, m_titleIndex, found.title);
    row.pc = intern(m_pcs, m_pcIndex, found.pc);
}

bool JournalData::addReport(const QString& path, ParsedReport report, const TestLabels& labels) {
    if (m_files.contains(path))
        return false;
    const int file = static_cast<int>(m_files.size());
    m_files.append(path);
    for (const ReportDamage& d : report.damage)
        m_warnings.append(damageText(path, d));
    m_rows.reserve(m_rows.size() + report.entries.size());
    // The k-th copy of a block in this file matches the k-th row of that
    // block, so a later copy of a report adds only the tests it has anew.
    QHash<size_t, size_t> seenHere; // by the first row of each block's rows
    int number = 0;
    for (ReportEntry& e : report.entries) {
        const JournalSource source{file, ++number};
        std::vector<std::vector<size_t>>& groups = m_rowsByHash[blockHash(e)];
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& rows) {
            return sameBlock(m_rows[rows.front()].entry, e);
        });
        if (group == groups.end()) {
            groups.emplace_back();
            group = groups.end() - 1;
        }
        const size_t k = group->empty() ? 0 : seenHere[group->front()]++;
        if (k < group->size()) {
            m_rows[(*group)[k]].sources.push_back(source);
            label(m_rows[(*group)[k]], labels);
            ++m_repeats;
            continue;
        }
        if (group->empty())
            seenHere[m_rows.size()] = 1;
        group->push_back(m_rows.size());
        m_rows.push_back(journalRow(std::move(e)));
        m_rows.back().sources.push_back(source);
        label(m_rows.back(), labels);
    }
    return true;
}

void JournalData::clear() {
    m_rows.clear();
    m_files.clear();
    m_warnings.clear();
    m_rowsByHash.clear();
    m_repeats = 0;
    m_titles.clear();
    m_pcs.clear();
    m_titleIndex.clear();
    m_pcIndex.clear();
}

bool JournalFilter::accepts(const JournalData& data, const JournalRow& row) const {
    if (!title.isEmpty() && data.titleOf(row) != title)
        return false;
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
           count == o.count && title == o.title;
}

} // namespace kt
