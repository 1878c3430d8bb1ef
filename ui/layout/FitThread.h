// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QThreadPool>
#include <future>
#include <memory>
#include <vector>

namespace kt {

class QuestionFit;

// Whether each of some questions and answers fits its box, in their order.
struct FitAnswers {
    std::vector<char> questions;
    std::vector<char> answers;
};

// The texts to measure, read in place: they must stay as they are until the
// answers have been taken.
struct FitTexts {
    std::vector<QStringView> questions;
    std::vector<QStringView> answers;
};

// The answers for `texts` as `fit` gives them: what the thread below gives.
FitAnswers measureFits(QuestionFit& fit, const FitTexts& texts);

// Measures on a thread of its own, with fonts and layouts of its own made
// and dropped there, so that a check can go on with the records on the
// program's thread meanwhile. Batches are measured one after another.
class FitThread {
public:
    FitThread();
    ~FitThread();
    FitThread(const FitThread&) = delete;
    FitThread& operator=(const FitThread&) = delete;

    std::future<FitAnswers> measure(std::shared_ptr<const FitTexts> texts);

private:
    QThreadPool m_pool;
    std::unique_ptr<QuestionFit> m_fit; // used on the pool's thread only
};

} // namespace kt
