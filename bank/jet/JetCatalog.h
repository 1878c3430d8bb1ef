// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/jet/JetPages.h"

namespace kt::jet {

// The system catalog (MSysObjects): its definition sits on page 2, and its
// rows name every object of the file, the user table among them.
struct CatalogPages {
    TableLayout layout;
    QByteArray data; // its one data page
    std::uint32_t rowCount = 0;
    UsageMap used;
    UsageMap freeSpace;
};

QString jetCatalogName();

CatalogPages catalogPages(const QString& tableName, std::uint32_t tableDefinitionPage,
                          std::uint32_t dataPage, double now);

} // namespace kt::jet
