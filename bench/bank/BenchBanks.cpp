// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bank/BenchBanks.h"

#include "bank/BankRecord.h"
#include "bank/jet/JetWriter.h"

#include <QRandomGenerator>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace kt::bench {

QString writeBenchBank(const QString& path, int records) {
    std::vector<JetRow> rows;
    rows.reserve(static_cast<size_t>(records));
    for (int i = 0; i < records; ++i) {
        const QString q = QStringLiteral("Вопрос %1: сколько будет %1 + %2?").arg(i).arg(i % 97);
        JetRow row{q};
        for (int k = 1; k <= 5; ++k)
            row.push_back(QStringLiteral("Вариант ответа %1 к вопросу %2").arg(k).arg(i));
        row.push_back(QString::number(i % 5 + 1));
        row.push_back(QStringLiteral("0"));
        row.push_back(std::nullopt);
        row.push_back(QStringLiteral("Математика"));
        rows.push_back(std::move(row));
    }
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    return path;
}

namespace {

// Deterministic, so that every run measures the same bank.
class Words {
public:
    QString text(int minLength, int maxLength) {
        const int length = minLength + static_cast<int>(next() % (maxLength - minLength + 1));
        QString out;
        while (out.size() < length) {
            if (!out.isEmpty())
                out += u' ';
            out += kWords[next() % (sizeof(kWords) / sizeof(kWords[0]))];
        }
        out.truncate(length - 1);
        return out.trimmed() + u'?';
    }

private:
    quint32 next() {
        m_seed = m_seed * 1103515245u + 12345u;
        return m_seed >> 8;
    }
    static constexpr const char16_t* kWords[] = {
        u"какой",       u"город",   u"является",    u"столицей",
        u"государства", u"в",       u"году",        u"произошло",
        u"сражение",    u"на",      u"реке",        u"как",
        u"называется",  u"процесс", u"превращения", u"воды",
        u"пар",         u"при",     u"температуре", u"сколько",
        u"будет",       u"если",    u"умножить",    u"число",
        u"Пётр",        u"Великий", u"основал",     u"Санкт-Петербург",
        u"(см.",        u"рис.)",   u"«Война",      u"и",
        u"мир»",        u"—",       u"роман",       u"электричество"};
    quint32 m_seed = 20261209;
};

} // namespace

QString writeRealisticBank(const QString& path, int records) {
    Words words;
    std::vector<JetRow> rows;
    rows.reserve(static_cast<size_t>(records));
    for (int i = 0; i < records; ++i) {
        JetRow row{words.text(40, 200)};
        for (int k = 1; k <= 5; ++k)
            row.push_back(words.text(5, 80));
        row.push_back(QString::number(i % 5 + 1));
        row.push_back(QStringLiteral("0"));
        row.push_back(QString::number(i + 1));
        row.push_back(QStringLiteral("История"));
        rows.push_back(std::move(row));
    }
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    return path;
}

double peakResidentMb() {
#ifdef Q_OS_UNIX
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

} // namespace kt::bench
