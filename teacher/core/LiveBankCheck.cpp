// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/LiveBankCheck.h"

#include "bank/check/BankCheckParts.h"

#include <algorithm>

namespace kt {
namespace {

void insertSorted(std::vector<int>& rows, int row) {
    rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void eraseSorted(std::vector<int>& rows, int row) {
    const auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at != rows.end() && *at == row)
        rows.erase(at);
}

std::vector<qsizetype> positions(const std::vector<int>& rows) {
    return std::vector<qsizetype>(rows.begin(), rows.end());
}

// One record read as a table of one row.
class OneRecord final : public RecordTexts {
public:
    explicit OneRecord(const BankRecord& record) : m_record(record) {}
    qsizetype size() const override { return 1; }
    QStringView text(qsizetype, int field) const override {
        return m_record.text[static_cast<size_t>(field)];
    }
    bool isNull(qsizetype, int field) const override {
        return m_record.isNull[static_cast<size_t>(field)];
    }

private:
    const BankRecord& m_record;
};

} // namespace

LiveBankCheck::LiveBankCheck(BankCheckOptions options) : m_options(std::move(options)) {}

std::unique_ptr<LiveBankCheck::Kept> LiveBankCheck::keep(const BankRecord& record) {
    auto k = std::make_unique<Kept>();
    k->question = record.text[FieldQuestion];
    k->counter = record.text[FieldCounter];
    k->counterIsNull = record.isNull[FieldCounter];
    bool ok = false;
    k->counterValue = k->counter.toLongLong(&ok);
    k->counterIsNumber = ok && !k->counterIsNull;
    return k;
}

std::vector<RecordFinding> LiveBankCheck::checkAlone(const BankRows& records, int row) const {
    return checkRecordAlone(records, row, row == 0, m_options);
}

void LiveBankCheck::reset(const BankRows& records) {
    if (m_listener)
        m_listener->aboutToReset();
    start();
    reserve(records.size());
    for (const BankRecord& record : records)
        append(record, m_options);
    appended();
    if (m_listener)
        m_listener->wasReset();
}

void LiveBankCheck::start() {
    m_kept.clear();
    m_slots.clear();
    m_across.clear();
    m_questions.clear();
    m_sameQuestion.clear();
    m_counters.clear();
    m_sameCounter.clear();
    m_appendedCounters.clear();
    m_gapsKnown = false;
    m_shifts.clear();
}

void LiveBankCheck::reserve(qsizetype records) {
    m_kept.reserve(withRoomToGrow(static_cast<size_t>(std::max<qsizetype>(0, records))));
    m_questions.reserve(records);
}

void LiveBankCheck::append(const BankRecord& record, const BankCheckOptions& options) {
    const int row = static_cast<int>(m_kept.size());
    m_kept.push_back(keep(record));
    Kept& k = *m_kept.back();
    k.local = checkRecordAlone(OneRecord(record), 0, row == 0, options);
    for (RecordFinding& f : k.local)
        f.text = m_findingTexts.share(f.text);
    for (size_t f = 0; f < k.local.size(); ++f)
        m_slots.push_back({row, static_cast<int>(f)});
    indexQuestion(row);
    if (k.counterIsNumber)
        m_appendedCounters.emplace_back(k.counterValue, row);
}

void LiveBankCheck::appended() {
    m_slots.reserve(withRoomToGrow(m_slots.size()));
    countAppendedCounters();
    m_across = across();
}

// The counters of the appended records counted in one sort; a value two or
// more records carry makes its group at once.
void LiveBankCheck::countAppendedCounters() {
    std::sort(m_appendedCounters.begin(), m_appendedCounters.end());
    m_counters.reserve(withRoomToGrow(m_appendedCounters.size()));
    for (size_t i = 0; i < m_appendedCounters.size();) {
        size_t end = i;
        while (end < m_appendedCounters.size() &&
               m_appendedCounters[end].first == m_appendedCounters[i].first)
            ++end;
        const qint64 value = m_appendedCounters[i].first;
        m_counters.push_back({value, {static_cast<int>(end - i), m_appendedCounters[i].second}});
        if (end - i > 1) {
            Rows& rows = m_sameCounter[value];
            for (size_t j = i; j < end; ++j)
                rows.push_back(m_appendedCounters[j].second);
        }
        i = end;
    }
    m_appendedCounters = {};
    m_gapsKnown = false;
}

void LiveBankCheck::adopt(LiveBankCheck&& filled) {
    if (m_listener)
        m_listener->aboutToReset();
    m_kept = std::move(filled.m_kept);
    m_slots = std::move(filled.m_slots);
    m_questions = std::move(filled.m_questions);
    m_sameQuestion = std::move(filled.m_sameQuestion);
    m_counters = std::move(filled.m_counters);
    m_sameCounter = std::move(filled.m_sameCounter);
    m_shifts = std::move(filled.m_shifts);
    m_gapsKnown = false;
    m_across = across(); // by this check's own saved test
    filled.start();
    if (m_listener)
        m_listener->wasReset();
}

// Only what the edit changed is indexed again: taking a counter out of the
// sorted counts and putting it back moves half of them in a large bank.
void LiveBankCheck::changed(const BankRows& records, int row) {
    std::unique_ptr<Kept> fresh = keep(records[static_cast<size_t>(row)]);
    Kept& old = kept(row);
    const bool question = fresh->question != old.question;
    const bool counter = fresh->counter != old.counter || fresh->counterIsNull != old.counterIsNull;
    if (question)
        unindexQuestion(row);
    if (counter)
        unindexCounter(row);
    fresh->local = std::move(old.local);
    m_kept[static_cast<size_t>(row)] = std::move(fresh);
    if (question)
        indexQuestion(row);
    if (counter)
        indexCounter(row);
    recheck(records, row);
    refreshAcross();
}

void LiveBankCheck::inserted(const BankRows& records, int row) {
    m_kept.insert(m_kept.begin() + row, keep(records[static_cast<size_t>(row)]));
    shiftRows(row, +1);
    index(row);
    insertLocal(row, checkAlone(records, row));
    if (row == 0 && m_kept.size() > 1)
        recheck(records, 1); // no longer the first: its subject is not shown
    refreshAcross();
}

void LiveBankCheck::removed(const BankRows& records, int row) {
    removeLocal(row);
    unindex(row);
    m_kept.erase(m_kept.begin() + row);
    shiftRows(row + 1, -1);
    if (row == 0 && !m_kept.empty())
        recheck(records, 0); // the new first record: its subject is shown now
    refreshAcross();
}

void LiveBankCheck::swapped(const BankRows& records, int row, int other) {
    removeLocal(row);
    removeLocal(other);
    swapInGroups(row, other);
    std::swap(m_kept[static_cast<size_t>(row)], m_kept[static_cast<size_t>(other)]);
    // Checked afresh: one of them may have become the first record.
    insertLocal(std::min(row, other), checkAlone(records, std::min(row, other)));
    insertLocal(std::max(row, other), checkAlone(records, std::max(row, other)));
    refreshAcross();
}

std::pair<size_t, size_t> LiveBankCheck::slotsOf(int row) const {
    const auto less = [](const Slot& s, int r) { return s.row < r; };
    const auto first = std::lower_bound(m_slots.begin(), m_slots.end(), row, less);
    const auto last = std::lower_bound(first, m_slots.end(), row + 1, less);
    return {static_cast<size_t>(first - m_slots.begin()),
            static_cast<size_t>(last - m_slots.begin())};
}

// The findings are dropped only once their lines are gone: a view may read
// the lines it is told are about to go.
void LiveBankCheck::removeLocal(int row) {
    const auto [first, last] = slotsOf(row);
    if (first != last) {
        if (m_listener)
            m_listener->aboutToRemove(static_cast<int>(first), static_cast<int>(last - first));
        m_slots.erase(m_slots.begin() + static_cast<qsizetype>(first),
                      m_slots.begin() + static_cast<qsizetype>(last));
        if (m_listener)
            m_listener->removed();
    }
    kept(row).local.clear();
}

void LiveBankCheck::insertLocal(int row, std::vector<RecordFinding> findings) {
    const size_t at = slotsOf(row).first;
    const int n = static_cast<int>(findings.size());
    kept(row).local = std::move(findings);
    if (n > 0 && m_listener)
        m_listener->aboutToInsert(static_cast<int>(at), n);
    std::vector<Slot> added;
    for (int k = 0; k < n; ++k)
        added.push_back({row, k});
    m_slots.insert(m_slots.begin() + static_cast<qsizetype>(at), added.begin(), added.end());
    if (n > 0 && m_listener)
        m_listener->inserted();
    if (m_listener)
        m_listener->recordProblemsChanged(row);
}

// The record's own findings again: replaced when they differ, else only
// read anew (its counter, which names it, may have changed).
void LiveBankCheck::recheck(const BankRows& records, int row) {
    std::vector<RecordFinding> fresh = checkAlone(records, row);
    if (fresh != kept(row).local) {
        removeLocal(row);
        insertLocal(row, std::move(fresh));
        return;
    }
    const auto [first, last] = slotsOf(row);
    if (first != last && m_listener)
        m_listener->textsChanged(static_cast<int>(first), static_cast<int>(last) - 1);
}

// Records from `from` on moved by `delta`: the findings that name them and
// the groups that list them follow.
void LiveBankCheck::shiftRows(int from, int delta) {
    m_shifts.emplace_back(from, delta);
    const size_t start = slotsOf(from).first;
    for (size_t s = start; s < m_slots.size(); ++s)
        m_slots[s].row += delta;
    for (Rows& rows : m_sameQuestion)
        for (int& r : rows)
            r += r >= from ? delta : 0;
    for (Rows& rows : m_sameCounter)
        for (int& r : rows)
            r += r >= from ? delta : 0;
    if (start < m_slots.size() && m_listener)
        m_listener->textsChanged(static_cast<int>(start), static_cast<int>(m_slots.size()) - 1);
}

// Two records changed places: the groups that list them say so.
void LiveBankCheck::swapInGroups(int a, int b) {
    const auto remap = [a, b](Rows& rows) {
        for (int& r : rows)
            r = r == a ? b : (r == b ? a : r);
        std::sort(rows.begin(), rows.end());
    };
    const Kept& ka = kept(a);
    const Kept& kb = kept(b);
    if (auto it = m_sameQuestion.find(ka.question); it != m_sameQuestion.end())
        remap(*it);
    if (kb.question != ka.question)
        if (auto it = m_sameQuestion.find(kb.question); it != m_sameQuestion.end())
            remap(*it);
    if (auto it = m_sameCounter.find(ka.counterValue);
        ka.counterIsNumber && it != m_sameCounter.end())
        remap(*it);
    if (kb.counterValue != ka.counterValue || !ka.counterIsNumber)
        if (auto it = m_sameCounter.find(kb.counterValue);
            kb.counterIsNumber && it != m_sameCounter.end())
            remap(*it);
    followSwap(&m_questions[ka.question], a, b);
    if (kb.question != ka.question)
        followSwap(&m_questions[kb.question], a, b);
    if (ka.counterIsNumber)
        followSwap(&seenCounter(ka.counterValue), a, b);
    if (kb.counterIsNumber && (!ka.counterIsNumber || kb.counterValue != ka.counterValue))
        followSwap(&seenCounter(kb.counterValue), a, b);
}

void LiveBankCheck::followSwap(Seen* seen, int a, int b) {
    const int row = rowNow(*seen);
    remember(*seen, row == a ? b : (row == b ? a : row));
}

int LiveBankCheck::rowNow(const Seen& seen) const {
    int row = seen.row;
    for (size_t i = static_cast<size_t>(seen.epoch); i < m_shifts.size(); ++i)
        row += row >= m_shifts[i].first ? m_shifts[i].second : 0;
    return row;
}

void LiveBankCheck::remember(Seen& seen, int row) const {
    seen.row = row;
    seen.epoch = static_cast<int>(m_shifts.size());
}

// Every record, this one included, whose question (or counter) is the one
// of `like`.
LiveBankCheck::Rows LiveBankCheck::rowsWhere(bool sameQuestion, const Kept& like) const {
    Rows rows;
    for (size_t r = 0; r < m_kept.size(); ++r) {
        const Kept& k = *m_kept[r];
        if (sameQuestion ? k.question == like.question
                         : k.counterIsNumber && k.counterValue == like.counterValue)
            rows.push_back(static_cast<int>(r));
    }
    return rows;
}

void LiveBankCheck::index(int row) {
    indexQuestion(row);
    indexCounter(row);
}

void LiveBankCheck::unindex(int row) {
    unindexQuestion(row);
    unindexCounter(row);
}

// The two records that now share a question or a counter, in order. A
// row remembered before very many moves is looked for instead: following
// them all would take longer.
LiveBankCheck::Rows LiveBankCheck::pairOf(bool sameQuestion, const Kept& like, const Seen& one,
                                          int other) const {
    constexpr size_t kMostMoves = 4096;
    if (m_shifts.size() - static_cast<size_t>(one.epoch) > kMostMoves)
        return rowsWhere(sameQuestion, like);
    const int row = rowNow(one);
    return {std::min(row, other), std::max(row, other)};
}

void LiveBankCheck::indexQuestion(int row) {
    const Kept& k = kept(row);
    Seen& seen = m_questions[k.question];
    if (++seen.count == 1)
        remember(seen, row);
    else if (seen.count == 2)
        m_sameQuestion.insert(k.question, pairOf(true, k, seen, row));
    else
        insertSorted(m_sameQuestion[k.question], row);
}

void LiveBankCheck::indexCounter(int row) {
    const Kept& k = kept(row);
    if (!k.counterIsNumber)
        return;
    Seen& seen = seenCounter(k.counterValue);
    if (++seen.count == 1)
        remember(seen, row);
    else if (seen.count == 2)
        m_sameCounter.insert(k.counterValue, pairOf(false, k, seen, row));
    else
        insertSorted(m_sameCounter[k.counterValue], row);
}

// The one left of a group of two is remembered by its row.
void LiveBankCheck::unindexQuestion(int row) {
    const Kept& k = kept(row);
    const auto q = m_questions.find(k.question);
    const int n = --q->count;
    if (n == 0) {
        m_questions.erase(q);
        return;
    }
    const auto group = m_sameQuestion.find(k.question);
    if (n == 1) {
        remember(*q, group->front() == row ? group->back() : group->front());
        m_sameQuestion.erase(group);
    } else {
        eraseSorted(*group, row);
    }
}

void LiveBankCheck::unindexCounter(int row) {
    const Kept& k = kept(row);
    if (!k.counterIsNumber)
        return;
    Seen& seen = seenCounter(k.counterValue);
    const int n = --seen.count;
    if (n == 0) {
        forgetCounter(k.counterValue);
        return;
    }
    const auto group = m_sameCounter.find(k.counterValue);
    if (n == 1) {
        remember(seen, group->front() == row ? group->back() : group->front());
        m_sameCounter.erase(group);
    } else {
        eraseSorted(*group, row);
    }
}

// The entry of a counter value, made when no record has carried it.
LiveBankCheck::Seen& LiveBankCheck::seenCounter(qint64 value) {
    auto at = std::lower_bound(m_counters.begin(), m_counters.end(), value, valueBelow);
    if (at == m_counters.end() || at->value != value) {
        at = m_counters.insert(at, {value, {}});
        m_gapsKnown = false;
    }
    return at->seen;
}

void LiveBankCheck::forgetCounter(qint64 value) {
    const auto at = std::lower_bound(m_counters.begin(), m_counters.end(), value, valueBelow);
    m_counters.erase(at);
    m_gapsKnown = false;
}

QString LiveBankCheck::counterGaps() const {
    if (m_gapsKnown)
        return m_gaps;
    const auto positive =
        std::lower_bound(m_counters.begin(), m_counters.end(), qint64(1), valueBelow);
    const qint64 largest = m_counters.empty() ? 0 : m_counters.back().value;
    m_gaps.clear();
    if (largest > 0 && largest != m_counters.end() - positive) { // else 1 to the largest, all there
        std::vector<qint64> values;
        values.reserve(static_cast<size_t>(m_counters.end() - positive));
        for (auto it = positive; it != m_counters.end(); ++it)
            values.push_back(it->value);
        m_gaps = counterGapsText(values);
    }
    m_gapsKnown = true;
    return m_gaps;
}

// The findings across records, in the order the check of the whole bank
// gives them.
std::vector<EditorProblem> LiveBankCheck::across() const {
    if (m_kept.empty())
        return {{QStringLiteral("В базе нет ни одной записи"), -1, -1, true, false}};
    std::vector<EditorProblem> out;
    std::vector<std::pair<int, const Rows*>> groups;
    for (auto it = m_sameQuestion.cbegin(); it != m_sameQuestion.cend(); ++it)
        groups.emplace_back(it->front(), &*it);
    std::sort(groups.begin(), groups.end());
    for (const auto& [first, rows] : groups)
        out.push_back({duplicateQuestionText(positions(*rows), kept(first).question), first,
                       FieldQuestion, false, false});
    const QString few = fewQuestionsText(m_questions.size(), m_options.savedTest);
    if (!few.isEmpty())
        out.push_back({few, -1, -1, false, false});
    const QString leftOut =
        rangeLeavesOutText(static_cast<qsizetype>(m_kept.size()), m_options.savedTest);
    if (!leftOut.isEmpty())
        out.push_back({leftOut, -1, -1, false, false});
    std::vector<qint64> same(m_sameCounter.keyBegin(), m_sameCounter.keyEnd());
    std::sort(same.begin(), same.end());
    for (qint64 v : same)
        out.push_back({sameCounterText(positions(m_sameCounter.value(v)), v), -1, -1, false, true});
    const QString gaps = counterGaps();
    if (!gaps.isEmpty())
        out.push_back({gaps, -1, -1, false, true});
    return out;
}

void LiveBankCheck::setSavedTest(const std::optional<SavedTest>& test) {
    m_options.savedTest = test;
    refreshAcross();
}

void LiveBankCheck::refreshAcross() {
    std::vector<EditorProblem> fresh = across();
    if (fresh == m_across)
        return;
    std::vector<int> rows;
    for (const std::vector<EditorProblem>* list : {&m_across, &fresh})
        for (const EditorProblem& p : *list)
            if (p.row >= 0)
                rows.push_back(p.row);
    replaceAcross(std::move(fresh));
    for (int row : rows)
        if (m_listener)
            m_listener->recordProblemsChanged(row);
}

// Only the lines between what the old and the new list share at their
// start and at their end change, read anew where there is a line on both
// sides: a view lays out all its lines again after every removal.
void LiveBankCheck::replaceAcross(std::vector<EditorProblem> fresh) {
    const auto oldSize = static_cast<int>(m_across.size());
    const auto newSize = static_cast<int>(fresh.size());
    int head = 0;
    while (head < std::min(oldSize, newSize) && m_across[head] == fresh[head])
        ++head;
    int tail = 0;
    while (tail < std::min(oldSize, newSize) - head &&
           m_across[oldSize - 1 - tail] == fresh[newSize - 1 - tail])
        ++tail;
    const int at = static_cast<int>(m_slots.size()) + head;
    const int both = std::min(oldSize, newSize) - head - tail;
    const int gone = oldSize - head - tail - both;
    const int added = newSize - head - tail - both;
    if (gone > 0 && m_listener)
        m_listener->aboutToRemove(at + both, gone);
    m_across.erase(m_across.begin() + head + both, m_across.begin() + head + both + gone);
    if (gone > 0 && m_listener)
        m_listener->removed();
    std::copy(fresh.begin() + head, fresh.begin() + head + both, m_across.begin() + head);
    if (added > 0 && m_listener)
        m_listener->aboutToInsert(at + both, added);
    m_across.insert(m_across.begin() + head + both, fresh.begin() + head + both,
                    fresh.begin() + head + both + added);
    if (added > 0 && m_listener)
        m_listener->inserted();
    if (both > 0 && m_listener)
        m_listener->textsChanged(at, at + both - 1);
}

EditorProblem LiveBankCheck::problem(int index) const {
    if (index >= static_cast<int>(m_slots.size()))
        return m_across.at(static_cast<size_t>(index) - m_slots.size());
    const Slot& s = m_slots[static_cast<size_t>(index)];
    const Kept& k = kept(s.row);
    const RecordFinding& f = k.local[static_cast<size_t>(s.k)];
    return {recordName(s.row, k.counter, k.counterIsNull) + QStringLiteral(": ") + f.text, s.row,
            bankFieldIndex(f.field), f.severity == CheckSeverity::Error,
            f.severity == CheckSeverity::Warning};
}

std::vector<EditorProblem> LiveBankCheck::all() const {
    std::vector<EditorProblem> out;
    out.reserve(static_cast<size_t>(count()));
    for (int i = 0; i < count(); ++i)
        out.push_back(problem(i));
    return out;
}

QStringList LiveBankCheck::recordProblems(int row) const {
    QStringList out;
    if (row < 0 || row >= static_cast<int>(m_kept.size()))
        return out;
    for (const RecordFinding& f : kept(row).local)
        out << f.text;
    for (const EditorProblem& p : m_across)
        if (p.row == row)
            out << p.text;
    return out;
}

} // namespace kt
