// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QGen.h"

#include "bank/KtError.h"

#include <string_view>
#include <unordered_set>

namespace kt {
namespace {

// A draw whose clock seeds keep landing on rejected records (a clock far
// coarser than the loop) would spin; after this many rejections in one slot
// the slot takes the next acceptable record after the drawn one instead.
constexpr int kMaxRejections = 100000;

struct DrawRange {
    int from = 0;
    int width = 0; // number of draw values r
    int count = 0; // records in the bank
};

// Question texts compared as whole strings. The kept bytes are the code
// page's, one byte a character, so equal bytes are equal texts.
using TextSet = std::unordered_set<std::string_view>;

std::string_view questionOf(const CompactBank& recs, int off) {
    const QByteArrayView b = recs.bytes(off, FieldQuestion);
    return std::string_view(b.data(), static_cast<size_t>(b.size()));
}

bool drawable(const CompactBank& recs, int off) {
    return !recs.isNull(off, FieldRightAnswer);
}

bool acceptable(const CompactBank& recs, int off, const TextSet& used) {
    return drawable(recs, off) && used.count(questionOf(recs, off)) == 0;
}

// The offsets a draw can reach: rangeFrom..rangeTo-1, each stopped at the last record.
int countDistinct(const CompactBank& recs, const DrawRange& d) {
    if (d.count == 0 || d.width <= 0)
        return 0;
    TextSet texts;
    const int last = std::min(d.count - 1, d.from + d.width - 1);
    for (int off = std::min(d.from, d.count - 1); off <= last; ++off)
        if (drawable(recs, off))
            texts.insert(questionOf(recs, off));
    return static_cast<int>(texts.size());
}

QString notEnoughMessage(const QGenRequest& rq, int found) {
    return QStringLiteral("Невозможно составить тест: в диапазоне записей от %1 до %2 найдено "
                          "различных вопросов с заполненным верным ответом: %3, а нужно: %4. "
                          "Измените количество вопросов или диапазон в настройках")
        .arg(rq.rangeFrom + 1)
        .arg(rq.rangeTo)
        .arg(found)
        .arg(rq.questionCount);
}

TestItem itemOf(const CompactBank& recs, int off) {
    TestItem item;
    item.Question = recs.text(off, FieldQuestion);
    for (int k = 1; k <= 5; ++k)
        item.Answers[static_cast<size_t>(k)] = recs.text(off, k);
    item.RightAnswer = recs.text(off, FieldRightAnswer).trimmed().toInt();
    item.State = Pending;
    item.Counter = recs.text(off, FieldCounter).trimmed().toInt();
    return item;
}

// First acceptable offset at or after `start`, wrapping round the draw range.
int fallbackOffset(const CompactBank& recs, const DrawRange& d, std::uint32_t start,
                   const TextSet& used) {
    for (int step = 0; step < d.width; ++step) {
        const auto r = static_cast<std::uint32_t>((start + static_cast<std::uint32_t>(step)) %
                                                  static_cast<std::uint32_t>(d.width));
        const int off = drawOffset(d.from, r, d.count);
        if (acceptable(recs, off, used))
            return off;
    }
    return -1; // unreachable after the distinct count was checked
}

int drawOneSlot(const CompactBank& recs, const DrawRange& d, SeedSource& seeds,
                const TextSet& used) {
    for (int attempt = 0;; ++attempt) {
        Lcg lcg(seeds.Seed());
        const std::uint32_t r = lcg.Below(static_cast<std::uint32_t>(d.width));
        const int off = drawOffset(d.from, r, d.count);
        if (acceptable(recs, off, used))
            return off;
        if (attempt >= kMaxRejections)
            return fallbackOffset(recs, d, r, used);
    }
}

} // namespace

int drawOffset(int rangeFrom, std::uint32_t r, int recordCount) {
    const qint64 off = static_cast<qint64>(rangeFrom) + r;
    return static_cast<int>(std::min<qint64>(off, recordCount - 1));
}

QGenResult QGen(Bank& bank, const QGenRequest& request, SeedSource& seeds, TestSet& set,
                QGenListener* listener) {
    bank.Open();
    struct Closer {
        Bank& b;
        ~Closer() { b.Close(); }
    } closer{bank};

    QGenResult result;
    result.bankSize = bank.Count();
    bank.First();
    result.subjectName = bank.FieldText(FieldSubject);
    if (listener)
        listener->BankCounted(result.bankSize);

    const CompactBank& recs = bank.records();
    const DrawRange d{std::max(0, request.rangeFrom), request.rangeTo - request.rangeFrom,
                      result.bankSize};
    const int found = countDistinct(recs, d);
    if (request.questionCount < 1 || found < request.questionCount)
        throw KtError(notEnoughMessage(request, found));

    set.resize(static_cast<size_t>(request.questionCount) + 1);
    TextSet used;
    for (int i = 1; i <= request.questionCount; ++i) {
        const int off = drawOneSlot(recs, d, seeds, used);
        // The distinct count checked above leaves an acceptable record for
        // every slot, so the fallback's "none" cannot come back here.
        Q_ASSERT_X(off >= 0, "QGen", "no acceptable record left for a slot");
        set[static_cast<size_t>(i)] = itemOf(recs, off);
        used.insert(questionOf(recs, off));
    }
    return result;
}

} // namespace kt
