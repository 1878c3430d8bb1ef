#include "BankCheck.h"

#include "Cp1251.h"

#include <algorithm>
#include <map>

namespace kt {
namespace {

constexpr int kMaxTextLength = 255;
constexpr int kDefaultQuestionCount = 60;

QString recordName(const BankTable& raw, size_t i) {
    const BankRecord& r = raw[i];
    QString name = QStringLiteral("Запись %1").arg(i + 1);
    if (!r.isNull[FieldCounter])
        name += QStringLiteral(" (Счетчик %1)").arg(r.text[FieldCounter]);
    return name;
}

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

void checkTexts(const BankTable& raw, size_t i, QStringList& problems) {
    const BankRecord& r = raw[i];
    std::vector<int> fields = {0, 1, 2, 3, 4, 5};
    if (i == 0)
        fields.push_back(FieldSubject); // only the first record's subject is ever shown
    for (int f : fields) {
        const QString& name = bankFieldNames()[f];
        if (r.text[f].size() > kMaxTextLength)
            problems << QStringLiteral("%1: поле «%2» длиннее %3 символов (%4) — конец будет "
                                       "отрезан")
                            .arg(recordName(raw, i), name)
                            .arg(kMaxTextLength)
                            .arg(r.text[f].size());
        const QString odd = nonCp1251(r.text[f]);
        if (!odd.isEmpty())
            problems << QStringLiteral("%1: в поле «%2» есть символы вне кодовой страницы "
                                       "1251 («%3») — они будут показаны как «?»")
                            .arg(recordName(raw, i), name, odd);
    }
}

// Lists each question text that more than one record carries.
void checkDuplicates(const BankTable& raw, BankCheckReport& report) {
    std::map<QString, std::vector<size_t>> byText;
    for (size_t i = 0; i < raw.size(); ++i)
        byText[raw[i].text[FieldQuestion]].push_back(i);
    std::vector<std::vector<size_t>> groups;
    for (const auto& entry : byText)
        if (entry.second.size() > 1)
            groups.push_back(entry.second);
    std::sort(groups.begin(), groups.end());
    for (const auto& g : groups) {
        QStringList numbers;
        for (size_t i : g)
            numbers << QString::number(i + 1);
        report.problems << QStringLiteral("Записи %1: одинаковый текст вопроса «%2» — в один "
                                          "тест попадёт только одна из них")
                               .arg(numbers.join(QStringLiteral(", ")),
                                    raw[g.front()].text[FieldQuestion]);
    }
    const int distinct = static_cast<int>(byText.size());
    if (!raw.empty() && distinct < kDefaultQuestionCount)
        report.problems << QStringLiteral("Различных вопросов %1 — меньше, чем %2 вопросов "
                                          "теста по умолчанию; уменьшите число вопросов в "
                                          "настройках")
                               .arg(distinct)
                               .arg(kDefaultQuestionCount);
}

} // namespace

BankCheckReport checkBank(const BankTable& raw) {
    BankCheckReport report;
    report.recordCount = static_cast<int>(raw.size());
    if (raw.empty()) {
        report.fatal = true;
        report.problems << QStringLiteral("В базе нет ни одной записи");
        return report;
    }
    report.subject = raw.front().isNull[FieldSubject] ? QString() : raw.front().text[FieldSubject];
    for (size_t i = 0; i < raw.size(); ++i) {
        const QString answer = rightAnswerProblem(raw[i]);
        if (!answer.isEmpty()) {
            report.fatal = true;
            report.problems << recordName(raw, i) + QStringLiteral(": ") + answer;
        }
        checkTexts(raw, i, report.problems);
    }
    checkDuplicates(raw, report);
    return report;
}

QString formatBankCheck(const BankCheckReport& report) {
    QString out = QStringLiteral("Записей: %1\n").arg(report.recordCount);
    out += QStringLiteral("Предмет: «%1»\n").arg(report.subject);
    if (report.problems.isEmpty())
        return out + QStringLiteral("Проблем не найдено.\n");
    out += QStringLiteral("Проблемы (%1):\n").arg(report.problems.size());
    for (const QString& p : report.problems)
        out += QStringLiteral("  ") + p + u'\n';
    return out;
}

} // namespace kt
