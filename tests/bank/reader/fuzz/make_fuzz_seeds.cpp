// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed banks of the reader fuzz target into the folder given:
// sound banks of several shapes and banks the reader refuses.
#include "bank/KtError.h"
#include "tests/bank/reader/BankFixtures.h"

#include <QDir>

#include <cstdio>

using namespace kt;
using namespace kt::testing;

namespace {

std::vector<Question> questions(int n) {
    std::vector<Question> qs;
    for (int i = 0; i < n; ++i)
        qs.push_back(question(QStringLiteral("Вопрос %1 — «ёж» €").arg(i), QString::number(i % 6)));
    if (n > 1) {
        qs[1].right.reset();
        qs[1].mark.reset();
    }
    return qs;
}

void writeSeeds(const QDir& dir) {
    std::vector<JetColumn> cols = standardBankColumns();
    writeBank(dir.filePath("standard.mdb"), cols, questions(4));
    writeBank(dir.filePath("empty.mdb"), cols, {});
    writeBank(dir.filePath("pages.mdb"), cols, questions(200));
    writeBank(dir.filePath("other-table.mdb"), cols, questions(2), QStringLiteral("Таблица2"));
    std::vector<JetColumn> shuffled(cols.rbegin(), cols.rend());
    shuffled.insert(shuffled.begin() + 2, JetColumn{QStringLiteral("Заметки"), JetType::Memo});
    shuffled.push_back(JetColumn{QStringLiteral("Вес"), JetType::Double});
    shuffled.push_back(JetColumn{QStringLiteral("Флаг"), JetType::Boolean});
    writeBank(dir.filePath("shuffled.mdb"), shuffled, questions(5));
    std::vector<JetColumn> mistyped = cols;
    mistyped[FieldRightAnswer].type = JetType::Long;
    writeBank(dir.filePath("mistyped.mdb"), mistyped, questions(3));
    std::vector<JetColumn> noMark = cols;
    noMark.erase(noMark.begin() + FieldMark);
    writeBank(dir.filePath("no-mark.mdb"), noMark, questions(3));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.removeRecursively();
    if (!QDir().mkpath(dir.path()))
        return 1;
    try {
        writeSeeds(dir);
    } catch (const KtError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
