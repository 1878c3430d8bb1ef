// SPDX-License-Identifier: GPL-3.0-or-later
// qbank import: a CSV file, as a spreadsheet or an editor saves it, to a bank.

#include "bank/BankPath.h"
#include "bank/KtError.h"
#include "bank/import/BankImport.h"
#include "bank/import/workbook/Workbook.h"
#include "bank/jet/JetWriter.h"
#include "report/ReportReasons.h"
#include "report/WholeFileWrite.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <new>
#include <optional>

namespace kt {
namespace {

struct ImportCommand {
    ImportOptions options;
    QString table = bankTableName();
    bool fixtureOnly = false; // an option that needs --fixture was given
    bool replace = false;     // an existing bank may be replaced (its backup is kept)
    QString csv;
    QString bank;
};

bool takeOption(const QString& option, QStringList& args, ImportCommand& c) {
    c.fixtureOnly = c.fixtureOnly || option == u"--no-counter" || option == u"--table";
    if (option == u"--fixture")
        c.options.fixture = true;
    else if (option == u"--no-counter")
        c.options.addCounter = false;
    else if (option == u"--replace")
        c.replace = true;
    else if (args.isEmpty())
        return false;
    else if (option == u"--table")
        c.table = args.takeFirst();
    else if (option == u"--subject")
        c.options.subject = args.takeFirst();
    else if (option == u"--sheet")
        c.options.sheet = args.takeFirst();
    else if (option == u"--encoding") {
        const QString e = args.takeFirst().toLower();
        if (e != u"utf-8" && e != u"utf8" && e != u"cp1251" && e != u"windows-1251")
            return false;
        c.options.encoding = e.startsWith(u"utf") ? CsvEncoding::Utf8 : CsvEncoding::Cp1251;
    } else if (option == u"--separator") {
        const QString s = args.takeFirst();
        if (s != u"," && s != u";" && s != u"tab" && s != u"\t")
            return false;
        c.options.separator = s.size() == 1 ? s.front() : QChar(u'\t');
    } else
        return false;
    return true;
}

// Why the bank may not be written at that path, or an empty text.
QString outputProblem(const ImportCommand& c) {
    if (isSameFile(c.csv, c.bank))
        return QStringLiteral("«%1» — это сам файл CSV: укажите для базы другое имя").arg(c.bank);
    const QString kind = nonRegularKind(c.bank);
    if (!kind.isEmpty())
        return QStringLiteral("«%1» — не файл, а %2: базу туда записать нельзя").arg(c.bank, kind);
    if (QFileInfo(c.csv).isDir())
        return QStringLiteral("«%1» — папка, а не файл CSV").arg(c.csv);
    if (!c.options.sheet.isEmpty() && workbookKind(c.csv) == WorkbookKind::NotWorkbook)
        return QStringLiteral("--sheet выбирает лист книги .xlsx или .ods, а «%1» — не книга")
            .arg(c.csv);
    if (!c.replace && QFileInfo::exists(c.bank))
        return QStringLiteral("Файл «%1» уже есть, база не записана. Чтобы заменить его, "
                              "добавьте --replace: прежний файл сохранится как «%2»")
            .arg(c.bank, QDir::toNativeSeparators(backupPathOf(c.bank)));
    return QString();
}

void printWarnings(const ImportResult& result) {
    std::vector<ImportProblem> lines;
    for (const QString& w : result.warnings)
        lines.push_back({0, 0, QString(), QStringLiteral("Предупреждение: ") + w});
    print(stderr, formatImportProblems(lines, 100, result.warningsLeftOut));
}

// The bank being replaced is copied to its backup just before the new file
// takes its place, so a failed import never touches either; the previous
// backup is replaced only by a complete copy, as the editor's save does.
void keepBackup(const QString& bank) {
    if (!QFileInfo::exists(bank))
        return;
    const QString backup = backupPathOf(bank);
    const QString reason = copyWholeFile(bank, backup);
    if (!reason.isEmpty())
        throw KtError(
            QStringLiteral("Не удалось сохранить резервную копию «%1»: %2; база не записана")
                .arg(QDir::toNativeSeparators(backup), reason));
}

// Fixtures are small and shape their own columns: read whole, then written.
ImportResult importFixture(const ImportCommand& c, QFile& csv) {
    ImportResult result = importBankCsv(csv.readAll(), c.options);
    if (result.ok()) {
        keepBackup(c.bank);
        writeJetDatabase(c.bank, c.table, result.table.columns, result.table.rows);
    }
    return result;
}

// A teacher's file goes to the writer record by record as it is read; the
// writer's temporary file is dropped when a problem turns up later.
ImportResult importStreamed(const ImportCommand& c, QFile& csv) {
    std::optional<JetFileWriter> writer;
    const ImportRowSink sink = [&](JetRow&& row) {
        if (!writer)
            writer.emplace(c.bank, c.table, standardBankColumns());
        writer->addRow(row);
    };
    ImportResult result = workbookKind(c.csv) == WorkbookKind::NotWorkbook
                              ? importBankCsv(csv, c.options, sink)
                              : importBankWorkbook(c.csv, c.options, sink);
    if (result.ok() && writer) {
        keepBackup(c.bank);
        writer->commit();
    }
    return result;
}

int importFile(const ImportCommand& c) {
    QFile csv(c.csv);
    if (!csv.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("Не удалось открыть файл «%1»: %2\n")
                          .arg(c.csv, openFailureReason(c.csv)));
        return kExitProblems;
    }
    ImportResult result;
    try {
        result = c.options.fixture ? importFixture(c, csv) : importStreamed(c, csv);
    } catch (const KtError& e) {
        print(stderr, e.message() + u'\n');
        return kExitProblems;
    }
    if (!result.ok()) {
        print(stderr, formatImportProblems(result.problems, 100, result.problemsLeftOut) +
                          QStringLiteral("База не записана: исправьте файл и запустите снова.\n"));
        printWarnings(result);
        return kExitProblems;
    }
    printWarnings(result);
    if (workbookKind(c.csv) != WorkbookKind::NotWorkbook) {
        print(stdout, QStringLiteral("Записей: %1; прочитан лист книги «%2»\n")
                          .arg(result.recordCount)
                          .arg(QFileInfo(c.csv).fileName()));
        return 0;
    }
    print(stdout, QStringLiteral("Записей: %1; файл прочитан как %2, разделитель «%3»\n")
                      .arg(result.recordCount)
                      .arg(csvEncodingName(result.encoding), separatorName(result.separator)));
    return 0;
}

} // namespace

int runImport(QStringList args) {
    ImportCommand c;
    while (!args.isEmpty() && args.front().startsWith(QStringLiteral("--")))
        if (!takeOption(args.takeFirst(), args, c))
            return usage();
    if (c.fixtureOnly && !c.options.fixture) {
        print(stderr, QStringLiteral("--table и --no-counter делают тестовые базы, которые "
                                     "программа не откроет; они действуют только вместе с "
                                     "--fixture\n"));
        return usage();
    }
    if (args.size() != 2)
        return usage();
    c.csv = args[0];
    c.bank = args[1];
    const QString problem = outputProblem(c);
    if (!problem.isEmpty()) {
        print(stderr, problem + u'\n');
        return kExitProblems;
    }
    try {
        return importFile(c);
    } catch (const std::bad_alloc&) {
        // Every file the writer had begun is dropped while unwinding.
        print(stderr, QStringLiteral("Не хватило памяти, чтобы прочитать «%1»; база не записана, "
                                     "существующий файл не изменён\n")
                          .arg(c.csv));
        return kExitProblems;
    }
}

} // namespace kt
