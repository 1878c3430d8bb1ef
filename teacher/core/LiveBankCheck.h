// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/BankValidation.h"
#include "teacher/core/RecentTexts.h"

#include <QHash>
#include <QStringList>
#include <memory>

#include <utility>
#include <vector>

namespace kt {

// Follows the list of findings change by change, as an item model does:
// each change is announced before it is made and reported after.
class LiveCheckListener {
public:
    virtual ~LiveCheckListener() = default;
    virtual void aboutToReset() = 0;
    virtual void wasReset() = 0;
    virtual void aboutToInsert(int at, int count) = 0;
    virtual void inserted() = 0;
    virtual void aboutToRemove(int at, int count) = 0;
    virtual void removed() = 0;
    // Findings first to last read differently: the records they name moved,
    // or a finding across records took the place of another.
    virtual void textsChanged(int first, int last) = 0;
    // The findings shown on this record changed.
    virtual void recordProblemsChanged(int row) = 0;
};

// The bank's check kept up to date edit by edit: a change checks the
// changed record again and updates what is compared across records (which
// records share a question, the counters) by the difference, so that one
// keystroke costs the same in a bank of ten records and of a million. The
// findings are those of validateBank, in its order.
class LiveBankCheck {
public:
    explicit LiveBankCheck(BankCheckOptions options = {});
    void setListener(LiveCheckListener* listener) { m_listener = listener; }

    // Each takes the records as they are after the change.
    void reset(const BankRows& records);
    // A check filled record by record as a bank is read: start(), append()
    // for each record in turn, then appended(). `options` are those to
    // check the record with, fit measurements included.
    void start();
    void reserve(qsizetype records);
    void append(const BankRecord& record, const BankCheckOptions& options);
    void appended();
    // Takes over what `filled` found; the listener sees one reset. This
    // check keeps its own options.
    void adopt(LiveBankCheck&& filled);
    void changed(const BankRows& records, int row);
    void inserted(const BankRows& records, int row);
    void removed(const BankRows& records, int row);
    void swapped(const BankRows& records, int row, int other);
    // The test the settings file beside the bank sets up, or none; the
    // findings across records follow it at once.
    void setSavedTest(const std::optional<SavedTest>& test);

    int count() const { return static_cast<int>(m_slots.size() + m_across.size()); }
    EditorProblem problem(int index) const;
    std::vector<EditorProblem> all() const;
    // The findings placed on the record, without the record's name.
    QStringList recordProblems(int row) const;

private:
    struct Kept {
        QString question;
        QString counter;
        bool counterIsNull = true;
        bool counterIsNumber = false;
        qint64 counterValue = 0;
        std::vector<RecordFinding> local;
    };
    struct Slot {
        int row;
        int k;
    };
    // How many records carry a question or a counter, and the row of one
    // of them as it was after the first `epoch` moves of m_shifts: the
    // group of two is then made without looking through the bank.
    struct Seen {
        int count = 0;
        int row = -1;
        int epoch = 0;
    };
    struct CounterSeen {
        qint64 value;
        Seen seen;
    };
    // The order m_counters is kept in, for a search by value.
    static bool valueBelow(const CounterSeen& c, qint64 value) { return c.value < value; }
    using Rows = std::vector<int>;

    static std::unique_ptr<Kept> keep(const BankRecord& record);
    Kept& kept(int row) { return *m_kept[static_cast<size_t>(row)]; }
    const Kept& kept(int row) const { return *m_kept[static_cast<size_t>(row)]; }
    std::vector<RecordFinding> checkAlone(const BankRows& records, int row) const;
    // The span of the record's findings in m_slots.
    std::pair<size_t, size_t> slotsOf(int row) const;
    void removeLocal(int row);
    void insertLocal(int row, std::vector<RecordFinding> findings);
    void recheck(const BankRows& records, int row);
    void shiftRows(int from, int delta);
    void swapInGroups(int a, int b);
    void index(int row);
    void unindex(int row);
    void indexQuestion(int row);
    void indexCounter(int row);
    void unindexQuestion(int row);
    void unindexCounter(int row);
    Seen& seenCounter(qint64 value);
    void forgetCounter(qint64 value);
    void countAppendedCounters();
    Rows rowsWhere(bool sameQuestion, const Kept& like) const;
    Rows pairOf(bool sameQuestion, const Kept& like, const Seen& one, int other) const;
    int rowNow(const Seen& seen) const;
    void remember(Seen& seen, int row) const;
    void followSwap(Seen* seen, int a, int b);
    std::vector<EditorProblem> across() const;
    QString counterGaps() const;
    void refreshAcross();
    void replaceAcross(std::vector<EditorProblem> fresh);

    BankCheckOptions m_options;
    LiveCheckListener* m_listener = nullptr;
    // One a record, each in its own allocation: an Insert in the middle
    // moves handles only.
    std::vector<std::unique_ptr<Kept>> m_kept;
    std::vector<Slot> m_slots; // every record's own findings, in order
    std::vector<EditorProblem> m_across;
    QHash<QString, Seen> m_questions;    // per distinct question
    QHash<QString, Rows> m_sameQuestion; // the records of each question two or more share
    std::vector<CounterSeen> m_counters; // per counter value, sorted
    QHash<qint64, Rows> m_sameCounter;
    // While a bank is appended: each record's counter and row, sorted once
    // at the end (a sorted insert each would move half the list).
    std::vector<std::pair<qint64, int>> m_appendedCounters;
    // Most findings of a bank are worded alike: one copy of each wording.
    RecentTexts m_findingTexts;
    // Where each Insert and Delete since the check was filled moved the
    // records after it (from, by): what a remembered row is now.
    std::vector<std::pair<int, int>> m_shifts;
    mutable QString m_gaps;
    mutable bool m_gapsKnown = false;
};

} // namespace kt
