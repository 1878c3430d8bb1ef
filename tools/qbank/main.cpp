// SPDX-License-Identifier: GPL-3.0-or-later
// qbank: the teacher's tool for question banks. Builds a bank file from CSV,
// checks a bank for what would spoil a test, and writes a bank back as CSV.
// The reading and checking live in the libraries; this is the command line.

#include "tools/qbank/AnalysisCommand.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"
#include "tools/qbank/ResultsCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <memory>

namespace kt {

const char* const kUsage = R"(Использование:
  qbank import [--encoding utf-8|cp1251] [--separator ЗНАК] [--subject ТЕКСТ]
               [--sheet ЛИСТ] [--replace] ВОПРОСЫ.csv|.xlsx|.ods БАЗА.mdb
  qbank check БАЗА.mdb
  qbank export [--excel] БАЗА.mdb > ВОПРОСЫ.csv
  qbank results [--excel] TestData.dat... | ПАПКА_КЛАССА > РЕЗУЛЬТАТЫ.csv
  qbank analysis [--excel] ОТВЕТЫ.csv_ИЛИ_ПАПКА... > ВОПРОСЫ.csv
  qbank class ПАПКА_КЛАССА
  qbank exam-password < ПАРОЛЬ.txt >> БАЗА.ini
  qbank import --fixture [--table ИМЯ] [--no-counter] ВОПРОСЫ.csv БАЗА.mdb
  qbank --help

import  создаёт новый файл базы (Jet 4, формат .mdb) с таблицей «Таблица1»
        из книги электронной таблицы (.xlsx, .ods: первый лист или
        --sheet ЛИСТ) или из файла CSV, сохранённого ею или редактором.
        Старую книгу Excel (.xls) сохраните как .xlsx или CSV.
        Кодировка CSV: «Текст Юникод» (UTF-16 с меткой BOM) читается как
        UTF-16; файл, верный в UTF-8 (с меткой BOM или без), - как UTF-8,
        иначе как Windows-1251; --encoding задаёт её явно.
        Разделитель полей («,», «;» или табуляция) берётся из строки
        заголовка; --separator задаёт его явно (, ; или tab). Поле с
        разделителем, кавычкой или переводом строки берётся в кавычки,
        кавычка внутри удваивается.
        Первая строка - заголовок; столбцы в любом порядке, имена без учёта
        регистра и пробелов по краям:
          Вопросы, Ответ1 … Ответ5  текст до 255 символов (обязательны)
          ВернОтв                   1…5 или буква А…Д / A…E (обязателен)
          Метка                     целое число; без столбца - 0
          Предмет                   текст до 50 символов; без столбца нужен
                                    --subject ТЕКСТ
        Другие столбцы пропускаются с предупреждением; «Счетчик» нумеруется
        сам: 1, 2, 3… Пустое поле - пустое значение (NULL), "" - пустой
        текст. Текст, начатый апострофом перед «=», «+», «-» или «@», теряет
        один апостроф (так export защищает ячейки от формул).
        Буквы ВернОтв одной раскладки читаются в ней; столбец, где есть
        и латинские, и кириллические буквы (латинская B - вариант 2,
        кириллическая В - 3), отвергается с номерами строк.
        Обо всех ошибках файла сообщается сразу, с номером строки (как
        её показывает электронная таблица) и именем столбца; тогда база не создаётся и существующий файл не меняется.
        Файл, который уже есть, заменяется только с --replace; прежний
        сохраняется рядом как ИМЯ.bak.MDB (для DB1.MDB - DB1.bak.MDB).
        Файл читается запись за записью. Запись больше чем из 1 000 полей,
        поле длиннее 100 000 символов и запись длиннее 1 000 000 символов
        отвергаются: в таблице вопросов таких не бывает.
check   печатает число записей, предмет и всё, что нужно исправить:
        «ОШИБКА:» - запись нельзя выбрать в тест или верно ответить на неё
        (код выхода 1); без пометки - то, что ученик увидит неверно;
        «Предупреждения» - что стоит знать. Код выхода 2, если базу не
        удалось открыть: тогда печатается сообщение программы и что делать.
export  выводит таблицу в формате CSV для import (без «Счетчик»).
        --excel: для электронной таблицы - разделитель «;», Windows-1251,
        если в неё укладываются все тексты, иначе UTF-8 с BOM.
results выводит блоки файлов отчета (TestData.dat) таблицей CSV; --excel -
        для электронной таблицы, как у export. Код выхода 1, если какой-то
        файл не прочитан. Папка класса - все её файлы TestData-*.dat.
analysis разбирает ответы учеников (Answers*.csv; папка - все такие
        файлы в ней): одна строка CSV на запись базы - сколько раз
        показана, доля верных, дискриминация (доля верных у лучших 27 %
        тестов минус доля у худших), бисериальная корреляция, доли
        выбора вариантов A…E и без ответа, флаг: «возможно неверный
        ключ», «слишком трудный», «слишком лёгкий», «не различает»,
        «мало данных». Доли - с точкой и тремя знаками. --excel - как у
        export. Код выхода 1, если какой-то файл не прочитан.
class   выводит состояние каждого ПК папки класса (status/*.json) таблицей
        CSV: ПК, ученик, название, состояние (start - ждёт ученика,
        testing - идёт тест, result - тест завершён), отвечено, вопросов,
        верно, неверно, осталось времени, секунд с последней записи.
exam-password читает пароль учителя первой строкой стандартного ввода и
        печатает строку «password=…» для раздела [exam] файла настроек теста:
        соль и медленный хеш пароля, сам пароль в файл не попадает.

--fixture только для тестов: делает базы, которые программа может не
        открыть. Заголовок задаёт столбцы как есть, тип можно задать после
        двоеточия: «ВернОтв:Long», «Метка:Text», «Вопросы:Text(100)»; типы:
        Boolean, Byte, Integer, Long, AutoLong, Currency, Single, Double,
        DateTime, Text, Text(N), Memo. --table ИМЯ - другое имя таблицы,
        --no-counter - без столбца «Счетчик».
)";

int usage() {
    print(stderr, QString::fromUtf8(kUsage));
    return kExitUsage;
}

} // namespace kt

namespace {

// Qt's own notes (a missing runtime folder, font substitutions) mean nothing
// to a teacher at a terminal; the tool prints its own messages.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// check measures texts in the screen's fonts, which needs the GUI part of
// Qt; without a display it works off screen.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    const bool check = argc > 1 && qstrcmp(argv[1], "check") == 0;
    if (!check)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A reader of export's output that goes away is reported, not fatal.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    qInstallMessageHandler(quietQtNotes);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
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
    if (command == u"analysis")
        return kt::runAnalysis(args);
    if (command == u"class")
        return kt::runClass(args);
    if (command == u"exam-password")
        return kt::runExamPassword(args);
    return kt::usage();
}
