// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SavedTestFile.h"

#include "engine/BankSettingsFile.h"

#include <QFileInfo>

namespace kt {

std::optional<SavedTest> savedTestBeside(const QString& bankPath) {
    if (bankPath.isEmpty())
        return std::nullopt;
    const QString path = bankSettingsPath(bankPath);
    const SettingsFileContent file = readBankSettingsFile(path);
    if (!file.present)
        return std::nullopt;
    const TestSettings builtIn;
    SavedTest test;
    test.count = file.count.value_or(builtIn.count);
    test.from = file.from.value_or(builtIn.from);
    test.to = file.to.value_or(builtIn.to);
    test.fileName = QFileInfo(path).fileName();
    return test;
}

} // namespace kt
