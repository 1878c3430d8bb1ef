// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/check/BankCheck.h"

#include "bank/Cp1251.h"
#include "bank/check/BankCheckParts.h"

namespace kt {
namespace {

constexpr int kMaxTextLength = 255;

// Gathers one record's findings.
class Findings {
public:
    void add(CheckSeverity severity, const QString& field, const QString& text) {
        m_list.push_back({severity, field, text});
    }
    std::vector<RecordFinding> take() { return std::move(m_list); }

private:
    std::vector<RecordFinding> m_list;
};

// The record being checked: row `row` of `records`; `first` when it is the
// bank's first.
struct Record {
    const RecordTexts& records;
    qsizetype row;
    bool first;

    QStringView text(int field) const { return records.text(row, field); }
    bool isNull(int field) const { return records.isNull(row, field); }
};

// Returns the problem with the right answer, or an empty text.
QString rightAnswerProblem(const Record& r) {
    const QString& name = bankFieldNames()[FieldRightAnswer];
    const QStringView value = r.text(FieldRightAnswer);
    if (r.isNull(FieldRightAnswer) || value.trimmed().isEmpty())
        return QStringLiteral("поле «%1» пустое — запись нельзя выбрать в тест").arg(name);
    bool ok = false;
    const double v = value.trimmed().toDouble(&ok);
    if (!ok)
        return QStringLiteral("«%1» = «%2» — не число, запись нельзя выбрать в тест")
            .arg(name, value.toString());
    if (v < 1 || v > 5 || v != static_cast<int>(v))
        return QStringLiteral("«%1» = %2 — не номер варианта от 1 до 5, верно ответить "
                              "на вопрос нельзя")
            .arg(name, value.toString());
    return QString();
}

QString nonCp1251(QStringView text) {
    QString out;
    if (fitsCp1251(text)) // nearly every text: one pass, no per-character strings
        return out;
    for (QChar c : text)
        if (!fitsCp1251(QStringView(&c, 1)) && !out.contains(c))
            out.append(c);
    return out;
}

void checkText(Findings& out, const Record& r, int f) {
    const QString& name = bankFieldNames()[f];
    const QStringView text = r.text(f);
    if (text.size() > kMaxTextLength)
        out.add(CheckSeverity::Problem, name,
                QStringLiteral("поле «%1» длиннее %2 символов (%3) — конец будет отрезан")
                    .arg(name)
                    .arg(kMaxTextLength)
                    .arg(text.size()));
    const QString odd = nonCp1251(text);
    if (!odd.isEmpty())
        out.add(CheckSeverity::Problem, name,
                QStringLiteral("в поле «%1» есть символы вне кодовой страницы 1251 («%2») — "
                               "они будут показаны как «?»")
                    .arg(name, odd));
}

void checkTexts(Findings& out, const Record& r) {
    for (int f = FieldQuestion; f <= FieldAnswer5; ++f)
        checkText(out, r, f);
    if (r.first)
        checkText(out, r, FieldSubject); // only the first record's subject is ever shown
}

QChar variantLetter(int k) {
    return QChar(u'A' + (k - 1));
}

// Empty variants; the right answer pointing at one makes the record one
// that no student can answer right.
void checkVariants(Findings& out, const Record& r, bool rightValid) {
    const int right = rightValid ? r.text(FieldRightAnswer).trimmed().toInt() : 0;
    for (int k = 1; k <= 5; ++k) {
        if (!r.isNull(k) && !r.text(k).trimmed().isEmpty())
            continue;
        const QString& name = bankFieldNames()[k];
        if (k == right)
            out.add(CheckSeverity::Error, name,
                    QStringLiteral("верный ответ — пустой вариант %1 («%2»): верно ответить "
                                   "на вопрос нельзя")
                        .arg(variantLetter(k))
                        .arg(name));
        else
            out.add(CheckSeverity::Problem, name,
                    QStringLiteral("вариант %1 («%2») пустой").arg(variantLetter(k)).arg(name));
    }
}

// Whether the text, as the program shows it, fits; nearly every text is
// shown as it stands, and is measured without a copy.
bool shownFits(const TextFits& fits, QStringView text) {
    if (text.size() <= kMaxTextLength && fitsCp1251(text))
        return fits(text);
    return fits(cp1251Text(text.toString()));
}

// Texts the student would see cut: measured as the screen shows them.
void checkFit(Findings& out, const Record& r, const BankCheckOptions& options) {
    const QString tail = QStringLiteral(" не помещается в своё поле на экране вопроса — ученик "
                                        "увидит его обрезанным");
    if (options.questionFits && !shownFits(options.questionFits, r.text(FieldQuestion)))
        out.add(CheckSeverity::Problem, bankFieldNames()[FieldQuestion],
                QStringLiteral("вопрос") + tail);
    for (int k = 1; k <= 5 && options.answerFits; ++k)
        if (!r.text(k).isEmpty() && !shownFits(options.answerFits, r.text(k)))
            out.add(
                CheckSeverity::Problem, bankFieldNames()[k],
                QStringLiteral("вариант %1 («%2»)").arg(variantLetter(k)).arg(bankFieldNames()[k]) +
                    tail);
}

void checkRecord(Findings& out, const Record& r, const BankCheckOptions& options) {
    const QString answer = rightAnswerProblem(r);
    if (!answer.isEmpty())
        out.add(CheckSeverity::Error, bankFieldNames()[FieldRightAnswer], answer);
    checkVariants(out, r, answer.isEmpty());
    checkTexts(out, r);
    checkFit(out, r, options);
}

// What the checks across records read: the question and the counter.
constexpr quint16 kKeptFields = (1u << FieldQuestion) | (1u << FieldCounter);

} // namespace

BankChecker::BankChecker(BankCheckOptions options)
    : m_options(std::move(options)), m_across(std::make_unique<AcrossRecords>()) {}

BankChecker::~BankChecker() = default;

void BankChecker::expect(qsizetype records) {
    m_kept.reserve(records);
    m_across->reserve(records);
}

void BankChecker::add(const RecordTexts& records, qsizetype row) {
    const qsizetype i = m_kept.size();
    if (i == 0 && !records.isNull(row, FieldSubject))
        m_report.subject = records.text(row, FieldSubject).toString();
    m_kept.append(records, row, kKeptFields);
    m_across->add(m_kept, i);
    CheckCollector out(m_kept, m_report);
    for (const RecordFinding& f : checkRecordAlone(records, row, i == 0, m_options))
        out.add(f.severity, i, f.field, f.text);
}

std::vector<RecordFinding> checkRecordAlone(const RecordTexts& records, qsizetype row, bool first,
                                            const BankCheckOptions& options) {
    Findings out;
    checkRecord(out, Record{records, row, first}, options);
    return out.take();
}

QString recordName(qsizetype position, QStringView counter, bool counterIsNull) {
    QString name = QStringLiteral("Запись %1").arg(position + 1);
    if (!counterIsNull)
        name += QStringLiteral(" (Счетчик %1)").arg(counter);
    return name;
}

BankCheckReport BankChecker::finish() {
    BankCheckReport report = std::move(m_report);
    m_report = BankCheckReport();
    report.recordCount = static_cast<int>(m_kept.size());
    CheckCollector out(m_kept, report);
    if (m_kept.size() == 0) {
        out.addBankWide(CheckSeverity::Error, QStringLiteral("В базе нет ни одной записи"));
    } else {
        m_across->reportDuplicates(out, m_options.savedTest);
        m_across->reportCounters(out);
    }
    m_across = std::make_unique<AcrossRecords>(); // it looks into the kept records
    m_kept.clear();
    return report;
}

BankCheckReport checkBank(const RecordTexts& raw, const BankCheckOptions& options) {
    BankChecker checker(options);
    for (qsizetype row = 0; row < raw.size(); ++row)
        checker.add(raw, row);
    return checker.finish();
}

QString formatBankCheck(const BankCheckReport& report) {
    QString out = QStringLiteral("Записей: %1\n").arg(report.recordCount);
    out += QStringLiteral("Предмет: «%1»\n").arg(report.subject);
    if (report.problems.isEmpty() && report.warnings.isEmpty())
        return out + QStringLiteral("Проблем не найдено.\n");
    if (!report.problems.isEmpty())
        out += QStringLiteral("Проблемы (%1):\n").arg(report.problems.size());
    for (const BankProblem& p : report.details)
        if (p.severity != CheckSeverity::Warning)
            out += (p.severity == CheckSeverity::Error ? QStringLiteral("  ОШИБКА: ")
                                                       : QStringLiteral("  ")) +
                   p.text + u'\n';
    if (!report.warnings.isEmpty())
        out += QStringLiteral("Предупреждения (%1):\n").arg(report.warnings.size());
    for (const QString& w : report.warnings)
        out += QStringLiteral("  ") + w + u'\n';
    return out;
}

} // namespace kt
