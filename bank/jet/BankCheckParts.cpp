#include "BankCheckParts.h"

#include <algorithm>
#include <map>

namespace kt {
namespace {

constexpr int kDefaultQuestionCount = 60;
constexpr int kMaxGapRanges = 20;

QString recordName(const BankRecord& r, size_t i) {
    QString name = QStringLiteral("Запись %1").arg(i + 1);
    if (!r.isNull[FieldCounter])
        name += QStringLiteral(" (Счетчик %1)").arg(r.text[FieldCounter]);
    return name;
}

QString numberList(const std::vector<size_t>& indexes) {
    QStringList numbers;
    for (size_t i : indexes)
        numbers << QString::number(i + 1);
    return numbers.join(QStringLiteral(", "));
}

// Missing numbers from 1 to the largest as ranges: "5, 7–9".
QString gapRanges(const std::vector<qint64>& sorted) {
    QStringList ranges;
    qint64 expected = 1;
    for (qint64 v : sorted) {
        if (v > expected && ranges.size() < kMaxGapRanges)
            ranges << (v - 1 == expected ? QString::number(expected)
                                         : QStringLiteral("%1–%2").arg(expected).arg(v - 1));
        else if (v > expected)
            return ranges.join(QStringLiteral(", ")) + QStringLiteral(" и другие");
        expected = std::max(expected, v + 1);
    }
    return ranges.join(QStringLiteral(", "));
}

} // namespace

void CheckCollector::add(CheckSeverity severity, size_t i, const QString& field,
                         const QString& text) {
    const BankRecord& r = m_raw[i];
    store({severity, static_cast<int>(i) + 1,
           r.isNull[FieldCounter] ? QString() : r.text[FieldCounter], field,
           recordName(r, i) + QStringLiteral(": ") + text});
}

void CheckCollector::addGroup(CheckSeverity severity, size_t first, const QString& field,
                              const QString& text) {
    const BankRecord& r = m_raw[first];
    store({severity, static_cast<int>(first) + 1,
           r.isNull[FieldCounter] ? QString() : r.text[FieldCounter], field, text});
}

void CheckCollector::addBankWide(CheckSeverity severity, const QString& text) {
    store({severity, 0, QString(), QString(), text});
}

void CheckCollector::store(BankProblem problem) {
    if (problem.severity == CheckSeverity::Error)
        m_report.fatal = true;
    (problem.severity == CheckSeverity::Warning ? m_report.warnings : m_report.problems)
        << problem.text;
    m_report.details.push_back(std::move(problem));
}

void checkDuplicates(CheckCollector& out) {
    const BankTable& raw = out.raw();
    std::map<QString, std::vector<size_t>> byText;
    for (size_t i = 0; i < raw.size(); ++i)
        byText[raw[i].text[FieldQuestion]].push_back(i);
    std::vector<std::vector<size_t>> groups;
    for (const auto& entry : byText)
        if (entry.second.size() > 1)
            groups.push_back(entry.second);
    std::sort(groups.begin(), groups.end());
    for (const auto& g : groups)
        out.addGroup(CheckSeverity::Problem, g.front(), bankFieldNames()[FieldQuestion],
                     QStringLiteral("Записи %1: одинаковый текст вопроса «%2» — в один тест "
                                    "попадёт только одна из них")
                         .arg(numberList(g), raw[g.front()].text[FieldQuestion]));
    const int distinct = static_cast<int>(byText.size());
    if (!raw.empty() && distinct < kDefaultQuestionCount)
        out.addBankWide(CheckSeverity::Problem,
                        QStringLiteral("Различных вопросов %1 — меньше, чем %2 вопросов теста по "
                                       "умолчанию; уменьшите число вопросов в настройках")
                            .arg(distinct)
                            .arg(kDefaultQuestionCount));
}

void checkCounters(CheckCollector& out) {
    const BankTable& raw = out.raw();
    std::map<qint64, std::vector<size_t>> byCounter;
    for (size_t i = 0; i < raw.size(); ++i) {
        bool ok = false;
        const qint64 v = raw[i].text[FieldCounter].toLongLong(&ok);
        if (!raw[i].isNull[FieldCounter] && ok)
            byCounter[v].push_back(i);
    }
    std::vector<qint64> values;
    for (const auto& entry : byCounter) {
        values.push_back(entry.first);
        if (entry.second.size() > 1)
            out.addBankWide(CheckSeverity::Warning,
                            QStringLiteral("Записи %1: одинаковый «Счетчик» %2 — файл, "
                                           "вероятно, повреждён")
                                .arg(numberList(entry.second))
                                .arg(entry.first));
    }
    const QString gaps = gapRanges(values);
    if (!gaps.isEmpty())
        out.addBankWide(CheckSeverity::Warning,
                        QStringLiteral("«Счетчик»: нет номеров %1 — записи удалены или файл "
                                       "повреждён")
                            .arg(gaps));
}

} // namespace kt
