// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ItemAnalysisPage.h"

#include "bank/KtError.h"
#include "csv/SpreadsheetCsv.h"
#include "report/AnswersFile.h"
#include "teacher/analysis/BankLocation.h"
#include "teacher/journal/ChoiceBarDelegate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace kt {
namespace {

const QDate kNoDate(2000, 1, 1); // the date edits' "не задано"

std::shared_ptr<LoadedAnswers> readAnswers(const QStringList& files) {
    auto loaded = std::make_shared<LoadedAnswers>();
    for (const QString& path : files) {
        try {
            loaded->answers->addFile(path);
        } catch (const KtError& e) {
            loaded->errors.append(e.message());
        }
    }
    loaded->errors += loaded->answers->problems();
    return loaded;
}

QString htmlTable(const QList<QStringList>& rows) {
    QString html = QStringLiteral("<h2>Анализ вопросов</h2><table border=1 cellspacing=0 "
                                  "cellpadding=2>");
    for (const QStringList& row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row)
            html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QDateEdit* dateEdit(QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setMinimumDate(kNoDate);
    edit->setSpecialValueText(QStringLiteral("не задано"));
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setDate(kNoDate);
    return edit;
}

} // namespace

ItemAnalysisPage::ItemAnalysisPage(QWidget* parent)
    : QWidget(parent), m_model(new ItemAnalysisModel(this)),
      m_proxy(new QSortFilterProxyModel(this)), m_table(new QTableView(this)),
      m_summary(new QLabel(this)) {
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(ItemAnalysisModel::SortRole);
    m_table->setObjectName(QStringLiteral("itemTable"));
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(ItemAnalysisModel::Counter, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setItemDelegateForColumn(ItemAnalysisModel::Bars, new ChoiceBarDelegate(this));
    m_table->horizontalHeader()->setSectionResizeMode(ItemAnalysisModel::Question,
                                                      QHeaderView::Stretch);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    m_summary->setWordWrap(true);
    m_summary->setText(QStringLiteral("Откройте файлы ответов (Answers*.csv) или папку класса."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildToolbar());
    layout->addWidget(buildFilters());
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    connect(&m_loading, &QFutureWatcherBase::finished, this, &ItemAnalysisPage::finishLoading);
}

ItemAnalysisPage::~ItemAnalysisPage() {
    m_loading.waitForFinished();
}

QWidget* ItemAnalysisPage::buildToolbar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const std::pair<QString, void (ItemAnalysisPage::*)()> commands[] = {
        {QStringLiteral("Открыть файлы ответов…"), &ItemAnalysisPage::chooseFiles},
        {QStringLiteral("Открыть папку класса…"), &ItemAnalysisPage::chooseFolder},
        {QStringLiteral("Экспорт…"), &ItemAnalysisPage::exportTable},
        {QStringLiteral("Печать…"), &ItemAnalysisPage::print}};
    for (const auto& [text, slot] : commands) {
        auto* button = new QToolButton(bar);
        button->setText(text);
        connect(button, &QToolButton::clicked, this, slot);
        row->addWidget(button);
    }
    row->addStretch(1);
    return bar;
}

QWidget* ItemAnalysisPage::buildFilters() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_title = new QComboBox(bar);
    m_title->setObjectName(QStringLiteral("titleFilter"));
    m_from = dateEdit(bar);
    m_to = dateEdit(bar);
    m_from->setObjectName(QStringLiteral("fromFilter"));
    m_to->setObjectName(QStringLiteral("toFilter"));
    row->addWidget(new QLabel(QStringLiteral("Название:"), bar));
    row->addWidget(m_title, 1);
    row->addWidget(new QLabel(QStringLiteral("с"), bar));
    row->addWidget(m_from);
    row->addWidget(new QLabel(QStringLiteral("по"), bar));
    row->addWidget(m_to);
    connect(m_title, &QComboBox::currentIndexChanged, this, &ItemAnalysisPage::applyFilter);
    connect(m_from, &QDateEdit::dateChanged, this, &ItemAnalysisPage::applyFilter);
    connect(m_to, &QDateEdit::dateChanged, this, &ItemAnalysisPage::applyFilter);
    return bar;
}

void ItemAnalysisPage::openFiles(const QStringList& filesOrFolders) {
    if (isLoading())
        return;
    const QStringList files = answersFilesIn(filesOrFolders);
    m_summary->setText(QStringLiteral("Чтение файлов ответов (%1)…").arg(files.size()));
    setCursor(Qt::BusyCursor);
    m_loading.setFuture(QtConcurrent::run(readAnswers, files));
}

bool ItemAnalysisPage::isLoading() const {
    return m_loading.isRunning();
}

void ItemAnalysisPage::finishLoading() {
    unsetCursor();
    const std::shared_ptr<LoadedAnswers> result = m_loading.result();
    m_errors = result->errors;
    const QSignalBlocker blocker(m_title);
    m_title->clear();
    m_title->addItem(QStringLiteral("все"));
    QStringList titles = result->answers->titles();
    titles.sort(Qt::CaseInsensitive);
    m_title->addItems(titles);
    m_model->setAnswers(result->answers);
    applyFilter();
    emit loaded();
}

void ItemAnalysisPage::applyFilter() {
    TestFilter filter;
    if (m_title->currentIndex() > 0)
        filter.title = m_title->currentText();
    if (m_from->date() != kNoDate)
        filter.from = m_from->date();
    if (m_to->date() != kNoDate)
        filter.to = m_to->date();
    m_model->setFilter(filter);
    updateSummary();
}

void ItemAnalysisPage::updateSummary() {
    const AnswerSet* set = m_model->answers();
    if (!set)
        return;
    int flagged = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        flagged += m_model->statsAt(row).flags & FlagWrongKey ? 1 : 0;
    QString text = QStringLiteral("Файлов: %1, тестов: %2, ответов: %3. Вопросов в таблице: %4, "
                                  "из них с возможно неверным ключом: %5.")
                       .arg(set->files().size())
                       .arg(set->tests().size())
                       .arg(set->rows().size())
                       .arg(m_model->rowCount())
                       .arg(flagged);
    if (!m_errors.isEmpty())
        text += QStringLiteral("\nНе прочитано: ") + m_errors.mid(0, 5).join(QStringLiteral("; ")) +
                (m_errors.size() > 5 ? QStringLiteral(" и ещё %1").arg(m_errors.size() - 5)
                                     : QString());
    m_summary->setText(text);
}

void ItemAnalysisPage::chooseFiles() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Файлы ответов"), QDir::homePath(),
        QStringLiteral("Файлы ответов (Answers*.csv);;Все файлы (*)"));
    if (!files.isEmpty())
        openFiles(files);
}

void ItemAnalysisPage::chooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Папка класса"), QDir::homePath());
    if (!folder.isEmpty())
        openFiles({folder});
}

bool ItemAnalysisPage::exportCsv(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(spreadsheetCsv(m_model->table()));
    return file.commit();
}

void ItemAnalysisPage::exportTable() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт таблицы"),
                                     QDir::home().filePath(QStringLiteral("Анализ вопросов.csv")),
                                     QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty() && !exportCsv(path))
        QMessageBox::warning(this, QStringLiteral("Экспорт таблицы"),
                             QStringLiteral("Не удалось записать файл «%1».").arg(path));
}

void ItemAnalysisPage::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QTextDocument document;
    document.setHtml(htmlTable(m_model->table()));
    document.print(&printer);
}

void ItemAnalysisPage::openRow(int row) {
    const QModelIndex index = m_proxy->mapToSource(m_proxy->index(row, 0));
    if (!index.isValid())
        return;
    const AnswerItem& item = m_model->itemAt(index.row());
    const QString bank = bankFor(item);
    if (!bank.isEmpty())
        emit recordRequested(bank, item.counter, item.question);
}

QString ItemAnalysisPage::bankFor(const AnswerItem& item) {
    const QString answersFile = m_model->answers()->files().value(item.file);
    const QString found = locateBank(item.bank, answersFile);
    if (!found.isEmpty())
        return found;
    return QFileDialog::getOpenFileName(
        this, QStringLiteral("Где база «%1»?").arg(item.bank),
        QFileInfo(answersFile).absolutePath(),
        QStringLiteral("База вопросов (*.mdb *.MDB);;Все файлы (*)"));
}

} // namespace kt
