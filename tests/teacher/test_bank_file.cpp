// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankPath.h"
#include "bank/KtError.h"
#include "bank/jet/JetWriter.h"
#include "teacher/core/BankFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;

namespace {

BankTable sampleBank() {
    BankTable bank;
    for (int counter : {3, 10, 4}) {
        BankRecord r;
        r.text[FieldQuestion] =
            QStringLiteral("Вопрос со счётчиком %1 — ёж, «кавычки»").arg(counter);
        for (int k = 1; k <= 5; ++k)
            r.text[static_cast<size_t>(k)] = QStringLiteral("вариант %1").arg(k);
        r.text[FieldRightAnswer] = QString::number(counter % 5 + 1);
        r.text[FieldMark] = QString::number(counter * 2);
        r.text[FieldCounter] = QString::number(counter);
        r.text[FieldSubject] = QStringLiteral("Физика");
        bank.push_back(r);
    }
    bank[1].isNull[FieldMark] = true;
    bank[1].text[FieldMark].clear();
    return bank;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(BankFile, SavingKeepsOrderMarksAndCountersAndBacksUpTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB1.MDB"));
    const BankTable bank = sampleBank();
    saveBankFile(path, bank);
    EXPECT_FALSE(QFile::exists(backupPathOf(path))); // nothing to back up the first time
    const QByteArray first = contents(path);

    const LoadedBank loaded = loadBankFile(path);
    EXPECT_TRUE(loaded.extras.isEmpty()) << loaded.extras.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(loaded.records.size(), bank.size());
    for (size_t i = 0; i < bank.size(); ++i)
        for (int f = 0; f < FieldCountTotal; ++f)
            EXPECT_EQ(loaded.records[i]->text[static_cast<size_t>(f)],
                      bank[i].text[static_cast<size_t>(f)])
                << "record " << i << " field " << f;
    EXPECT_TRUE(loaded.records[1]->isNull[FieldMark]);

    BankTable changed = BankRows(loaded.records).table();
    changed.pop_back();
    saveBankFile(path, changed);
    EXPECT_EQ(backupPathOf(path), dir.filePath(QStringLiteral("DB1.bak.MDB")));
    EXPECT_EQ(contents(backupPathOf(path)), first);
    EXPECT_EQ(loadBankFile(path).records.size(), 2u);
}

TEST(BankFile, AFailedSaveLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB1.MDB"));
    saveBankFile(path, sampleBank());
    const QByteArray before = contents(path);
    BankTable duplicated = sampleBank();
    duplicated[2].text[FieldCounter] = QStringLiteral("3"); // two records with counter 3
    EXPECT_THROW(saveBankFile(path, duplicated), KtError);
    EXPECT_EQ(contents(path), before);
}

TEST(BankFile, ColumnsTheWriterDoesNotWriteAreNamed) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("access.mdb"));
    std::vector<JetColumn> columns = standardBankColumns();
    columns.push_back(JetColumn{QStringLiteral("Картинка"), JetType::Text, 100});
    JetRow row(columns.size());
    row[FieldQuestion] = QStringLiteral("в");
    row[FieldRightAnswer] = QStringLiteral("1");
    row[FieldMark] = QStringLiteral("0");
    writeJetDatabase(path, bankTableName(), columns, {row});
    const LoadedBank loaded = loadBankFile(path);
    ASSERT_EQ(loaded.extras.size(), 1);
    EXPECT_TRUE(loaded.extras[0].contains(QStringLiteral("«Картинка»")));

    EXPECT_EQ(lossesIfSavedTo(path, QString(), {}), loaded.extras); // another file
    EXPECT_TRUE(lossesIfSavedTo(path, path, {}).isEmpty());         // the bank's own, as opened
    EXPECT_TRUE(
        lossesIfSavedTo(dir.filePath(QStringLiteral("new.mdb")), path, loaded.extras).isEmpty());

    BankSchemaListing listing;
    listing.ok = true;
    listing.objects = {{1, QStringLiteral("Таблица1")},
                       {1, QStringLiteral("Оценки")},
                       {5, QStringLiteral("Запрос1")},
                       {3, QStringLiteral("Tables")}};
    EXPECT_EQ(extrasOf(listing), QStringList({QStringLiteral("таблица «Оценки»"),
                                              QStringLiteral("запрос «Запрос1»")}));
    EXPECT_EQ(extrasOf(decodeSchemaListing(encodeSchemaListing(listing))), extrasOf(listing));
    EXPECT_EQ(extrasOf(BankSchemaListing{}).size(), 1); // unknown: never overwritten silently
}
