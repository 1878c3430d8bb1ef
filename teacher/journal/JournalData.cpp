// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalData.h"

#include <algorithm>

namespace kt {
namespace {

int intern(QStringList& list, QHash<QString, int>& index, const QString& text) {
    if (text.isEmpty())
        return -1;
    const auto found = index.constFind(text);
    if (found != index.constEnd())
        return *found;
    list.append(text);
    return *index.insert(text, int(list.size() - 1));
}

std::vector<int> internAll(QStringList& list, QHash<QString, int>& index,
                           const QStringList& texts) {
    std::vector<int> out;
    out.reserve(static_cast<size_t>(texts.size()));
    for (const QString& t : texts)
        out.push_back(intern(list, index, t));
    return out;
}

int remapped(const std::vector<int>& map, int i) {
    return i < 0 ? -1 : map[static_cast<size_t>(i)];
}

// "9:05:03", or "09:05:03" when the block wrote its hours so.
QString clockText(int seconds, bool twoDigitHour) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, twoDigitHour ? 2 : 1, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool sameTexts(const ReportEntry& a, const ReportEntry& b) {
    return a.percent == b.percent && a.date == b.date && a.time == b.time &&
           a.timeLeft == b.timeLeft && a.bankSize == b.bankSize && a.count == b.count &&
           a.from == b.from && a.to == b.to && a.minutes == b.minutes;
}

} // namespace

// Each value multiplied in: the bits that pick a slot depend on all of them,
// which a plain combination of small numbers does not give.
size_t JournalData::hashOf(const JournalRow& r) const {
    quint64 h = 0;
    const auto mix = [&h](qint64 v) {
        h = (h ^ static_cast<quint64>(v)) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    };
    for (int v : {r.name, r.percent, r.bankSize, r.count, r.from, r.to, r.minutes,
                  r.timeLeftSeconds, r.time.msecsSinceStartOfDay(), int(r.shape)})
        mix(v);
    mix(r.date.toJulianDay());
    return static_cast<size_t>(h);
}

// The numbers and the name are the block's values; a block that keeps its
// texts aside is the same only as another one that does, with those texts.
bool JournalData::sameValues(const JournalRow& a, const JournalRow& b) const {
    if (a.name != b.name || a.percent != b.percent || a.bankSize != b.bankSize ||
        a.count != b.count || a.from != b.from || a.to != b.to || a.minutes != b.minutes ||
        a.timeLeftSeconds != b.timeLeftSeconds || a.date != b.date || a.time != b.time ||
        a.shape != b.shape || (a.texts < 0) != (b.texts < 0))
        return false;
    return a.texts < 0 ||
           sameTexts(m_texts[static_cast<size_t>(a.texts)], m_texts[static_cast<size_t>(b.texts)]);
}

// Room for `rows` groups at most half full, set once before a file's rows:
// moving every group as the table grows would read the rows again.
void JournalData::reserveGroups(size_t rows) {
    size_t size = std::max<size_t>(1024, m_groups.size());
    while (size < 2 * rows)
        size *= 2;
    if (size == m_groups.size())
        return;
    std::vector<GroupSlot> old(size);
    m_groups.swap(old);
    const size_t mask = m_groups.size() - 1;
    for (const GroupSlot& slot : old)
        if (slot.row != 0) {
            size_t at = slot.hash & mask;
            while (m_groups[at].row != 0)
                at = (at + 1) & mask;
            m_groups[at] = slot;
        }
}

// The first row with the values of row `row`, which is the row itself
// when it is the first: then it is listed. A slot keeps the hash beside
// the row, so most rows passed over are never read.
int JournalData::groupOf(int row) {
    if (2 * (m_groupCount + 1) > m_groups.size())
        reserveGroups(m_groupCount + 1);
    const JournalRow& r = m_rows[static_cast<size_t>(row)];
    const auto hash = static_cast<quint32>(hashOf(r));
    const size_t mask = m_groups.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const GroupSlot slot = m_groups[at];
        if (slot.row == 0) {
            m_groups[at] = {row + 1, hash};
            ++m_groupCount;
            return row;
        }
        if (slot.hash == hash && sameValues(m_rows[static_cast<size_t>(slot.row - 1)], r))
            return slot.row - 1;
    }
}

// A copy found in another file may be the one whose answers name it.
void JournalData::addRepeat(JournalRow& row, const JournalRow& copy) {
    if (row.more < 0) {
        row.more = static_cast<int>(m_more.size());
        m_more.emplace_back();
    }
    m_more[static_cast<size_t>(row.more)].push_back(copy.first);
    if (row.title < 0 && copy.title >= 0) {
        row.title = copy.title;
        row.pc = copy.pc;
    }
    ++m_repeats;
}

void JournalData::takeNames(JournalFile& file) {
    std::vector<int> names;
    names.reserve(static_cast<size_t>(file.names.size()));
    for (const QString& n : file.names)
        names.push_back(m_names.intern(n));
    m_names.squeeze();
    const std::vector<int> titles = internAll(m_titles, m_titleIndex, file.titles);
    const std::vector<int> pcs = internAll(m_pcs, m_pcIndex, file.pcs);
    const int textBase = static_cast<int>(m_texts.size());
    m_texts.insert(m_texts.end(), file.texts.begin(), file.texts.end());
    const int fileNo = static_cast<int>(m_files.size()) - 1;
    for (JournalRow& r : file.rows) {
        r.name = names[static_cast<size_t>(r.name)];
        r.title = remapped(titles, r.title);
        r.pc = remapped(pcs, r.pc);
        r.texts = r.texts < 0 ? -1 : r.texts + textBase;
        r.first.file = fileNo;
    }
}

bool JournalData::addFile(const QString& path, JournalFile file) {
    if (m_files.contains(path))
        return false;
    m_files.append(path);
    for (const ReportDamage& d : file.damage)
        m_warnings.append(damageText(path, d));
    takeNames(file);
    const size_t start = m_rows.size();
    if (m_rows.empty())
        m_rows = std::move(file.rows); // a large file's rows are not copied
    else
        m_rows.insert(m_rows.end(), file.rows.begin(), file.rows.end());
    file.rows = {};
    // The k-th copy of a block in this file matches the k-th row of that
    // block, so a later copy of a report adds only the tests it has anew.
    // Rows new to the journal move down over the repeats, in order.
    std::vector<int> lastHere(m_rows.size(), -1); // by a block's first row
    reserveGroups(m_rows.size());
    size_t kept = start;
    for (size_t i = start; i < m_rows.size(); ++i) {
        const JournalRow row = m_rows[i];
        m_rows[kept] = row;
        const int self = static_cast<int>(kept);
        const int group = groupOf(self);
        const auto g = static_cast<size_t>(group);
        const int next = group == self     ? -1
                         : lastHere[g] < 0 ? group
                                           : m_rows[static_cast<size_t>(lastHere[g])].nextSame;
        if (next >= 0) {
            addRepeat(m_rows[static_cast<size_t>(next)], row);
            lastHere[g] = next;
            continue;
        }
        if (group != self)
            m_rows[static_cast<size_t>(lastHere[g])].nextSame = self;
        lastHere[g] = self;
        ++kept;
    }
    m_rows.resize(kept);
    m_when.reserve(kept);
    for (size_t i = m_when.size(); i < kept; ++i)
        m_when.push_back(m_rows[i].date.toJulianDay() * 86400000 +
                         m_rows[i].time.msecsSinceStartOfDay());
    return true;
}

bool JournalData::addReport(const QString& path, const ParsedReport& report,
                            const TestLabels& labels) {
    return !m_files.contains(path) && addFile(path, journalFileOf(report, labels));
}

void JournalData::clear() {
    *this = JournalData();
}

QString JournalData::text(const JournalRow& r, JournalField field) const {
    if (field == JournalField::Name)
        return nameOf(r).toString();
    if (r.texts >= 0)
        return reportTableRow(QString(), 0, m_texts[static_cast<size_t>(r.texts)])
            .value(static_cast<int>(field));
    switch (field) {
    case JournalField::Percent:
        return QString::number(r.percent);
    case JournalField::Date:
        return QStringLiteral("%1.%2.%3")
            .arg(r.date.day(), 2, 10, QLatin1Char('0'))
            .arg(r.date.month(), 2, 10, QLatin1Char('0'))
            .arg(r.date.year(), 4, 10, QLatin1Char('0'));
    case JournalField::Time:
        return clockText(r.time.msecsSinceStartOfDay() / 1000, r.shape & JournalRow::kTwoDigitHour);
    case JournalField::TimeLeft:
        return clockText(r.timeLeftSeconds, r.shape & JournalRow::kTwoDigitHourLeft);
    case JournalField::BankSize:
        return QString::number(r.bankSize);
    case JournalField::Count:
        return QString::number(r.count);
    case JournalField::From:
        return QString::number(r.from);
    case JournalField::To:
        return QString::number(r.to);
    default:
        return QString::number(r.minutes);
    }
}

ReportEntry JournalData::entryOf(const JournalRow& r) const {
    ReportEntry e;
    QString* texts[] = {&e.studentName, &e.percent, &e.date, &e.time, &e.timeLeft,
                        &e.bankSize,    &e.count,   &e.from, &e.to,   &e.minutes};
    for (int f = 0; f < 10; ++f)
        *texts[f] = text(r, static_cast<JournalField>(f + static_cast<int>(JournalField::Name)));
    return e;
}

std::vector<JournalSource> JournalData::sources(const JournalRow& r) const {
    std::vector<JournalSource> out{r.first};
    if (r.more >= 0) {
        const std::vector<JournalSource>& more = m_more[static_cast<size_t>(r.more)];
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

int JournalData::sourceCount(const JournalRow& r) const {
    return r.more < 0 ? 1 : 1 + static_cast<int>(m_more[static_cast<size_t>(r.more)].size());
}

bool JournalFilter::accepts(const JournalData& data, const JournalRow& row) const {
    if (!title.isEmpty() && data.titleOf(row) != title)
        return false;
    if (!name.isEmpty() && !data.nameOf(row).contains(name, Qt::CaseInsensitive))
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
