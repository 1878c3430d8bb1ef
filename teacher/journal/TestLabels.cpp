// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/TestLabels.h"

#include "bank/KtError.h"
#include "report/AnswersFile.h"
#include "teacher/analysis/TestAnswers.h"

#include <QFileInfo>

namespace kt {
namespace {

// Date, time and student as one key; none of them holds a NUL.
QByteArray keyOf(QByteArrayView date, QByteArrayView time, QByteArrayView student) {
    QByteArray key;
    key.reserve(date.size() + time.size() + student.size() + 2);
    key.append(date).append('\0').append(time).append('\0').append(student);
    return key;
}

} // namespace

int TestLabels::intern(QStringList& list, QHash<QByteArray, int>& index, QByteArrayView text) {
    const QByteArray bytes = text.toByteArray();
    const auto found = index.constFind(bytes);
    if (found != index.constEnd())
        return *found;
    list.append(QString::fromUtf8(bytes));
    return *index.insert(bytes, int(list.size() - 1));
}

TestLabels TestLabels::read(const QString& answersPath) {
    TestLabels out;
    QHash<QByteArray, int> titles;
    QHash<QByteArray, int> pcs;
    AnswersReader reader(answersPath);
    AnswerFields f;
    QByteArray test; // a test's rows stand together: its first row is enough
    while (reader.next(f)) {
        if (f[ColTest] == test)
            continue;
        test = f[ColTest].toByteArray();
        const QByteArray key = keyOf(f[ColDate], f[ColTime], f[ColStudent]);
        if (out.m_byTest.contains(key))
            continue;
        out.m_byTest.insert(key, {out.intern(out.m_titles, titles, f[ColTitle]),
                                  out.intern(out.m_pcs, pcs, f[ColPc])});
    }
    return out;
}

TestLabels TestLabels::besideReport(const QString& reportPath) {
    const QString answers = answersFileFor(reportPath);
    if (answers.isEmpty() || !QFileInfo::exists(answers))
        return {};
    try {
        return read(answers);
    } catch (const KtError&) {
        return {};
    }
}

TestLabels::Indexes TestLabels::indexesOf(QByteArrayView date, QByteArrayView time,
                                          QByteArrayView student) const {
    if (m_byTest.isEmpty())
        return {};
    return m_byTest.value(keyOf(date, time, student));
}

TestLabel TestLabels::find(const QString& date, const QString& time, const QString& student) const {
    const Indexes found = indexesOf(date.toUtf8(), time.toUtf8(), student.toUtf8());
    return {m_titles.value(found.title), m_pcs.value(found.pc)};
}

} // namespace kt
