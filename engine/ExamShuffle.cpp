// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExamShuffle.h"

#include <utility>

namespace kt {

VariantOrder shuffledOrder(SeedSource& seeds) {
    VariantOrder order = kBankOrder;
    Lcg lcg(seeds.Seed());
    // Fisher-Yates over the places 1..5.
    for (int i = 5; i > 1; --i) {
        const int j = 1 + static_cast<int>(lcg.Below(static_cast<std::uint32_t>(i)));
        std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
    }
    return order;
}

void applyVariantOrder(TestItem& item, const VariantOrder& order) {
    const std::array<QString, 6> bankAnswers = item.Answers;
    int rightPlace = item.RightAnswer;
    for (size_t place = 1; place <= 5; ++place) {
        const int variant = order[place];
        item.Answers[place] = bankAnswers[static_cast<size_t>(variant)];
        if (variant == item.RightAnswer)
            rightPlace = static_cast<int>(place);
    }
    item.RightAnswer = rightPlace;
}

int bankVariant(const VariantOrder& order, int place) {
    return place >= 1 && place <= 5 ? order[static_cast<size_t>(place)] : place;
}

} // namespace kt
