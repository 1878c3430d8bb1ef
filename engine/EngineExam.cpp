// SPDX-License-Identifier: GPL-3.0-or-later
// The exam rules the teacher's [exam] section adds to a test: the teacher's
// password, the variants' order, the attempts, the review and the mark.
// Without the section none of this changes what a test does.
#include "engine/TestEngine.h"

#include "bank/KtError.h"
#include "engine/ExamAttempts.h"
#include "engine/TextFormats.h"

namespace kt {

void TestEngine::ApplyExamSection(const SettingsFileContent& file, QStringList* problems) {
    if (!file.exam)
        return;
    PasswordCheck* check = m_passwords;
    m_exam = resolveExamSettings(
        *file.exam, [check](const QString& stored) { return check && check->Readable(stored); },
        problems);
}

bool TestEngine::TeacherPassword(const QString& typed) const {
    if (!m_exam.locked())
        return true;
    return !m_exam.passwordUnreadable && m_passwords &&
           m_passwords->Matches(m_exam.passwordHash, typed);
}

// Every slot of a fresh set gets its own order from its own seed, as the
// draw seeds every slot.
void TestEngine::OrderVariants() {
    const size_t slotCount = m_state.Set.size();
    m_chosen.assign(slotCount, 0);
    m_orders.assign(slotCount, kBankOrder);
    if (!m_exam.shuffleAnswers)
        return;
    for (size_t slot = 1; slot < slotCount; ++slot) {
        m_orders[slot] = shuffledOrder(m_seeds);
        applyVariantOrder(m_state.Set[slot], m_orders[slot]);
    }
}

int TestEngine::BankVariantAt(int slot, int place) const {
    const auto i = static_cast<size_t>(slot);
    return i < m_orders.size() ? bankVariant(m_orders[i], place) : place;
}

// The student has results left for this test; otherwise says so.
bool TestEngine::AttemptsLeft(const QString& name) {
    if (m_exam.attempts <= 0)
        return true;
    int done = 0;
    try {
        done = countAttempts(readReportFile(m_reportPath), name);
    } catch (const KtError& e) {
        m_dialogs.ShowError(errorBoxText(e.message()));
        return false;
    }
    if (done < m_exam.attempts)
        return true;
    m_dialogs.ShowError(errorBoxText(
        QStringLiteral("«%1» уже проходил этот тест: результатов в отчете — %2, а попыток "
                       "разрешено — %3. Еще одна попытка — только с разрешения учителя")
            .arg(name.trimmed())
            .arg(done)
            .arg(m_exam.attempts)));
    return false;
}

// Taken before the next set replaces the finished one.
void TestEngine::KeepExamResult() {
    m_review.clear();
    m_mark = 0;
    if (m_exam.review != ExamReview::None)
        m_review = examReviewOf(m_state.Set, m_chosen, m_state.QuestionCount);
    if (m_exam.showMark)
        m_mark = examMark(m_percentText.section(QLatin1Char(' '), 0, 0).toInt(), m_exam.marks);
}

} // namespace kt
