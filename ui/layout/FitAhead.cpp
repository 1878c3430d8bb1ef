// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout/FitAhead.h"

namespace kt {
namespace {

constexpr quint16 kAllFields = (1u << FieldCountTotal) - 1;
// Batches sent and not yet handed on before the reading waits for the thread.
constexpr size_t kMostSent = 4;

// The texts in the order a check asks about them: each record's question,
// then its answers that are not empty; where each record's answers begin.
FitTexts textsOf(const RawBank& records, std::vector<size_t>& firstAnswer) {
    FitTexts t;
    t.questions.reserve(static_cast<size_t>(records.size()));
    t.answers.reserve(static_cast<size_t>(records.size()) * 5);
    firstAnswer.reserve(static_cast<size_t>(records.size()));
    for (qsizetype r = 0; r < records.size(); ++r) {
        t.questions.push_back(records.text(r, FieldQuestion));
        firstAnswer.push_back(t.answers.size());
        for (int k = FieldAnswer1; k <= FieldAnswer5; ++k)
            if (!records.text(r, k).isEmpty())
                t.answers.push_back(records.text(r, k));
    }
    return t;
}

} // namespace

FitAhead::FitAhead(qsizetype batchRecords)
    : m_filling(std::make_shared<RawBank>()), m_batchRecords(std::max<qsizetype>(1, batchRecords)) {
}

FitAhead::~FitAhead() {
    for (Batch& b : m_sent)
        b.answers.wait();
}

BankCheckOptions FitAhead::measuredFits(BankCheckOptions options) {
    options.questionFits = [this](QStringView t) { return fits(true, t); };
    options.answerFits = [this](QStringView t) { return fits(false, t); };
    return options;
}

void FitAhead::take(const RecordTexts& record) {
    m_filling->append(record, 0, kAllFields);
    if (m_filling->size() < m_batchRecords)
        return;
    sendBatch();
    while (!m_sent.empty() &&
           (m_sent.size() > kMostSent ||
            m_sent.front().answers.wait_for(std::chrono::seconds(0)) == std::future_status::ready))
        handOnOldest();
}

void FitAhead::sendBatch() {
    Batch b;
    b.records = std::move(m_filling);
    b.texts = std::make_shared<const FitTexts>(textsOf(*b.records, b.firstAnswer));
    b.answers = m_thread.measure(b.texts);
    m_sent.push_back(std::move(b));
    m_filling = std::make_shared<RawBank>();
}

void FitAhead::handOnOldest() {
    Batch b = std::move(m_sent.front());
    m_sent.pop_front();
    m_answers = b.answers.get();
    m_texts = b.texts;
    for (qsizetype r = 0; r < b.records->size(); ++r) {
        m_nextQuestion = static_cast<size_t>(r);
        m_nextAnswer = b.firstAnswer[static_cast<size_t>(r)];
        takeMeasured(*b.records, r);
    }
    m_texts.reset();
}

bool FitAhead::fits(bool question, QStringView text) {
    if (m_texts) {
        const std::vector<QStringView>& asked = question ? m_texts->questions : m_texts->answers;
        const std::vector<char>& answers = question ? m_answers.questions : m_answers.answers;
        const size_t i = (question ? m_nextQuestion : m_nextAnswer)++;
        if (i < asked.size() && asked[i] == text)
            return answers[i] != 0;
    }
    return question ? m_fit.questionFits(text) : m_fit.answerFits(text);
}

void FitAhead::drain() {
    if (m_filling->size() > 0)
        sendBatch();
    while (!m_sent.empty())
        handOnOldest();
}

} // namespace kt
