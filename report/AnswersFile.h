// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace kt {

// The answers file: one CSV row (RFC 4180, UTF-8, LF) per question of every
// finished test, all rows of a test or none. Its header is the interface
// between the student's program that writes it and the teacher's tools that
// read it, so the columns are fixed in this order.
enum AnswerColumn {
    ColTest,
    ColDate,
    ColTime,
    ColPc,
    ColStudent,
    ColTitle,
    ColBank,
    ColSlot,
    ColCounter,
    ColQuestion,
    ColChosen,
    ColKey,
    ColOutcome,
    ColCount
};

QStringList answersHeader();

// "Итог" of a row: the three words the writer uses.
enum class AnswerVerdict { Right, Wrong, Unanswered, Unknown };
AnswerVerdict answerVerdict(QByteArrayView field);

// Answers.csv, Answers-PC.csv: the names a folder of a class holds.
bool isAnswersFileName(const QString& fileName);

// Files given on a command line or chosen in a dialog: a folder stands for
// its answers files, sorted by name; a file stands for itself.
QStringList answersFilesIn(const QStringList& filesOrFolders);

// The fields of one row, UTF-8 bytes with the quoting taken off. The views
// stay valid until the next call of next().
using AnswerFields = std::array<QByteArrayView, ColCount>;

// Reads an answers file row by row in large blocks, so a year of a school's
// answers is never in memory at once. Rows that do not have the thirteen
// fields (an edited file, one cut short by a full disk) are skipped and
// counted by their line.
class AnswersReader {
public:
    // Throws KtError with a Russian message when the file cannot be opened or
    // does not start with the answers header.
    explicit AnswersReader(const QString& path);

    // The next whole row; false at the end of the file. Throws KtError when
    // the file cannot be read further.
    bool next(AnswerFields& fields);
    const std::vector<int>& skippedLines() const { return m_skipped; }

private:
    enum class Parse { Row, Broken, NeedMore, End };
    Parse parseRecord(AnswerFields& fields);
    qsizetype parseField(qsizetype pos, int index, AnswerFields& fields, bool& broken);
    bool fill();
    void readHeader();

    QFile m_file;
    QString m_path;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    int m_line = 1;
    std::array<QByteArray, ColCount> m_unquoted;
    std::vector<int> m_skipped;
};

} // namespace kt
