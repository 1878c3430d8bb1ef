// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/RawBank.h"
#include "bank/check/BankCheck.h"
#include "ui/layout/FitThread.h"
#include "ui/layout/QuestionFit.h"

#include <deque>

namespace kt {

// Records as they arrive, handed on in their order a few hundred records
// behind, once a second thread has measured the screen fit of their texts.
// A check of a handed-on record that asks with measuredFits() gets the
// thread's answer for the very text, in the very box, it asks about; any
// other text is measured there and then, so the answers are those of a
// check measuring in turn.
class FitAhead : public RawRecordSink {
public:
    explicit FitAhead(qsizetype batchRecords = 512);
    // Answers still owed by the thread are waited for: they read the batches.
    ~FitAhead() override;
    FitAhead(const FitAhead&) = delete;
    FitAhead& operator=(const FitAhead&) = delete;

    void take(const RecordTexts& record) override;

protected:
    // The next record, row `row` of `batch`, valid during the call only.
    virtual void takeMeasured(const RecordTexts& batch, qsizetype row) = 0;
    // `options` with the fits answered as described above.
    BankCheckOptions measuredFits(BankCheckOptions options);
    // Hands on every record still held.
    void drain();

private:
    struct Batch {
        std::shared_ptr<const RawBank> records;
        std::shared_ptr<const FitTexts> texts;
        std::future<FitAnswers> answers;
        std::vector<size_t> firstAnswer; // where each record's answers begin in texts
    };
    void sendBatch();
    void handOnOldest();
    bool fits(bool question, QStringView text);

    QuestionFit m_fit; // for texts the thread was not asked about
    FitThread m_thread;
    std::shared_ptr<RawBank> m_filling;
    qsizetype m_batchRecords;
    std::deque<Batch> m_sent;
    // The batch being handed on: its texts, the thread's answers and where
    // the record being checked has its own in each list.
    std::shared_ptr<const FitTexts> m_texts;
    FitAnswers m_answers;
    size_t m_nextQuestion = 0;
    size_t m_nextAnswer = 0;
};

} // namespace kt
