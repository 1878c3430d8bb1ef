// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/check/BankOpenAdvice.h"

namespace kt {
namespace {

const char* adviceText(BankFailure failure) {
    switch (failure) {
    case BankFailure::FieldMissing:
        return "в таблице нет этого столбца: добавьте его (имя — как в сообщении) или "
               "соберите базу заново командой qbank import";
    case BankFailure::TypeMismatch:
        return "у столбца не тот тип (нужные типы — в README, раздел о таблице вопросов): "
               "исправьте его или соберите базу заново командой qbank import";
    case BankFailure::TableMissing:
        return "таблица вопросов должна называться «Таблица1»: переименуйте её";
    case BankFailure::NotAFile:
        return "укажите путь к самому файлу базы (.mdb), а не к папке или устройству";
    case BankFailure::FileMissing:
        return "проверьте путь к файлу и его имя";
    case BankFailure::FileUnreadable:
        return "проверьте, что путь ведёт к файлу, а не к папке, и что файл можно читать";
    case BankFailure::NotJet:
    case BankFailure::Damaged:
        return "восстановите файл из копии или соберите базу заново из CSV командой qbank import";
    case BankFailure::ReaderMissing:
        return "qbank и knowtest-reader должны лежать в одной папке: установите программу заново";
    }
    return nullptr;
}

} // namespace

QString bankOpenAdvice(BankFailure failure) {
    return QStringLiteral("Что делать: ") + QString::fromUtf8(adviceText(failure));
}

QString bankOpenAdvice(const KtError& error) {
    if (const auto* read = dynamic_cast<const BankReadError*>(&error))
        return bankOpenAdvice(read->failure());
    return QStringLiteral("Что делать: проверьте файл базы; если он не читается, соберите "
                          "базу заново из CSV командой qbank import");
}

} // namespace kt
