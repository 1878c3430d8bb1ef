// SPDX-License-Identifier: GPL-3.0-or-later
// A test sat by a class: the results, the answers and the live status of
// this PC in the class folder. Without a [class] section none of this runs.
#include "engine/TestEngine.h"

#include "bank/Cp1251.h"
#include "engine/EngineTexts.h"
#include "engine/TextFormats.h"
#include "report/AnswersWriter.h"
#include "report/ClassFiles.h"
#include "report/SharedFile.h"
#include "report/StatusFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace kt {
namespace {

// A listed name is kept whole up to this length, past the name box's 15.
constexpr int kListedNameLength = 40;

QString answersFallbackPath(const QString& reportFallback) {
    const QString beside = reportFallback.isEmpty() ? defaultFallbackReportPath() : reportFallback;
    return QFileInfo(beside).dir().filePath(QStringLiteral("Answers-unsaved.csv"));
}

ReportFileOptions answersOptions(ReportFileOptions options, bool shared) {
    options.headerIfEmpty = answersHeaderLine();
    options.shared = shared;
    return options;
}

QString screenName(ScreenState s) {
    switch (s) {
    case ScreenState::Start:
        return QStringLiteral("start");
    case ScreenState::Testing:
        return QStringLiteral("testing");
    case ScreenState::Result:
        break;
    }
    return QStringLiteral("result");
}

} // namespace

void TestEngine::SetUpClass(const EngineDeps& deps) {
    if (!deps.classroom || !deps.classroom->present)
        return;
    SystemHostName system;
    HostName& host = deps.hostName ? *deps.hostName : system;
    m_class = std::make_unique<ClassRoom>(*deps.classroom, pcFileName(host.Name()), m_reportPath);
    m_workingReportPath = m_reportPath;
    m_reportPath = m_class->reportPath();
    UseReportOptions(QString(), ReportFileOptions());
}

void TestEngine::UseReportOptions(const QString& fallbackPath, const ReportFileOptions& options) {
    ReportFileOptions reportOptions = options;
    reportOptions.shared = m_class && m_class->hasFolder();
    m_reports = ReportQueue(m_reportPath, fallbackPath, reportOptions);
    if (m_class)
        m_answers.emplace(m_class->answersPath(), answersFallbackPath(fallbackPath),
                          answersOptions(options, m_class->hasFolder()));
}

// The working folder's report file is created as it always is, also when the
// results go to the class folder.
QString TestEngine::PrepareWorkingReport() {
    if (!m_class)
        return m_reports.Prepare();
    return ReportQueue(m_workingReportPath, m_reports.fallbackPath()).Prepare();
}

void TestEngine::ShowClassProblems() {
    if (!m_class)
        return;
    if (!m_class->settings().problems.isEmpty())
        m_dialogs.ShowError(errorBoxText(QStringLiteral("Настройки класса: ") +
                                         m_class->settings().problems.join(QStringLiteral("; "))));
    const QString why = ClassFilesProblem();
    if (!why.isEmpty())
        m_dialogs.ShowError(errorBoxText(why));
}

QString TestEngine::ClassFilesProblem() {
    QString why = m_class->FolderProblem();
    if (why.isEmpty())
        why = m_reports.Prepare();
    if (why.isEmpty())
        why = m_answers->Prepare();
    if (why.isEmpty() && m_class->hasFolder())
        ensureSharedFolder(classStatusFolder(m_class->settings().folder));
    return why;
}

QString TestEngine::StudentNameFor(const QString& typed, QString* refused) const {
    if (m_class) {
        const QString listed = m_class->ListedName(typed);
        if (!listed.isEmpty())
            return cp1251Text(listed, kListedNameLength);
        if (m_class->settings().listOnly) {
            *refused = QStringLiteral("Имени \"%1\" нет в списке класса. Выберите свое имя из "
                                      "списка, который появляется при вводе")
                           .arg(typed.simplified());
            return QString();
        }
    }
    return studentNameOf(typed);
}

QString TestEngine::TestTitle() const {
    const QString title = m_class ? m_class->settings().title : QString();
    return title.isEmpty() ? m_state.SubjectName : title;
}

// Returns the message for the student, empty when the rows went in.
QString TestEngine::WriteAnswers(const QString& date, const QString& time) {
    if (!m_class)
        return QString();
    AnswersTest test{m_class->NextTestId(date, time),
                     date,
                     time,
                     m_class->pc(),
                     m_state.StudentName,
                     TestTitle(),
                     m_class->settings().bankName};
    std::vector<AnswerRow> rows;
    for (int slot = 1; slot <= m_state.QuestionCount; ++slot) {
        const TestItem& item = m_state.Set[static_cast<size_t>(slot)];
        rows.push_back(AnswerRow{item.Question, item.Counter, item.Chosen,
                                 BankVariantAt(slot, item.RightAnswer), item.State != Pending});
    }
    return m_answers->Append(answersRowsBytes(test, rows));
}

void TestEngine::FlushKeptAnswers() {
    if (!m_answers)
        return;
    const QString problem = m_answers->Flush();
    if (!problem.isEmpty())
        m_dialogs.ShowError(errorBoxText(problem));
}

// Best effort: a status that cannot be written (the folder gone, the disk
// full) is simply not there for the teacher; the test goes on untouched.
void TestEngine::PublishStatus() {
    if (!m_class || !m_class->hasFolder())
        return;
    PcStatus s;
    s.pc = m_class->pc();
    s.student = m_screen == ScreenState::Start ? QString() : m_state.StudentName;
    s.title = TestTitle();
    s.state = screenName(m_screen);
    s.right = m_state.RightCount;
    s.wrong = m_state.WrongCount;
    s.answered = s.right + s.wrong;
    s.total = m_state.QuestionCount;
    s.timeLeft = m_timeText;
    s.written = QDateTime(m_clock.Today(), m_clock.Now());
    writeStatusFile(m_class->statusPath(), s);
}

void TestEngine::StatusTick() {
    if (++m_statusTicks % 10 == 0)
        PublishStatus();
}

} // namespace kt
