#pragma once

#include "BankSource.h"
#include "MainWindow.h"
#include "SeedSource.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QAbstractButton;

namespace kt {
class UpDown;
}

namespace kt::screens {

// A question table of `size` records: record i asks "Вопрос i", its right
// answer is variant 1 and the first record names the subject.
BankTable numberedBank(int size);

// A new seed for every slot, the same sequence in every run.
class CountingSeeds : public SeedSource {
public:
    std::uint32_t Seed() override { return m_seed = m_seed * 69069u + 7u; }

private:
    std::uint32_t m_seed = 2026;
};

class NoonClock : public Clock {
public:
    QDate Today() override { return QDate(2026, 3, 14); }
    QTime Now() override { return QTime(12, 0, 30); }
};

class ErrorLog : public Dialogs {
public:
    void ShowError(const QString& message) override { errors << message; }
    void ShowConnectionError(const QString& text) override { lost << text; }
    QStringList errors;
    QStringList lost;
};

// One window over a memory bank, its report file in a temporary folder.
class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window, runs its startup, shows and activates it.
    void openWindow(int bankSize);

    // Real mouse clicks on the window's own elements.
    void click(QAbstractButton* button);
    void clickArrow(UpDown* control, int delta, int times = 1);
    void clickOptions();
    void clickSettingsOk();
    // Name typed, start panel OK clicked.
    void startTest(const QString& name);
    // Stop button, then the result panel's OK.
    void abortAndConfirm();

    QString reportPath() const;
    // The report file decoded, one entry per CR LF line.
    QStringList reportLines() const;
    void appendToReport(const QByteArray& bytes) const;

    QTemporaryDir m_dir;
    std::unique_ptr<MemoryBankSource> m_bank;
    CountingSeeds m_seeds;
    NoonClock m_clock;
    ErrorLog m_log;
    Dialogs* m_dialogs = &m_log;
    std::unique_ptr<TForm1> m_window;
};

} // namespace kt::screens
