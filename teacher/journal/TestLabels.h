// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kt {

// The test's title and PC as the answers file beside a report file names
// them. A report block has neither; its date, time and student find them.
struct TestLabel {
    QString title;
    QString pc;
};

// Every test of one answers file by its date, time and student, kept small:
// a year's answers file has a row per question, this a few bytes per test.
class TestLabels {
public:
    // Reads the answers file in one streaming pass. Throws KtError when it
    // cannot be opened or read, or is no answers file.
    static TestLabels read(const QString& answersPath);
    // The labels of the answers file beside the report file (Answers-PC.csv
    // beside TestData-PC.dat); none when it is missing or cannot be read,
    // as the journal shows a report without its answers all the same.
    static TestLabels besideReport(const QString& reportPath);

    bool isEmpty() const { return m_byTest.isEmpty(); }
    // The first test of the file with this date, time and student; empty
    // texts when there is none.
    TestLabel find(const QString& date, const QString& time, const QString& student) const;

    // The same as numbers into titles() and pcs(), -1 when there is none;
    // the texts as UTF-8.
    struct Indexes {
        int title = -1;
        int pc = -1;
    };
    Indexes indexesOf(QByteArrayView date, QByteArrayView time, QByteArrayView student) const;
    const QStringList& titles() const { return m_titles; }
    const QStringList& pcs() const { return m_pcs; }

private:
    int intern(QStringList& list, QHash<QByteArray, int>& index, QByteArrayView text);

    QHash<QByteArray, Indexes> m_byTest;
    QStringList m_titles;
    QStringList m_pcs;
};

} // namespace kt
