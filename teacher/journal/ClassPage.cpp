// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ClassPage.h"

#include "bank/KtError.h"
#include "report/ClassFiles.h"
#include "report/ReportParser.h"
#include "teacher/analysis/TestAnswers.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace kt {
namespace {

constexpr int kPollMs = 2000;

QTableView* tableOn(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->hide();
    return view;
}

// The report files and the answers files beside them: the answers name the
// results' titles and PCs, and may come a moment after the report's block.
QStringList signatureOf(const QStringList& reports) {
    QStringList files;
    for (const QString& r : reports)
        files << r << answersFileFor(r);
    QStringList out;
    for (const QString& f : files) {
        const QFileInfo info(f);
        out << QStringLiteral("%1|%2|%3")
                   .arg(f)
                   .arg(info.size())
                   .arg(info.lastModified().toMSecsSinceEpoch());
    }
    return out;
}

} // namespace

ClassPage::ClassPage(QWidget* parent)
    : QWidget(parent), m_status(new ClassStatusModel(this)), m_results(new JournalModel(this)),
      m_resultsShown(new JournalProxy(m_results, this)), m_timer(new QTimer(this)) {
    auto* open = new QPushButton(QStringLiteral("Открыть папку класса…"), this);
    open->setObjectName(QStringLiteral("openClassFolder"));
    m_folderLabel = new QLabel(QStringLiteral("Папка класса не открыта"), this);
    m_titles = new QComboBox(this);
    m_titles->setObjectName(QStringLiteral("classTitles"));
    m_titles->addItem(QStringLiteral("все тесты"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(open);
    bar->addWidget(m_folderLabel, 1);
    bar->addWidget(new QLabel(QStringLiteral("Название:"), this));
    bar->addWidget(m_titles);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(tableOn(m_status, split));
    m_resultsShown->sort(JournalModel::Date, Qt::AscendingOrder);
    split->addWidget(tableOn(m_resultsShown, split));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);

    connect(open, &QPushButton::clicked, this, &ClassPage::chooseFolder);
    connect(m_titles, &QComboBox::currentIndexChanged, this, [this](int i) {
        const QString title = i <= 0 ? QString() : m_titles->itemText(i);
        m_status->setTitleFilter(title);
        JournalFilter f;
        f.title = title;
        m_resultsShown->setFilter(f);
    });
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &ClassPage::refresh);
}

void ClassPage::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Папка класса"), m_folder.isEmpty() ? QDir::homePath() : m_folder);
    if (!folder.isEmpty())
        openFolder(folder);
}

void ClassPage::openFolder(const QString& folder) {
    m_folder = folder;
    m_readSignature.clear();
    m_folderLabel->setText(QDir::toNativeSeparators(folder));
    refresh();
    m_timer->start();
}

void ClassPage::refresh() {
    if (m_folder.isEmpty())
        return;
    m_status->setStatuses(readClassStatuses(m_folder), QDateTime::currentDateTimeUtc());
    reloadResultsIfChanged();
    updateTitles();
}

void ClassPage::updateTitles() {
    const QString current = m_titles->currentIndex() > 0 ? m_titles->currentText() : QString();
    QStringList known;
    for (int i = 1; i < m_titles->count(); ++i)
        known << m_titles->itemText(i);
    // Titles stay once seen: a PC going home keeps its test listed.
    for (const QStringList& titles : {m_status->titles(), m_results->data().titles()})
        for (const QString& t : titles)
            if (!known.contains(t)) {
                m_titles->addItem(t);
                known << t;
            }
    if (!current.isEmpty())
        m_titles->setCurrentText(current);
}

// A block is only ever appended, so a file that kept its size and time has
// nothing new; a changed one is read again whole, repeats kept once.
void ClassPage::reloadResultsIfChanged() {
    const QStringList files = classReportFiles(m_folder);
    const QStringList signature = signatureOf(files);
    if (signature == m_readSignature)
        return;
    m_readSignature = signature;
    m_results->clear();
    for (const QString& f : files) {
        try {
            m_results->addFile(f, readJournalFile(f));
        } catch (const KtError&) {
            m_readSignature.clear(); // unreadable now: tried again at the next poll
        }
    }
}

} // namespace kt
