// SPDX-License-Identifier: GPL-3.0-or-later
// qbank export: a bank back as CSV, for import or for a spreadsheet.

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/import/BankCsv.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"

namespace kt {

namespace {

// Looks through every text of a read for one that code page 1251 lacks.
class Cp1251Probe final : public RawRecordSink {
public:
    void take(const RecordTexts& record) override {
        for (int f = 0; f < FieldCountTotal && m_fits; ++f)
            m_fits = fitsCp1251(record.text(0, f));
    }
    bool fits() const { return m_fits; }

private:
    bool m_fits = true;
};

// Writes each record as the reader hands it over, so that no bank, however
// large, is ever held whole. The header goes out once the reader has found
// the table and its columns: a bank that cannot be opened writes nothing.
class CsvStream final : public RawRecordSink {
public:
    CsvStream(CheckedOutput& out, QChar separator, CsvFileForm form)
        : m_out(out), m_separator(separator), m_form(form) {}
    void expect(qsizetype) override {
        m_ok = m_out.write(m_form.start() + m_form.encode(bankCsvHeader(m_separator)));
    }
    void take(const RecordTexts& record) override {
        // After a failed write the rest of the read is only let pass.
        if (m_ok)
            m_ok = m_out.write(m_form.encode(bankCsvRecord(record, 0, m_separator)));
    }

private:
    CheckedOutput& m_out;
    QChar m_separator;
    CsvFileForm m_form;
    bool m_ok = true;
};

// The spreadsheet's form needs to know every text before the first byte
// (its code page), so that form reads the bank twice; the plain one once.
bool exportBank(MdbBankSource& source, bool excel, CheckedOutput& out) {
    try {
        CsvFileForm form = CsvFileForm::utf8();
        if (excel) {
            Cp1251Probe probe;
            source.ReadRaw(probe);
            form = CsvFileForm::spreadsheet(probe.fits());
        }
        CsvStream stream(out, excel ? kSpreadsheetSeparator : u',', form);
        source.ReadRaw(stream);
        return true;
    } catch (const KtError& e) {
        printUnreadable(e);
        return false;
    }
}

} // namespace

int runExport(QStringList args) {
    const bool excel = !args.isEmpty() && args.front() == u"--excel";
    if (excel)
        args.removeFirst();
    if (args.size() != 1)
        return usage();
    MdbBankSource source(args[0]);
    CheckedOutput out(stdout);
    if (!exportBank(source, excel, out))
        return kExitUnreadable;
    if (!out.finish()) {
        print(stderr, out.error());
        return kExitProblems;
    }
    return 0;
}

} // namespace kt
