// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/OpenProgress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace kt {
namespace {

// Events are handled this often while a long read runs.
constexpr int kEventsEveryMs = 40;

} // namespace

OpenProgress::OpenProgress(QWidget* parent, QString fileName, int delayMs)
    : m_parent(parent), m_fileName(std::move(fileName)), m_delayMs(delayMs) {}

OpenProgress::~OpenProgress() {
    delete m_dialog;
}

QString OpenProgress::label(qint64 records) const {
    return QStringLiteral("Открытие базы «%1»…\nПрочитано записей: %2")
        .arg(m_fileName, QLocale(QLocale::Russian).toString(records));
}

void OpenProgress::ReadStarted() {
    m_clock.start();
    m_shown = false;
    m_cancelled = false;
}

void OpenProgress::RecordsRead(qint64 records) {
    if (!m_shown) {
        if (m_clock.elapsed() < m_delayMs)
            return;
        show();
    } else if (m_sinceEvents.elapsed() < kEventsEveryMs) {
        return;
    }
    m_dialog->setLabelText(label(records));
    QCoreApplication::processEvents();
    m_sinceEvents.start();
    m_cancelled = m_cancelled || m_dialog->wasCanceled();
}

// Made only when needed: a progress dialog shows itself after a while of its
// own once it exists.
void OpenProgress::show() {
    if (!m_dialog) {
        m_dialog = new QProgressDialog(label(0), QStringLiteral("Отмена"), 0, 0, m_parent);
        m_dialog->setWindowTitle(QStringLiteral("Открытие базы"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumWidth(360);
    }
    m_shown = true;
    m_dialog->show();
}

void OpenProgress::ReadFinished() {
    if (m_dialog)
        m_dialog->hide();
}

} // namespace kt
