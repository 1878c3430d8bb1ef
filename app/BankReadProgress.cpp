// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BankReadProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kt {
namespace {

// The windows are painted this often while a long read runs.
constexpr int kPaintEveryMs = 40;

// A window the user cannot close: the read ends it.
class ProgressDialog : public QDialog {
public:
    ProgressDialog()
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

QString countLine(qint64 records) {
    return QStringLiteral("Прочитано записей: %1").arg(QLocale(QLocale::Russian).toString(records));
}

} // namespace

BankReadProgress::BankReadProgress(int delayMs) : m_delayMs(delayMs) {}

BankReadProgress::~BankReadProgress() = default;

void BankReadProgress::build() {
    m_dialog = std::make_unique<ProgressDialog>();
    m_dialog->setWindowTitle(QStringLiteral("Программа тестирования знаний"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(m_dialog.get());
    layout->addWidget(new QLabel(QStringLiteral("Чтение банка вопросов…"), m_dialog.get()));
    auto* bar = new QProgressBar(m_dialog.get());
    bar->setRange(0, 0); // how many records the file holds is known only at the end
    bar->setTextVisible(false);
    layout->addWidget(bar);
    m_count = new QLabel(countLine(0), m_dialog.get());
    layout->addWidget(m_count);
    m_dialog->setMinimumWidth(320);
}

void BankReadProgress::ReadStarted() {
    m_reading = true;
    m_shownThisRead = false;
    m_clock.start();
    if (m_count)
        m_count->setText(countLine(0));
}

void BankReadProgress::RecordsRead(qint64 records) {
    if (!m_reading)
        return;
    if (m_count)
        m_count->setText(countLine(records));
    if (!m_shownThisRead) {
        if (m_clock.elapsed() < m_delayMs)
            return;
        showWindow();
        m_count->setText(countLine(records));
    }
    if (m_sincePaint.elapsed() >= kPaintEveryMs)
        paintNow();
}

void BankReadProgress::showWindow() {
    if (!m_dialog)
        build();
    m_shownThisRead = true;
    m_dialog->show();
    m_dialog->raise();
    paintNow();
}

// Paints and lets timers run; mouse and keys wait until the read is over.
void BankReadProgress::paintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sincePaint.start();
}

void BankReadProgress::ReadFinished() {
    m_reading = false;
    if (m_dialog && m_dialog->isVisible())
        m_dialog->hide();
}

QDialog* BankReadProgress::window() const {
    return m_dialog && m_dialog->isVisible() ? m_dialog.get() : nullptr;
}

QString BankReadProgress::countText() const {
    return m_count ? m_count->text() : QString();
}

} // namespace kt
