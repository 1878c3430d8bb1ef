// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout/FitThread.h"

#include "ui/layout/QuestionFit.h"

namespace kt {

FitAnswers measureFits(QuestionFit& fit, const FitTexts& texts) {
    FitAnswers out;
    out.questions.reserve(texts.questions.size());
    out.answers.reserve(texts.answers.size());
    for (QStringView q : texts.questions)
        out.questions.push_back(fit.questionFits(q) ? 1 : 0);
    for (QStringView a : texts.answers)
        out.answers.push_back(fit.answerFits(a) ? 1 : 0);
    return out;
}

// One thread that never expires: the fit made on it stays on it.
FitThread::FitThread() {
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

FitThread::~FitThread() {
    m_pool.start([this] { m_fit.reset(); });
    m_pool.waitForDone();
}

std::future<FitAnswers> FitThread::measure(std::shared_ptr<const FitTexts> texts) {
    auto promise = std::make_shared<std::promise<FitAnswers>>();
    std::future<FitAnswers> answers = promise->get_future();
    m_pool.start([this, promise, texts = std::move(texts)] {
        if (!m_fit)
            m_fit = std::make_unique<QuestionFit>();
        promise->set_value(measureFits(*m_fit, *texts));
    });
    return answers;
}

} // namespace kt
