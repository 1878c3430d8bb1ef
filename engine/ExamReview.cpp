// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExamReview.h"

namespace kt {
namespace {

QString answerAt(const TestItem& item, int place) {
    return place >= 1 && place <= 5 ? item.Answers[static_cast<size_t>(place)] : QString();
}

} // namespace

std::vector<ExamReviewEntry> examReviewOf(const TestSet& set, const std::vector<int>& chosen,
                                          int n) {
    std::vector<ExamReviewEntry> entries;
    for (int slot = 1; slot <= n && static_cast<size_t>(slot) < set.size(); ++slot) {
        const TestItem& item = set[static_cast<size_t>(slot)];
        if (item.State == Right)
            continue;
        ExamReviewEntry e;
        e.slot = slot;
        e.question = item.Question;
        e.answered = item.State == Wrong;
        e.chosen = e.answered && static_cast<size_t>(slot) < chosen.size()
                       ? chosen[static_cast<size_t>(slot)]
                       : 0;
        e.right = item.RightAnswer >= 1 && item.RightAnswer <= 5 ? item.RightAnswer : 0;
        e.chosenText = answerAt(item, e.chosen);
        e.rightText = answerAt(item, e.right);
        entries.push_back(e);
    }
    return entries;
}

} // namespace kt
