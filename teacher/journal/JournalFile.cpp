// SPDX-License-Identifier: GPL-3.0-or-later
// A report file's blocks made into the journal's small rows as they are
// read: no block's texts are made on the way.

#include "teacher/journal/JournalData.h"

#include <QFileInfo>

namespace kt {
namespace {

// A number the parser has checked: plain digits, maybe after '-'. It is
// plain when its number gives the same text back.
struct Number {
    int value = 0;
    bool plain = true;
};

Number numberOf(QByteArrayView text) {
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty())
        return {0, false};
    if (digits.size() <= 9) {
        int v = 0;
        for (char c : digits)
            v = v * 10 + (c - '0');
        const bool plain = (digits.size() == 1 || digits[0] != '0') && !(negative && v == 0);
        return {negative ? -v : v, plain};
    }
    bool ok = false;
    const int v = text.toInt(&ok); // as the texts' toInt() gave it: 0 when too large
    return {ok ? v : 0, ok && digits[0] != '0'};
}

int digitsAt(QByteArrayView v, qsizetype at, qsizetype n) {
    int out = 0;
    for (qsizetype i = at; i < at + n; ++i)
        out = out * 10 + (v[i] - '0');
    return out;
}

// Seconds of "h:mm:ss" or "hh:mm:ss", which the parser has checked.
int secondsOf(QByteArrayView v, bool* twoDigitHour) {
    const qsizetype h = v.indexOf(':');
    *twoDigitHour = h == 2;
    return digitsAt(v, 0, h) * 3600 + digitsAt(v, h + 1, 2) * 60 + digitsAt(v, h + 4, 2);
}

class JournalFileBuilder {
public:
    JournalFileBuilder(const TestLabels& labels, qint64 expectedBlocks) : m_labels(labels) {
        // Set aside once: memory not written is never taken from the system.
        m_file.rows.reserve(static_cast<size_t>(expectedBlocks));
        m_file.titles = labels.titles();
        m_file.pcs = labels.pcs();
    }
    void add(const ReportValues& v);
    JournalFile take(std::vector<ReportDamage> damage) {
        m_file.damage = std::move(damage);
        return std::move(m_file);
    }

private:
    int nameOf(const ReportValues& v);

    const TestLabels& m_labels;
    JournalFile m_file;
    // The names as the blocks have them, in code page 1251 and in UTF-8,
    // each made a text once.
    TextPool<QByteArray, QByteArrayView> m_raw[2];
    std::vector<int> m_rawName[2];
    int m_blocks = 0;
};

int JournalFileBuilder::nameOf(const ReportValues& v) {
    const int kind = v.utf8 ? 1 : 0;
    const int raw = m_raw[kind].intern(v.studentName);
    std::vector<int>& names = m_rawName[kind];
    if (raw == static_cast<int>(names.size())) {
        names.push_back(static_cast<int>(m_file.names.size()));
        m_file.names.append(studentNameOf(v));
    }
    return names[static_cast<size_t>(raw)];
}

void JournalFileBuilder::add(const ReportValues& v) {
    JournalRow r;
    r.name = nameOf(v);
    const Number numbers[] = {numberOf(v.percent), numberOf(v.bankSize), numberOf(v.count),
                              numberOf(v.from),    numberOf(v.to),       numberOf(v.minutes)};
    int* fields[] = {&r.percent, &r.bankSize, &r.count, &r.from, &r.to, &r.minutes};
    bool plain = true;
    for (size_t i = 0; i < 6; ++i) {
        *fields[i] = numbers[i].value;
        plain = plain && numbers[i].plain;
    }
    bool twoDigitHour = false, twoDigitHourLeft = false;
    r.time = QTime::fromMSecsSinceStartOfDay(secondsOf(v.time, &twoDigitHour) * 1000);
    r.timeLeftSeconds = secondsOf(v.timeLeft, &twoDigitHourLeft);
    r.shape = (twoDigitHour ? JournalRow::kTwoDigitHour : 0) |
              (twoDigitHourLeft ? JournalRow::kTwoDigitHourLeft : 0);
    r.date = QDate(digitsAt(v.date, 6, 4), digitsAt(v.date, 3, 2), digitsAt(v.date, 0, 2));
    if (!plain) {
        r.texts = static_cast<int>(m_file.texts.size());
        m_file.texts.push_back(reportEntry(v));
    }
    r.first.block = ++m_blocks;
    if (!m_labels.isEmpty()) {
        const QByteArray name =
            v.utf8 ? v.studentName.toByteArray() : m_file.names[r.name].toUtf8();
        const TestLabels::Indexes found = m_labels.indexesOf(v.date, v.time, name);
        r.title = found.title;
        r.pc = found.pc;
    }
    m_file.rows.push_back(r);
}

} // namespace

JournalFile readJournalFile(const QString& path) {
    const TestLabels labels = TestLabels::besideReport(path);
    JournalFileBuilder b(labels, maxBlocksIn(QFileInfo(path).size()));
    std::vector<ReportDamage> damage =
        scanReportFile(path, [&b](const ReportValues& v) { b.add(v); });
    return b.take(std::move(damage));
}

JournalFile journalFileOf(const ParsedReport& report, const TestLabels& labels) {
    JournalFileBuilder b(labels, static_cast<qint64>(report.entries.size()));
    for (const ReportEntry& e : report.entries) {
        const QByteArray name = e.studentName.toUtf8(), percent = e.percent.toLatin1(),
                         date = e.date.toLatin1(), time = e.time.toLatin1(),
                         timeLeft = e.timeLeft.toLatin1(), bankSize = e.bankSize.toLatin1(),
                         count = e.count.toLatin1(), from = e.from.toLatin1(), to = e.to.toLatin1(),
                         minutes = e.minutes.toLatin1();
        b.add({e.line, name, true, percent, date, time, timeLeft, bankSize, count, from, to,
               minutes});
    }
    return b.take(report.damage);
}

} // namespace kt
