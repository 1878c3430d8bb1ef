// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/analysis/AnswerSet.h"

#include "report/AnswersFile.h"

#include <QDir>

namespace kt {
namespace {

// The item's identity: bank, counter and question text, in one key.
void itemKey(QByteArray& key, const AnswerFields& f) {
    key.resize(0); // keeps the capacity for the next row
    key.append(f[ColBank]).append('\x1f').append(f[ColCounter]).append('\x1f');
    key.append(f[ColQuestion]);
}

int variant(QByteArrayView field) {
    bool ok = false;
    const int v = field.toInt(&ok);
    return ok && v >= 0 && v <= 5 ? v : -1;
}

} // namespace

void AnswerSet::addFile(const QString& path) {
    AnswersReader reader(path);
    m_files.append(path);
    const int file = int(m_files.size()) - 1;
    AnswerFields f;
    QByteArray lastTest;
    QByteArray key;
    int test = -1;
    while (reader.next(f)) {
        const AnswerVerdict outcome = answerVerdict(f[ColOutcome]);
        const int chosen = variant(f[ColChosen]);
        bool counterOk = false;
        const int counter = f[ColCounter].toInt(&counterOk);
        if (outcome == AnswerVerdict::Unknown || chosen < 0 || !counterOk) {
            m_problems.append(QStringLiteral("%1: строка с неверным полем пропущена")
                                  .arg(QDir::toNativeSeparators(path)));
            continue;
        }
        if (test < 0 || f[ColTest] != QByteArrayView(lastTest)) {
            lastTest = f[ColTest].toByteArray();
            test = testFor(lastTest, f[ColDate].toByteArray(), f[ColTitle].toByteArray());
        }
        itemKey(key, f);
        const int item = itemFor(key, counter, variant(f[ColKey]));
        if (m_items[size_t(item)].question.isNull()) {
            AnswerItem& it = m_items[size_t(item)];
            it.bank = QString::fromUtf8(f[ColBank]);
            it.question = QString::fromUtf8(f[ColQuestion]);
            it.file = file;
        }
        const bool right = outcome == AnswerVerdict::Right;
        m_rows.push_back({test, item, qint8(chosen), right});
        m_tests[size_t(test)].right += right ? 1 : 0;
        m_tests[size_t(test)].total += 1;
    }
    for (int line : reader.skippedLines())
        m_problems.append(QStringLiteral("%1:%2: строка повреждена и пропущена")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(line));
}

int AnswerSet::testFor(const QByteArray& id, const QByteArray& date, const QByteArray& title) {
    const auto found = m_testIndex.constFind(id);
    if (found != m_testIndex.constEnd())
        return *found;
    AnswerTest test;
    test.date = QDate::fromString(QString::fromLatin1(date), QStringLiteral("dd.MM.yyyy"));
    test.title = titleFor(title);
    m_tests.push_back(test);
    const int index = int(m_tests.size()) - 1;
    m_testIndex.insert(id, index);
    return index;
}

int AnswerSet::itemFor(const QByteArray& key, int counter, int rightVariant) {
    const auto found = m_itemIndex.constFind(key);
    if (found != m_itemIndex.constEnd())
        return *found;
    AnswerItem item;
    item.counter = counter;
    item.key = rightVariant;
    m_items.push_back(item);
    const int index = int(m_items.size()) - 1;
    m_itemIndex.insert(key, index);
    return index;
}

int AnswerSet::titleFor(const QByteArray& title) {
    const auto found = m_titleIndex.constFind(title);
    if (found != m_titleIndex.constEnd())
        return *found;
    m_titles.append(QString::fromUtf8(title));
    const int index = int(m_titles.size()) - 1;
    m_titleIndex.insert(title, index);
    return index;
}

} // namespace kt
