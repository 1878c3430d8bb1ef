// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a bank file with an independent Jet reader and prints what it finds
// as JSON: the user tables, and for the named table its columns and rows.
// Usage: node readback.mjs FILE TABLE
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, tableName] = process.argv.slice(2);
const reader = new MDBReader(readFileSync(file));
const tables = reader.getTableNames();
const out = { tables };
if (tables.includes(tableName)) {
    const table = reader.getTable(tableName);
    out.rowCount = table.rowCount;
    out.columns = table.getColumns().map((c) => ({
        name: c.name,
        type: c.type,
        size: c.size,
        autoLong: c.autoLong,
    }));
    out.rows = table.getData().map((row) =>
        out.columns.map((c) => {
            const v = row[c.name];
            if (v === null || v === undefined) return null;
            if (v instanceof Date) return v.toISOString();
            return String(v);
        })
    );
}
process.stdout.write(JSON.stringify(out));
