// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalPage.h"

#include "bank/KtError.h"
#include "csv/SpreadsheetCsv.h"
#include "teacher/dialogs/FileDialog.h"
#include "teacher/dialogs/MessageBox.h"
#include "teacher/dialogs/PrintDialog.h"
#include "teacher/journal/JournalFilterBar.h"
#include "teacher/journal/JournalPrinter.h"
#include "teacher/journal/MarkChart.h"
#include "teacher/journal/ReportLocation.h"
#include "teacher/journal/ThresholdsDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kt {
namespace {

// Report files are read away from the window, so a large one does not stop it.
// Handed back through a shared pointer: the blocks of a large report are
// moved into the journal, never copied.
std::shared_ptr<std::vector<LoadedReport>> readReports(const QStringList& paths) {
    auto out = std::make_shared<std::vector<LoadedReport>>();
    for (const QString& path : paths) {
        LoadedReport r;
        r.path = path;
        try {
            r.file = readJournalFile(path);
        } catch (const KtError& e) {
            r.error = e.message();
        }
        out->push_back(std::move(r));
    }
    return out;
}

QString percentText(double value) {
    return QLocale(QLocale::Russian).toString(value, 'f', 1) + QStringLiteral(" %");
}

} // namespace

JournalPage::JournalPage(QWidget* parent)
    : QWidget(parent), m_model(new JournalModel(this)), m_proxy(new JournalProxy(m_model, this)) {
    setObjectName(QStringLiteral("journalPage"));
    QSettings settings;
    m_model->setThresholds(loadThresholds(settings));
    m_filters = new JournalFilterBar(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("journalTable"));
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(JournalModel::Date, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setResizeContentsPrecision(200);
    // An empty journal's columns fit their titles; a loaded one fits its
    // rows too.
    m_table->resizeColumnsToContents();
    connect(m_table, &QTableView::doubleClicked, this, &JournalPage::showTestAnswers);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setTextFormat(Qt::PlainText);
    m_chart = new MarkChart(this);
    m_chart->setObjectName(QStringLiteral("markChart"));
    m_warnings = new QPlainTextEdit(this);
    m_warnings->setObjectName(QStringLiteral("warningsView"));
    m_warnings->setReadOnly(true);
    m_warnings->setMaximumHeight(72);
    m_warnings->hide();
    buildActions();
    connect(m_filters, &JournalFilterBar::changed, this, &JournalPage::applyFilter);
    connect(&m_loading, &QFutureWatcherBase::finished, this, &JournalPage::finishLoading);
    updateSummary();
}

JournalPage::~JournalPage() {
    m_loading.waitForFinished();
}

QAction* JournalPage::addAction(const QString& name, const QString& text, int icon,
                                void (JournalPage::*slot)()) {
    auto* action = new QAction(style()->standardIcon(QStyle::StandardPixmap(icon)), text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void JournalPage::buildActions() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("journalToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* open =
        addAction(QStringLiteral("actionOpenReports"), QStringLiteral("Открыть отчеты…"),
                  QStyle::SP_DialogOpenButton, &JournalPage::chooseFiles);
    open->setShortcut(QKeySequence::Open);
    QAction* reloadAll = addAction(QStringLiteral("actionReload"), QStringLiteral("Обновить"),
                                   QStyle::SP_BrowserReload, &JournalPage::reload);
    QAction* close = addAction(QStringLiteral("actionCloseReports"), QStringLiteral("Закрыть все"),
                               QStyle::SP_DialogCloseButton, &JournalPage::closeAll);
    QAction* csv = addAction(QStringLiteral("actionExportCsv"), QStringLiteral("Экспорт в CSV…"),
                             QStyle::SP_DialogSaveButton, &JournalPage::exportTable);
    QAction* printAll = addAction(QStringLiteral("actionPrint"), QStringLiteral("Печать…"),
                                  QStyle::SP_FileIcon, &JournalPage::print);
    QAction* pdf = addAction(QStringLiteral("actionSavePdf"), QStringLiteral("PDF…"),
                             QStyle::SP_FileLinkIcon, &JournalPage::savePdf);
    QAction* marks = addAction(QStringLiteral("actionThresholds"), QStringLiteral("Оценки…"),
                               QStyle::SP_FileDialogDetailedView, &JournalPage::editThresholds);
    bar->addActions({open, reloadAll, close});
    bar->addSeparator();
    bar->addActions({csv, printAll, pdf});
    bar->addSeparator();
    bar->addAction(marks);
    m_needIdle = {open, reloadAll, close, marks};
    m_needRows = {csv, printAll, pdf};

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_chart);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(m_filters);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_warnings);
    layout->addLayout(bottom);
}

void JournalPage::openFiles(const QStringList& paths) {
    m_loading.waitForFinished();
    QStringList fresh;
    for (const QString& p : paths)
        if (!m_model->data().files().contains(p) && !fresh.contains(p))
            fresh.append(p);
    if (fresh.isEmpty())
        return;
    m_summary->setText(QStringLiteral("Чтение файлов отчета…"));
    m_loading.setFuture(QtConcurrent::run(readReports, fresh));
    updateActions();
    emit summaryChanged(summary());
}

bool JournalPage::isLoading() const {
    return m_loading.isRunning();
}

void JournalPage::finishLoading() {
    const std::shared_ptr<std::vector<LoadedReport>> results = m_loading.result();
    for (LoadedReport& r : *results) {
        if (r.error.isEmpty())
            m_model->addFile(r.path, std::move(r.file));
        else
            m_unreadable.append(r.error);
    }
    m_filters->setChoices(m_model->data());
    m_table->resizeColumnsToContents();
    QStringList lines = m_unreadable + m_model->data().warnings();
    m_warnings->setPlainText(lines.join(u'\n'));
    m_warnings->setVisible(!lines.isEmpty());
    applyFilter();
    emit loaded();
}

void JournalPage::chooseFiles() {
    const QStringList paths = FileDialog::openFileNames(
        this, QStringLiteral("Открыть файлы отчета"), defaultReportFolder(),
        QStringLiteral("Файлы отчета (*.dat);;Все файлы (*)"));
    openFiles(paths);
}

void JournalPage::reload() {
    const QStringList files = m_model->data().files();
    closeAll();
    openFiles(files);
}

void JournalPage::closeAll() {
    m_loading.waitForFinished();
    m_model->clear();
    m_unreadable.clear();
    m_warnings->clear();
    m_warnings->hide();
    m_filters->setChoices(m_model->data());
    applyFilter();
}

void JournalPage::applyFilter() {
    m_proxy->setFilter(m_filters->filter());
    updateSummary();
}

QStringList JournalPage::summaryNotes(const MarkSummary& s) const {
    const MarkThresholds& t = m_model->thresholds();
    const JournalData& d = m_model->data();
    QStringList notes;
    notes << QStringLiteral("Тестов: %1 из %2; средний процент: %3")
                 .arg(s.tests)
                 .arg(d.rows().size())
                 .arg(percentText(s.averagePercent));
    notes << QStringLiteral("Оценки: «5» - %1, «4» - %2, «3» - %3, «2» - %4")
                 .arg(s.marksOf(5))
                 .arg(s.marksOf(4))
                 .arg(s.marksOf(3))
                 .arg(s.marksOf(2));
    notes << QStringLiteral("Пороги: «5» от %1 %, «4» от %2 %, «3» от %3 %")
                 .arg(t.five)
                 .arg(t.four)
                 .arg(t.three);
    notes << QStringLiteral("Файлов: %1; повторов в разных файлах (показаны один раз): %2; "
                            "поврежденных блоков: %3")
                 .arg(d.files().size())
                 .arg(d.repeats())
                 .arg(d.warnings().size());
    return notes;
}

void JournalPage::updateSummary() {
    const MarkSummary s = m_proxy->summary();
    m_summary->setText(summaryNotes(s).join(u'\n'));
    m_chart->setSummary(s);
    updateActions();
    emit summaryChanged(summary());
}

QString JournalPage::summary() const {
    if (isLoading())
        return QStringLiteral("Чтение файлов отчета…");
    const JournalData& d = m_model->data();
    return QStringLiteral("Показано тестов: %1 из %2; файлов отчета: %3")
        .arg(m_proxy->rowCount())
        .arg(d.rows().size())
        .arg(d.files().size());
}

void JournalPage::updateActions() {
    const bool idle = !isLoading();
    for (QAction* a : m_needIdle)
        a->setEnabled(idle);
    for (QAction* a : m_needRows)
        a->setEnabled(idle && m_proxy->rowCount() > 0);
}

bool JournalPage::exportCsv(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(spreadsheetCsv(m_proxy->table()));
    return file.commit();
}

void JournalPage::exportTable() {
    const QString path = FileDialog::saveFileName(
        this, QStringLiteral("Экспорт таблицы"),
        QDir(defaultReportFolder()).filePath(QStringLiteral("Результаты.csv")),
        QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty() && !exportCsv(path))
        MessageBox::warning(this, QStringLiteral("Экспорт таблицы"),
                            QStringLiteral("Не удалось записать файл «%1».").arg(path));
}

JournalPrintout JournalPage::printout() const {
    const MarkSummary s = m_proxy->summary();
    const JournalFilter f = m_filters->filter();
    const QDate from = f.from.isValid() ? f.from : m_filters->firstDate();
    const QDate to = f.to.isValid() ? f.to : m_filters->lastDate();
    QStringList notes = summaryNotes(s);
    if (from.isValid() && to.isValid())
        notes.prepend(QStringLiteral("Тесты с %1 по %2")
                          .arg(from.toString(QStringLiteral("dd.MM.yyyy")),
                               to.toString(QStringLiteral("dd.MM.yyyy"))));
    return {journalPrintTitle(m_model->data().files(), m_proxy->shownTitle()), notes, s,
            m_proxy->table()};
}

void JournalPage::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!PrintDialog::choose(printer, this))
        return;
    QProgressDialog progress(QStringLiteral("Печать журнала…"), QStringLiteral("Отмена"), 0,
                             m_proxy->rowCount(), this);
    progress.setWindowModality(Qt::WindowModal);
    printJournal(printer, printout(), [&progress](int row) {
        progress.setValue(row);
        return !progress.wasCanceled();
    });
}

bool JournalPage::printPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return printJournal(printer, printout());
}

void JournalPage::savePdf() {
    const QString path =
        FileDialog::saveFileName(this, QStringLiteral("Сохранить журнал в PDF"),
                                 QDir(defaultReportFolder()).filePath(QStringLiteral("Журнал.pdf")),
                                 QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty() && !printPdf(path))
        MessageBox::warning(this, QStringLiteral("Сохранить журнал в PDF"),
                            QStringLiteral("Не удалось записать файл «%1».").arg(path));
}

void JournalPage::editThresholds() {
    ThresholdsDialog dialog(m_model->thresholds(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_model->setThresholds(dialog.thresholds());
    QSettings settings;
    saveThresholds(settings, dialog.thresholds());
    updateSummary();
}

void JournalPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (m_model->data().files().isEmpty() && QFileInfo::exists(defaultReportPath()))
        openFiles({defaultReportPath()});
}

} // namespace kt
