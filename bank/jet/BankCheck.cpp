#include "BankCheck.h"

#include "BankCheckParts.h"
#include "Cp1251.h"

namespace kt {
namespace {

constexpr int kMaxTextLength = 255;

// Returns the problem with the right answer, or an empty text.
QString rightAnswerProblem(const BankRecord& r) {
    const QString& name = bankFieldNames()[FieldRightAnswer];
    if (r.isNull[FieldRightAnswer] || r.text[FieldRightAnswer].trimmed().isEmpty())
        return QStringLiteral("поле «%1» пустое — запись нельзя выбрать в тест").arg(name);
    bool ok = false;
    const double v = r.text[FieldRightAnswer].trimmed().toDouble(&ok);
    if (!ok)
        return QStringLiteral("«%1» = «%2» — не число, запись нельзя выбрать в тест")
            .arg(name, r.text[FieldRightAnswer]);
    if (v < 1 || v > 5 || v != static_cast<int>(v))
        return QStringLiteral("«%1» = %2 — не номер варианта от 1 до 5, верно ответить "
                              "на вопрос нельзя")
            .arg(name, r.text[FieldRightAnswer]);
    return QString();
}

QString nonCp1251(const QString& text) {
    QString out;
    if (fitsCp1251(text)) // nearly every text: one pass, no per-character strings
        return out;
    for (QChar c : text)
        if (!fitsCp1251(QString(c)) && !out.contains(c))
            out.append(c);
    return out;
}

void checkTexts(CheckCollector& out, size_t i) {
    const BankRecord& r = out.raw()[i];
    std::vector<int> fields = {0, 1, 2, 3, 4, 5};
    if (i == 0)
        fields.push_back(FieldSubject); // only the first record's subject is ever shown
    for (int f : fields) {
        const QString& name = bankFieldNames()[f];
        if (r.text[f].size() > kMaxTextLength)
            out.add(CheckSeverity::Problem, i, name,
                    QStringLiteral("поле «%1» длиннее %2 символов (%3) — конец будет отрезан")
                        .arg(name)
                        .arg(kMaxTextLength)
                        .arg(r.text[f].size()));
        const QString odd = nonCp1251(r.text[f]);
        if (!odd.isEmpty())
            out.add(CheckSeverity::Problem, i, name,
                    QStringLiteral("в поле «%1» есть символы вне кодовой страницы 1251 («%2») — "
                                   "они будут показаны как «?»")
                        .arg(name, odd));
    }
}

QChar variantLetter(int k) {
    return QChar(u'A' + (k - 1));
}

// Empty variants; the right answer pointing at one makes the record one
// that no student can answer right.
void checkVariants(CheckCollector& out, size_t i, bool rightValid) {
    const BankRecord& r = out.raw()[i];
    const int right = rightValid ? r.text[FieldRightAnswer].trimmed().toInt() : 0;
    for (int k = 1; k <= 5; ++k) {
        if (!r.isNull[k] && !r.text[k].trimmed().isEmpty())
            continue;
        const QString& name = bankFieldNames()[k];
        if (k == right)
            out.add(CheckSeverity::Error, i, name,
                    QStringLiteral("верный ответ — пустой вариант %1 («%2»): верно ответить "
                                   "на вопрос нельзя")
                        .arg(variantLetter(k))
                        .arg(name));
        else
            out.add(CheckSeverity::Problem, i, name,
                    QStringLiteral("вариант %1 («%2») пустой").arg(variantLetter(k)).arg(name));
    }
}

// Texts the student would see cut: measured as the screen shows them.
void checkFit(CheckCollector& out, size_t i, const BankCheckOptions& options) {
    const BankRecord& r = out.raw()[i];
    const QString tail = QStringLiteral(" не помещается в своё поле на экране вопроса — ученик "
                                        "увидит его обрезанным");
    if (options.questionFits && !options.questionFits(cp1251Text(r.text[FieldQuestion])))
        out.add(CheckSeverity::Problem, i, bankFieldNames()[FieldQuestion],
                QStringLiteral("вопрос") + tail);
    for (int k = 1; k <= 5 && options.answerFits; ++k)
        if (!r.text[k].isEmpty() && !options.answerFits(cp1251Text(r.text[k])))
            out.add(
                CheckSeverity::Problem, i, bankFieldNames()[k],
                QStringLiteral("вариант %1 («%2»)").arg(variantLetter(k)).arg(bankFieldNames()[k]) +
                    tail);
}

void checkRecord(CheckCollector& out, size_t i, const BankCheckOptions& options) {
    const QString answer = rightAnswerProblem(out.raw()[i]);
    if (!answer.isEmpty())
        out.add(CheckSeverity::Error, i, bankFieldNames()[FieldRightAnswer], answer);
    checkVariants(out, i, answer.isEmpty());
    checkTexts(out, i);
    checkFit(out, i, options);
}

} // namespace

BankCheckReport checkBank(const BankTable& raw, const BankCheckOptions& options) {
    BankCheckReport report;
    report.recordCount = static_cast<int>(raw.size());
    CheckCollector out(raw, report);
    if (raw.empty()) {
        out.addBankWide(CheckSeverity::Error, QStringLiteral("В базе нет ни одной записи"));
        return report;
    }
    report.subject = raw.front().isNull[FieldSubject] ? QString() : raw.front().text[FieldSubject];
    for (size_t i = 0; i < raw.size(); ++i)
        checkRecord(out, i, options);
    checkDuplicates(out);
    checkCounters(out);
    return report;
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
