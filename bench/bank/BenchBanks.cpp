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

// Words of a question paper, put together to a length drawn per text.
QString variedText(QRandomGenerator& random, int shortest, int longest) {
    static const QStringList words = {
        QStringLiteral("какой"),   QStringLiteral("река"),    QStringLiteral("столица"),
        QStringLiteral("году"),    QStringLiteral("сколько"), QStringLiteral("государство"),
        QStringLiteral("площадь"), QStringLiteral("север"),   QStringLiteral("закон"),
        QStringLiteral("формула"), QStringLiteral("реакция"), QStringLiteral("число")};
    const int length = static_cast<int>(random.bounded(shortest, longest + 1));
    QString text;
    while (text.size() < length)
        text += words[static_cast<int>(random.bounded(words.size()))] + u' ';
    text.truncate(length - 1);
    return text + u'?';
}

} // namespace

QString writeVariedBank(const QString& path, int records) {
    QRandomGenerator random(static_cast<quint32>(records));
    std::vector<JetRow> rows;
    rows.reserve(static_cast<size_t>(records));
    for (int i = 0; i < records; ++i) {
        JetRow row{variedText(random, 40, 200)};
        for (int k = 1; k <= 5; ++k)
            row.push_back(variedText(random, 5, 60));
        row.push_back(QString::number(i % 5 + 1));
        row.push_back(QStringLiteral("0"));
        row.push_back(std::nullopt);
        row.push_back(QStringLiteral("География"));
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
