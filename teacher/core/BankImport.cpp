#include "BankImport.h"

#include "BankCsv.h"

namespace kt {

BankTable importBankCsv(const QByteArray& bytes, const QString& fileName) {
    const BankCsvTable table = bankTableFromCsv(decodeUtf8Strict(bytes, fileName), false);
    const auto& names = bankFieldNames();
    std::vector<int> fieldOf(table.columns.size(), -1);
    for (size_t c = 0; c < table.columns.size(); ++c)
        for (int f = 0; f < FieldCountTotal; ++f)
            if (table.columns[c].name.compare(names[static_cast<size_t>(f)], Qt::CaseInsensitive) ==
                0)
                fieldOf[c] = f;
    BankTable records;
    for (const JetRow& row : table.rows) {
        BankRecord r;
        r.isNull[FieldRightAnswer] = r.isNull[FieldMark] = true;
        for (size_t c = 0; c < row.size() && c < fieldOf.size(); ++c) {
            if (fieldOf[c] < 0 || fieldOf[c] == FieldCounter)
                continue; // the editor numbers the records itself
            const auto f = static_cast<size_t>(fieldOf[c]);
            r.text[f] = row[c].value_or(QString());
            r.isNull[f] = !row[c].has_value() && (f == FieldRightAnswer || f == FieldMark);
        }
        records.push_back(r);
    }
    return records;
}

QByteArray exportBankCsv(const BankTable& records) {
    QString text = bankCsvHeader();
    for (const BankRecord& r : records)
        text += bankCsvRecord(r);
    return text.toUtf8();
}

} // namespace kt
