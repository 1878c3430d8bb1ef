// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/ReadProgress.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QDialog;
class QLabel;

namespace kt {

// Shows a read of the bank that takes longer than half a second: a small
// modal window, "Чтение банка вопросов…" with the number of records read so
// far, in front of everything until the read ends. The read runs on the
// window's thread; between its slices this paints the windows while user
// input waits, so no other command can start in the meantime.
class BankReadProgress : public ReadProgress {
public:
    explicit BankReadProgress(int delayMs = 500);
    ~BankReadProgress() override;

    void ReadStarted() override;
    void RecordsRead(qint64 records) override;
    void ReadFinished() override;

    // The window, while it is shown (nullptr otherwise).
    QDialog* window() const;
    // Whether the last read showed the window, and its last count line.
    bool shownDuringLastRead() const { return m_shownThisRead; }
    QString countText() const;

private:
    void build();
    void showWindow();
    void paintNow();

    int m_delayMs;
    QElapsedTimer m_clock;
    QElapsedTimer m_sincePaint;
    std::unique_ptr<QDialog> m_dialog;
    QLabel* m_count = nullptr;
    bool m_reading = false;
    bool m_shownThisRead = false;
};

} // namespace kt
