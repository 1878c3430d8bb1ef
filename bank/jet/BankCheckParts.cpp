#include "BankCheckParts.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace kt {
namespace {

constexpr int kDefaultQuestionCount = 60;
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

// Records that share a question text, each group in record order and the
// groups in the order of their first records; and how many texts differ.
struct SameTexts {
    std::map<qsizetype, std::vector<qsizetype>> groups; // by the first record
    qsizetype distinct = 0;
};

SameTexts sameQuestions(const RecordTexts& kept) {
    SameTexts out;
    QHash<QStringView, qsizetype> first; // views into the table: no text is copied
    first.reserve(kept.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QStringView text = kept.text(i, FieldQuestion);
        const auto seen = first.constFind(text);
        if (seen == first.constEnd()) {
            first.insert(text, i);
            continue;
        }
        std::vector<qsizetype>& group = out.groups[*seen];
        if (group.empty())
            group.push_back(*seen);
        group.push_back(i);
    }
    out.distinct = first.size();
    return out;
}

} // namespace

QString CheckCollector::counterOf(qsizetype i) const {
    return m_kept.isNull(i, FieldCounter) ? QString() : m_kept.text(i, FieldCounter).toString();
}

void CheckCollector::add(CheckSeverity severity, qsizetype i, const QString& field,
                         const QString& text) {
    const QString counter = counterOf(i);
    QString name = QStringLiteral("Запись %1").arg(i + 1);
    if (!m_kept.isNull(i, FieldCounter))
        name += QStringLiteral(" (Счетчик %1)").arg(counter);
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

void checkDuplicates(CheckCollector& out) {
    const RecordTexts& kept = out.kept();
    const SameTexts same = sameQuestions(kept);
    for (const auto& [firstRecord, group] : same.groups)
        out.addGroup(CheckSeverity::Problem, firstRecord, bankFieldNames()[FieldQuestion],
                     QStringLiteral("Записи %1: одинаковый текст вопроса «%2» — в один тест "
                                    "попадёт только одна из них")
                         .arg(numberList(group), kept.text(firstRecord, FieldQuestion).toString()));
    if (kept.size() > 0 && same.distinct < kDefaultQuestionCount)
        out.addBankWide(CheckSeverity::Problem,
                        QStringLiteral("Различных вопросов %1 — меньше, чем %2 вопросов теста по "
                                       "умолчанию; уменьшите число вопросов в настройках")
                            .arg(same.distinct)
                            .arg(kDefaultQuestionCount));
}

void checkCounters(CheckCollector& out) {
    const RecordTexts& kept = out.kept();
    std::vector<std::pair<qint64, qsizetype>> byCounter; // sorted below: equal ones side by side
    byCounter.reserve(static_cast<size_t>(kept.size()));
    for (qsizetype i = 0; i < kept.size(); ++i) {
        bool ok = false;
        const qint64 v = kept.text(i, FieldCounter).toLongLong(&ok);
        if (!kept.isNull(i, FieldCounter) && ok)
            byCounter.emplace_back(v, i);
    }
    std::sort(byCounter.begin(), byCounter.end());
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
            out.addBankWide(CheckSeverity::Warning,
                            QStringLiteral("Записи %1: одинаковый «Счетчик» %2 — файл, "
                                           "вероятно, повреждён")
                                .arg(numberList(same))
                                .arg(v));
    }
    const QString gaps = gapRanges(values);
    if (!gaps.isEmpty())
        out.addBankWide(CheckSeverity::Warning,
                        QStringLiteral("«Счетчик»: нет номеров %1 — записи удалены или файл "
                                       "повреждён")
                            .arg(gaps));
}

} // namespace kt
