// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/RawBank.h"
#include "bank/check/BankCheck.h"
#include "ui/layout/FitThread.h"
#include "ui/layout/QuestionFit.h"

#include <deque>

namespace kt {

// The check of a bank as its records arrive, with the screen fit of their
// texts measured on a second thread a few hundred records ahead of the
// rest of the check. The report is the one BankChecker gives with the fit
// measured in turn: records are checked in their order, and an answer of
// the thread is used only for the very text, in the very box, the check
// asks about; any other text is measured there and then.
class FitAheadCheck : public RawRecordSink {
public:
    explicit FitAheadCheck(BankCheckOptions options, qsizetype batchRecords = 512);
    ~FitAheadCheck() override;

    void expect(qsizetype records) override { m_checker.expect(records); }
    void take(const RecordTexts& record) override;
    BankCheckReport finish();

private:
    struct Batch {
        std::shared_ptr<const RawBank> records;
        std::shared_ptr<const FitTexts> texts;
        std::future<FitAnswers> answers;
        std::vector<size_t> firstAnswer; // where each record's answers begin in texts
    };
    void sendBatch();
    void checkOldest();
    bool fits(bool question, QStringView text);

    QuestionFit m_fit; // for texts the thread was not asked about
    FitThread m_thread;
    BankChecker m_checker;
    std::shared_ptr<RawBank> m_filling;
    qsizetype m_batchRecords;
    std::deque<Batch> m_sent;
    // The batch being checked: its texts, the thread's answers and where
    // the record being checked has its own in each list.
    std::shared_ptr<const FitTexts> m_texts;
    FitAnswers m_answers;
    size_t m_nextQuestion = 0;
    size_t m_nextAnswer = 0;
};

} // namespace kt
