// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/BankImportHeader.h"

namespace kt {
namespace {

int fieldNamed(const QString& name) {
    const auto& names = bankFieldNames();
    for (int f = 0; f < FieldCountTotal; ++f)
        if (names[f].compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return -1;
}

QString quotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names)
        quoted << QStringLiteral("«%1»").arg(n);
    return quoted.join(QStringLiteral(", "));
}

// A header read with the wrong separator has one long name holding the
// others, separators and all.
QString separatorHint(const QStringList& names, QChar separator) {
    for (QChar other : {QChar(u';'), QChar(u','), QChar(u'\t')}) {
        if (other == separator)
            continue;
        for (const QString& n : names)
            if (n.contains(other))
                return QStringLiteral(". Похоже, поля разделены знаком «%1», а файл читается с "
                                      "разделителем «%2»: укажите --separator")
                    .arg(separatorName(other), separatorName(separator));
    }
    return QString();
}

void noteColumn(BankHeaderMap& map, int index, int header, ImportResult& result) {
    const QString& name = map.names[index];
    const int f = fieldNamed(name);
    if (name.isEmpty()) {
        result.warnings << QStringLiteral("Столбец %1 без имени пропущен").arg(index + 1);
    } else if (f < 0) {
        result.warnings << QStringLiteral("Столбец «%1» программе не нужен и пропущен").arg(name);
    } else if (map.column[f] >= 0) {
        result.problems.push_back(
            {header, index + 1, QString(), QStringLiteral("столбец «%1» указан дважды").arg(name)});
    } else {
        map.column[f] = index;
        if (f == FieldCounter)
            result.warnings << QStringLiteral("Значения столбца «%1» не читаются: записи "
                                              "нумеруются 1, 2, 3… по порядку")
                                   .arg(bankFieldNames()[f]);
    }
}

void requireColumns(const BankHeaderMap& map, const CsvRecord& header, const ImportOptions& options,
                    ImportResult& result) {
    QStringList missing;
    for (int f : {0, 1, 2, 3, 4, 5, int(FieldRightAnswer)})
        if (map.column[f] < 0)
            missing << bankFieldNames()[f];
    if (!missing.isEmpty())
        result.problems.push_back(
            {header.line, 0, QString(),
             QStringLiteral("в заголовке нет %1 %2. Найдены столбцы: %3%4")
                 .arg(missing.size() == 1 ? QStringLiteral("столбца") : QStringLiteral("столбцов"),
                      quotedList(missing), quotedList(map.names),
                      separatorHint(map.names, result.separator))});
    const QString& subject = bankFieldNames()[FieldSubject];
    if (map.column[FieldSubject] < 0 && !options.subject)
        result.problems.push_back(
            {header.line, 0, QString(),
             QStringLiteral("в заголовке нет столбца «%1»: добавьте его или задайте предмет "
                            "для всех записей: --subject ТЕКСТ")
                 .arg(subject)});
    if (map.column[FieldSubject] >= 0 && options.subject)
        result.warnings
            << QStringLiteral("--subject не использован: в файле есть столбец «%1»").arg(subject);
}

} // namespace

BankHeaderMap mapBankHeader(const CsvRecord& header, const ImportOptions& options,
                            ImportResult& result) {
    BankHeaderMap map;
    map.column.fill(-1);
    for (const CsvCell& cell : header.cells)
        map.names << cell.text.trimmed();
    for (int i = 0; i < map.names.size(); ++i)
        noteColumn(map, i, header.line, result);
    requireColumns(map, header, options, result);
    return map;
}

} // namespace kt
