// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace kt {

// A bank record as the answers name it. The same counter with another
// question text is another item: the record was rewritten since, and its
// old answers say nothing of the new question.
struct AnswerItem {
    QString bank;
    int counter = 0;
    QString question;
    int key = 0;  // the record's right variant, 1…5
    int file = 0; // the first answers file that names it
};

// One finished test: its share of rows judged right ranks it.
struct AnswerTest {
    QDate date;
    int title = 0; // index into AnswerSet::titles()
    int right = 0;
    int total = 0;
    double percent() const { return total > 0 ? double(right) / total : 0.0; }
};

// One answered question: the variant is the bank's number (0 for none).
struct AnswerRow {
    int test = 0;
    int item = 0;
    qint8 chosen = 0;
    bool right = false;
};

// The rows of every answers file given, kept compactly (a few bytes a row)
// with each test, title and item stored once.
class AnswerSet {
public:
    // Throws KtError when the file cannot be opened or is no answers file.
    void addFile(const QString& path);

    const std::vector<AnswerTest>& tests() const { return m_tests; }
    const std::vector<AnswerItem>& items() const { return m_items; }
    const std::vector<AnswerRow>& rows() const { return m_rows; }
    const QStringList& titles() const { return m_titles; }
    const QStringList& files() const { return m_files; }
    // "ФАЙЛ:СТРОКА: строка повреждена и пропущена" for every row not read.
    const QStringList& problems() const { return m_problems; }

private:
    int testFor(const QByteArray& id, const QByteArray& date, const QByteArray& title);
    int itemFor(const QByteArray& key, int counter, int rightVariant);
    int titleFor(const QByteArray& title);

    std::vector<AnswerTest> m_tests;
    std::vector<AnswerItem> m_items;
    std::vector<AnswerRow> m_rows;
    QStringList m_titles;
    QStringList m_files;
    QStringList m_problems;
    QHash<QByteArray, int> m_testIndex;
    QHash<QByteArray, int> m_itemIndex;
    QHash<QByteArray, int> m_titleIndex;
};

} // namespace kt
