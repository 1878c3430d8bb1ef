// qbank: the teacher's tool for question banks. Builds a bank file from CSV,
// checks a bank for what would spoil a test, and writes a bank back as CSV.

#include "BankCheck.h"
#include "BankCsv.h"
#include "JetWriter.h"
#include "KtError.h"
#include "MdbBankSource.h"
#include "ResultsCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace kt {
namespace {

constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;
constexpr int kExitUnreadable = 2;

const char* const kUsage = R"(Использование:
  qbank import [--table ИМЯ] [--no-counter] ВОПРОСЫ.csv БАЗА.mdb
  qbank check БАЗА.mdb
  qbank export БАЗА.mdb > ВОПРОСЫ.csv
  qbank results [--excel] TestData.dat... > РЕЗУЛЬТАТЫ.csv
  qbank --help

import  создаёт новый файл базы (Jet 4, формат .mdb) с таблицей «Таблица1»
        (или ИМЯ из --table) из файла CSV в кодировке UTF-8 (RFC 4180:
        поля через запятую, поле с запятой, кавычкой или переводом строки
        берётся в кавычки, кавычка внутри удваивается). Существующий файл
        базы заменяется; при ошибке он не создаётся и не меняется.
        Первая строка - заголовок с именами столбцов в любом порядке:
          Вопросы, Ответ1 … Ответ5  текст до 255 символов
          ВернОтв                   Byte (0…255), номер верного ответа 1…5
          Метка                     Integer
          Предмет                   текст до 50 символов
        «Счетчик» (счётчик 1, 2, 3… в порядке строк) добавляется сам перед
        «Предмет»; --no-counter - не добавлять; значения столбца «Счетчик»,
        если он есть в заголовке, не читаются. Поля можно пропускать,
        другие имена дают столбцы «текст до 255 символов». Тип можно задать
        после двоеточия: «ВернОтв:Long», «Метка:Text», «Вопросы:Text(100)».
        Типы: Boolean, Byte, Integer, Long, AutoLong, Currency, Single,
        Double, DateTime, Text, Text(N), Memo.
        Пустое поле - NULL (пустое значение), "" - пустой текст. Дробные
        числа пишутся с точкой (2.5), даты - ГГГГ-ММ-ДД или ДД.ММ.ГГГГ,
        время после пробела - ЧЧ:ММ:СС; логические значения - 1/0.
check   печатает число записей, предмет и всё, что нужно исправить.
        Код выхода 1, если какую-то запись нельзя выбрать в тест или на неё
        нельзя ответить верно; 2, если базу не удалось открыть.
export  выводит таблицу в формате CSV для import (без «Счетчик»).
results выводит блоки файлов отчета таблицей CSV; --excel - для электронных
        таблиц (точка с запятой, Windows-1251). Код выхода 1, если файл не прочитан.
)";

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int usage() {
    print(stderr, QString::fromUtf8(kUsage));
    return kExitUsage;
}

int runImport(QStringList args) {
    QString table = bankTableName();
    bool counter = true;
    while (!args.isEmpty() && args.front().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == u"--table" && !args.isEmpty())
            table = args.takeFirst();
        else if (option == u"--no-counter")
            counter = false;
        else
            return usage();
    }
    if (args.size() != 2)
        return usage();
    QFile csv(args[0]);
    if (!csv.open(QIODevice::ReadOnly)) {
        print(stderr,
              QStringLiteral("Не удалось открыть файл «%1»: %2\n").arg(args[0], csv.errorString()));
        return kExitProblems;
    }
    try {
        const BankCsvTable bank =
            bankTableFromCsv(decodeUtf8Strict(csv.readAll(), args[0]), counter);
        writeJetDatabase(args[1], table, bank.columns, bank.rows);
    } catch (const KtError& e) {
        print(stderr, e.message() + u'\n');
        return kExitProblems;
    }
    return 0;
}

// A bank that cannot be read gets the message the program itself would show.
bool loadRaw(const QString& path, BankTable& raw) {
    try {
        raw = MdbBankSource(path).LoadRaw();
        return true;
    } catch (const KtError& e) {
        print(stderr, e.message() + u'\n');
        return false;
    }
}

int runCheck(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    BankTable raw;
    if (!loadRaw(args[0], raw))
        return kExitUnreadable;
    const BankCheckReport report = checkBank(raw);
    print(stdout, formatBankCheck(report));
    return report.fatal ? kExitProblems : 0;
}

int runExport(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    BankTable raw;
    if (!loadRaw(args[0], raw))
        return kExitUnreadable;
    QString out = bankCsvHeader();
    for (const BankRecord& r : raw)
        out += bankCsvRecord(r);
    print(stdout, out);
    return 0;
}

} // namespace
} // namespace kt

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        kt::print(stdout, QString::fromUtf8(kt::kUsage));
        return 0;
    }
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == u"import")
        return kt::runImport(args);
    if (command == u"check")
        return kt::runCheck(args);
    if (command == u"export")
        return kt::runExport(args);
    if (command == u"results")
        return kt::runResults(args);
    return kt::usage();
}
