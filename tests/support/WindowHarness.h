// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindow.h"
#include "bank/BankSource.h"
#include "tests/support/Banks.h"
#include "tests/support/Fakes.h"
#include "tests/support/MemoryBankSource.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Widgets.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QAbstractButton;

namespace kt {
class AnswerLabel;
class BevelText;
class UpDown;
} // namespace kt

namespace kt::test {

// The main window over a memory bank, with its report file and working
// directory in a fresh temporary folder. Elements are found by their names.
class WindowHarness : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window over makeBank(bankSize, right), runs its startup,
    // shows and activates it.
    void openWindow(int bankSize = 70, int right = 1);

    // The window's element of this name.
    template <typename T> T* element(const QString& name) const {
        return findNamed<T>(*m_window, name);
    }
    // Whether the element of this name is on screen; a screen the window
    // builds on first use is not there before that.
    bool shown(const QString& name) const;
    // The question label Qstn and the answer labels Ansv1 to Ansv5.
    BevelText* question() const;
    AnswerLabel* answer(int k) const;

    // Real mouse clicks on the window's own elements.
    void click(QAbstractButton* button);
    void clickArrow(UpDown* control, int delta, int times = 1);
    void clickOptions();
    void clickSettingsOk();
    // Name typed, start panel OK clicked.
    void startTest(const QString& name);
    // Stop button, then the result panel's OK.
    void abortAndConfirm();
    // Brings the number of questions down through the settings arithmetic.
    void setQuestionCount(int n, int minutes = 2);

    QString reportPath() const;
    QByteArray reportBytes() const;
    // The report file decoded, one entry per CR LF line.
    QStringList reportLines() const;
    void appendToReport(const QByteArray& bytes) const;

    // The window's state table: start, testing or result.
    void expectStart() const;
    void expectTesting() const;
    void expectResult() const;

    QTemporaryDir m_dir;
    QString m_oldDir;
    std::unique_ptr<MemoryBankSource> m_bank;
    SequenceSeeds m_seeds;
    FixedClock m_clock;
    RecordingDialogs m_dialogs;
    // The dialogs the window is built on: the recording ones unless a test
    // puts the real boxes in their place.
    Dialogs* m_windowDialogs = &m_dialogs;
    std::unique_ptr<TForm1> m_window;
    bool m_created = false;

private:
    void expectTestElements(bool shown) const;
};

} // namespace kt::test
