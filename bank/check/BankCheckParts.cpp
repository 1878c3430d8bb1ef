// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/check/BankCheckParts.h"

#include "bank/TestDefaults.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace kt {
namespace {

constexpr int kMaxGapRanges = 20;

QString numberList(const std::vector<qsizetype>& indexes) {
    QStringList numbers;
    for (qsizetype i : indexes)
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

QString duplicateQuestionText(const std::vector<qsizetype>& records, QStringView question) {
    return QStringLiteral("Записи %1: одинаковый текст вопроса «%2» — в один тест попадёт только "
                          "одна из них")
        .arg(numberList(records), question);
}

QString fewQuestionsText(qsizetype distinct, const std::optional<SavedTest>& saved) {
    if (saved) {
        if (distinct >= saved->count)
            return QString();
        return QStringLiteral("Различных вопросов %1 — меньше, чем %2 вопросов теста в «%3»; "
                              "уменьшите число вопросов в «Параметры теста»")
            .arg(distinct)
            .arg(saved->count)
            .arg(saved->fileName);
    }
    if (distinct >= kDefaultQuestionCount)
        return QString();
    return QStringLiteral("Различных вопросов %1 — меньше, чем %2 вопросов теста по умолчанию; "
                          "уменьшите число вопросов в настройках")
        .arg(distinct)
        .arg(kDefaultQuestionCount);
}

QString rangeLeavesOutText(qsizetype records, const std::optional<SavedTest>& saved) {
    if (!saved || records == 0)
        return QString();
    const qsizetype from = std::max(1, saved->from);
    const qsizetype to = saved->to <= 0 ? records : std::min<qsizetype>(saved->to, records);
    QStringList out;
    auto span = [](qsizetype a, qsizetype b) {
        return a == b ? QString::number(a) : QStringLiteral("%1–%2").arg(a).arg(b);
    };
    if (from > 1)
        out << span(1, std::min(from - 1, records));
    if (to < records && to >= from)
        out << span(to + 1, records);
    if (out.isEmpty())
        return QString();
    return QStringLiteral("В «%1» записи от %2 до %3, а в базе их %4: записи %5 в тест не "
                          "попадут никогда — расширьте диапазон в «Параметры теста»")
        .arg(saved->fileName)
        .arg(saved->from)
        .arg(saved->to)
        .arg(records)
        .arg(out.join(QStringLiteral(" и ")));
}

QString sameCounterText(const std::vector<qsizetype>& records, qint64 counter) {
    return QStringLiteral("Записи %1: одинаковый «Счетчик» %2 — файл, вероятно, повреждён")
        .arg(numberList(records))
        .arg(counter);
}

QString counterGapsText(const std::vector<qint64>& sortedDistinct) {
    const QString gaps = gapRanges(sortedDistinct);
    if (gaps.isEmpty())
        return gaps;
    return QStringLiteral("«Счетчик»: нет номеров %1 — записи удалены или файл повреждён")
        .arg(gaps);
}

QString CheckCollector::counterOf(qsizetype i) const {
    return m_kept.isNull(i, FieldCounter) ? QString() : m_kept.text(i, FieldCounter).toString();
}

void CheckCollector::add(CheckSeverity severity, qsizetype i, const QString& field,
                         const QString& text) {
    const QString counter = counterOf(i);
    const QString name = recordName(i, counter, m_kept.isNull(i, FieldCounter));
    store({severity, static_cast<int>(i) + 1, counter, field, name + QStringLiteral(": ") + text});
}

void CheckCollector::addGroup(CheckSeverity severity, qsizetype first, const QString& field,
                              const QString& text) {
    store({severity, static_cast<int>(first) + 1, counterOf(first), field, text});
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

void AcrossRecords::reserve(qsizetype records) {
    m_firstOf.reserve(records);
    m_counters.reserve(static_cast<size_t>(std::max<qsizetype>(0, records)));
}

void AcrossRecords::add(const RecordTexts& kept, qsizetype i) {
    const QStringView text = kept.text(i, FieldQuestion);
    const auto seen = m_firstOf.constFind(text);
    if (seen == m_firstOf.constEnd()) {
        m_firstOf.insert(text, i);
    } else {
        std::vector<qsizetype>& group = m_groups[*seen];
        if (group.empty())
            group.push_back(*seen);
        group.push_back(i);
    }
    bool ok = false;
    const qint64 counter = kept.text(i, FieldCounter).toLongLong(&ok);
    if (!kept.isNull(i, FieldCounter) && ok)
        m_counters.emplace_back(counter, i);
}

void AcrossRecords::reportDuplicates(CheckCollector& out,
                                     const std::optional<SavedTest>& saved) const {
    const RecordTexts& kept = out.kept();
    for (const auto& [firstRecord, group] : m_groups)
        out.addGroup(CheckSeverity::Problem, firstRecord, bankFieldNames()[FieldQuestion],
                     duplicateQuestionText(group, kept.text(firstRecord, FieldQuestion)));
    const QString few = fewQuestionsText(m_firstOf.size(), saved);
    if (kept.size() > 0 && !few.isEmpty())
        out.addBankWide(CheckSeverity::Problem, few);
    const QString leftOut = rangeLeavesOutText(kept.size(), saved);
    if (!leftOut.isEmpty())
        out.addBankWide(CheckSeverity::Problem, leftOut);
}

void AcrossRecords::reportCounters(CheckCollector& out) {
    std::vector<std::pair<qint64, qsizetype>>& byCounter = m_counters;
    std::sort(byCounter.begin(), byCounter.end()); // equal counters side by side
    std::vector<qint64> values;
    for (size_t at = 0, end = 0; at < byCounter.size(); at = end) {
        const qint64 v = byCounter[at].first;
        for (end = at; end < byCounter.size() && byCounter[end].first == v;)
            ++end;
        values.push_back(v);
        std::vector<qsizetype> same;
        for (size_t k = at; end - at > 1 && k < end; ++k)
            same.push_back(byCounter[k].second);
        if (!same.empty())
            out.addBankWide(CheckSeverity::Warning, sameCounterText(same, v));
    }
    const QString gaps = counterGapsText(values);
    if (!gaps.isEmpty())
        out.addBankWide(CheckSeverity::Warning, gaps);
}

} // namespace kt
