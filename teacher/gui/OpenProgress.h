// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/ReadProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace kt {

// The opening of a bank that takes longer than `delayMs`: a modal window
// «Открытие базы…» over `parent` with the records read so far and a button
// that stops the read. The read runs on the window's thread; between its
// slices the events are handled, so the windows repaint, can be moved and
// the button answers, while the modal window keeps every other command out.
class OpenProgress : public ReadProgress {
public:
    OpenProgress(QWidget* parent, QString fileName, int delayMs);
    ~OpenProgress() override;
    OpenProgress(const OpenProgress&) = delete;
    OpenProgress& operator=(const OpenProgress&) = delete;

    void ReadStarted() override;
    void RecordsRead(qint64 records) override;
    void ReadFinished() override;
    bool ReadCancelled() override { return m_cancelled; }

    // Whether the window was shown during the last read.
    bool wasShown() const { return m_shown; }

private:
    void show();
    QString label(qint64 records) const;

    QWidget* m_parent;
    QString m_fileName;
    int m_delayMs;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceEvents;
    QPointer<QProgressDialog> m_dialog;
    bool m_shown = false;
    bool m_cancelled = false;
};

} // namespace kt
