// SPDX-License-Identifier: GPL-3.0-or-later
// qbank export: a bank back as CSV, for import or for a spreadsheet.

#include "bank/Cp1251.h"
#include "bank/import/BankCsv.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"

#include <QStringEncoder>

namespace kt {

bool loadRaw(const QString& path, BankTable& raw);

namespace {

bool everyTextFitsCp1251(const BankTable& raw) {
    for (const BankRecord& r : raw)
        for (const QString& t : r.text)
            if (!fitsCp1251(t))
                return false;
    return true;
}

// The form a spreadsheet in a Russian locale opens directly: semicolons,
// CR LF, Windows-1251 when it can carry every text, else UTF-8 with the
// byte-order mark that tells the spreadsheet so.
struct ExportForm {
    QChar separator = u',';
    bool cp1251 = false;
    bool bom = false;
};

QByteArray encoded(const QString& text, const ExportForm& form) {
    return form.cp1251 ? encodeCp1251(text) : text.toUtf8();
}

} // namespace

int runExport(QStringList args) {
    const bool excel = !args.isEmpty() && args.front() == u"--excel";
    if (excel)
        args.removeFirst();
    if (args.size() != 1)
        return usage();
    BankTable raw;
    if (!loadRaw(args[0], raw))
        return kExitUnreadable;
    ExportForm form;
    if (excel) {
        form.separator = u';';
        form.cp1251 = everyTextFitsCp1251(raw);
        form.bom = !form.cp1251;
    }
    CheckedOutput out(stdout);
    if (form.bom)
        out.write(QByteArray("\xEF\xBB\xBF"));
    out.write(encoded(bankCsvHeader(form.separator), form));
    for (const BankRecord& r : raw)
        if (!out.write(encoded(bankCsvRecord(r, form.separator), form)))
            break;
    if (!out.finish()) {
        print(stderr, out.error());
        return kExitProblems;
    }
    return 0;
}

} // namespace kt
