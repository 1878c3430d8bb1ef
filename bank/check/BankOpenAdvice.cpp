// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/check/BankCheck.h"

#include <QRegularExpression>

namespace kt {
namespace {

struct Advice {
    const char* pattern; // a regular expression on the program's message
    const char* text;
};

// The reader's messages, from the most to the least particular.
constexpr Advice kAdvice[] = {
    {"^Field '", "в таблице нет этого столбца: добавьте его (имя — как в сообщении) или "
                 "соберите базу заново командой qbank import"},
    {"^Type mismatch", "у столбца не тот тип (нужные типы — в README, раздел о таблице вопросов): "
                       "исправьте его или соберите базу заново командой qbank import"},
    {"нет таблицы", "таблица вопросов должна называться «Таблица1»: переименуйте её"},
    {"не файл базы данных", "укажите путь к самому файлу базы (.mdb), а не к папке или "
                            "устройству"},
    {"не найден$", "проверьте путь к файлу и его имя"},
    {"открыть для чтения", "проверьте, что путь ведёт к файлу, а не к папке, и что файл "
                           "можно читать"},
    {"не является базой|повреждён",
     "восстановите файл из копии или соберите базу заново из CSV командой qbank import"},
    {"программу чтения", "qbank и knowtest-reader должны лежать в одной папке: установите "
                         "программу заново"},
};

} // namespace

QString bankOpenAdvice(const QString& message) {
    for (const Advice& a : kAdvice)
        if (message.contains(QRegularExpression(QString::fromUtf8(a.pattern))))
            return QStringLiteral("Что делать: ") + QString::fromUtf8(a.text);
    return QStringLiteral("Что делать: проверьте файл базы; если он не читается, соберите "
                          "базу заново из CSV командой qbank import");
}

} // namespace kt
