#pragma once

#include "BankSource.h"
#include "MainWindow.h"
#include "SeedSource.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace kt::test {

// The one QApplication of the test program, on first use.
void ensureApp();

// Types the text into the widget key by key, any alphabet.
void typeText(QWidget* widget, const QString& text);

// A bank of `count` questions; question i (1-based) is "Вопрос i", its
// answers "Ответ i.k", and its right answer is variant `right`.
BankTable makeBank(int count, int right = 1, const QString& subject = QStringLiteral("Физика"));

class StepSeeds : public SeedSource {
public:
    std::uint32_t Seed() override { return m_next += 2654435761u; }

private:
    std::uint32_t m_next = 12345;
};

class FixedClock : public Clock {
public:
    QDate Today() override { return QDate(2026, 12, 7); }
    QTime Now() override { return QTime(9, 5, 3); }
};

class RecordingDialogs : public Dialogs {
public:
    void ShowError(const QString& message) override { errors << message; }
    void ShowConnectionError(const QString& text) override { connectionErrors << text; }
    QStringList errors;
    QStringList connectionErrors;
};

// A window over a memory bank, in a fresh temporary working directory.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window and runs FormCreate; shows and activates it.
    void createWindow(int bankSize = 70, int right = 1);
    // Brings the number of questions down through the settings arithmetic.
    void setQuestionCount(int n, int minutes = 2);
    QByteArray reportBytes() const;
    QStringList reportLines() const;

    // The window's state table: start, testing or result.
    void expectStart() const;
    void expectTesting() const;
    void expectResult() const;

    QTemporaryDir m_dir;
    QString m_oldDir;
    std::unique_ptr<MemoryBankSource> m_bank;
    StepSeeds m_seeds;
    FixedClock m_clock;
    RecordingDialogs m_dialogs;
    std::unique_ptr<TForm1> m_window;
    bool m_created = false;
};

} // namespace kt::test
