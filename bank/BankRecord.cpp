// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankRecord.h"

namespace kt {

const std::array<QString, FieldCountTotal>& bankFieldNames() {
    static const std::array<QString, FieldCountTotal> names = {
        QStringLiteral("Вопросы"), QStringLiteral("Ответ1"), QStringLiteral("Ответ2"),
        QStringLiteral("Ответ3"),  QStringLiteral("Ответ4"), QStringLiteral("Ответ5"),
        QStringLiteral("ВернОтв"), QStringLiteral("Метка"),  QStringLiteral("Счетчик"),
        QStringLiteral("Предмет")};
    return names;
}

QString bankTableName() {
    return QStringLiteral("Таблица1");
}

} // namespace kt
