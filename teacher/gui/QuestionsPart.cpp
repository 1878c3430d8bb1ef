// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/QuestionsPart.h"

#include "teacher/gui/PreviewPane.h"
#include "teacher/gui/ProblemListModel.h"
#include "teacher/gui/QuestionForm.h"
#include "teacher/gui/QuestionTableModel.h"

#include "engine/SavedTestFile.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {
namespace {

// Ctrl+Z and Ctrl+Y in a text box undo the bank's history, not the box's
// own: one history for every edit.
class LeaveUndoToWindow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
    }
};

// "1 000 000", as the opening's progress counts the records.
QString russianNumber(int n) {
    return QLocale(QLocale::Russian).toString(n);
}

// The same fit measurement as qbank check: a text the student would see cut
// is a problem here too.
BankCheckOptions fitOptions(QuestionFit& fit) {
    BankCheckOptions options;
    options.questionFits = [&fit](QStringView text) { return fit.questionFits(text); };
    options.answerFits = [&fit](QStringView text) { return fit.answerFits(text); };
    return options;
}

} // namespace

QuestionsPart::QuestionsPart(QWidget* parent) : QWidget(parent), m_check(fitOptions(m_fit)) {
    setObjectName(QStringLiteral("questionsPart"));
    m_model = new QuestionTableModel(m_doc, this);
    m_model->setProblemSource(&m_check);
    m_problemModel = new ProblemListModel(
        m_check, [this](int row) { m_model->recordProblemsChanged(row); }, this);
    m_check.setListener(m_problemModel);
    m_form = new QuestionForm(m_doc, this);
    m_form->setObjectName(QStringLiteral("questionForm"));
    auto* filter = new LeaveUndoToWindow(this);
    for (int f : {0, 1, 2, 3, 4, 5, int(FieldSubject)})
        m_form->editorOf(f)->installEventFilter(filter);

    auto* top = new QSplitter(Qt::Horizontal, this);
    top->addWidget(buildTableSide());
    top->addWidget(m_form);
    top->setStretchFactor(0, 3);
    top->setStretchFactor(1, 2);
    auto* all = new QSplitter(Qt::Vertical, this);
    all->addWidget(top);
    all->addWidget(buildBottom());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(all);

    buildActions();
    followChecks();
    followSteps();
    connect(&m_doc, &BankDocument::layoutChanged, this, [this](int row) {
        showProblemCount(); // the number of records changed
        selectRow(row);
    });
    connect(&m_doc, &BankDocument::recordChanged, this, [this](int row, int) {
        if (row == currentRow())
            m_preview->showRecord(&m_doc.record(row));
    });
    m_check.reset(m_doc.records());
    showProblemCount();
}

// Each change of the bank checks again only what it changed.
void QuestionsPart::followChecks() {
    const auto records = [this] { return m_doc.records(); };
    connect(&m_doc, &BankDocument::recordsReset, this, [=] {
        if (m_opening)
            m_opening->handCheckTo(m_check);
        else
            m_check.reset(records());
    });
    connect(&m_doc, &BankDocument::pathChanged, this,
            [this] { m_check.setSavedTest(savedTestBeside(m_doc.path())); });
    connect(&m_doc, &BankDocument::recordChanged, this,
            [=](int row, int) { m_check.changed(records(), row); });
    connect(&m_doc, &BankDocument::recordInserted, this,
            [=](int row) { m_check.inserted(records(), row); });
    connect(&m_doc, &BankDocument::recordRemoved, this,
            [=](int row) { m_check.removed(records(), row); });
    connect(&m_doc, &BankDocument::recordsSwapped, this,
            [=](int row, int other) { m_check.swapped(records(), row, other); });
    const auto count = [this] { showProblemCount(); };
    connect(m_problemModel, &QAbstractItemModel::rowsInserted, this, count);
    connect(m_problemModel, &QAbstractItemModel::rowsRemoved, this, count);
    connect(m_problemModel, &QAbstractItemModel::modelReset, this, count);
}

// Every change notes the record it touched; undo and redo then show that
// record. They run inside the actions' own connection to the history, made
// first, so the note is fresh when the second connection reads it.
void QuestionsPart::followSteps() {
    const auto touched = [this](int row, bool removed) {
        m_touchedRow = row;
        m_touchedByRemoval = removed;
    };
    connect(&m_doc, &BankDocument::recordChanged, this, [=](int row, int) { touched(row, false); });
    connect(&m_doc, &BankDocument::recordInserted, this, [=](int row) { touched(row, false); });
    connect(&m_doc, &BankDocument::recordRemoved, this, [=](int row) { touched(row, true); });
    connect(&m_doc, &BankDocument::recordsSwapped, this,
            [=](int, int other) { touched(other, false); });
    connect(action(QStringLiteral("actionUndo")), &QAction::triggered, this,
            [this] { showStep(true); });
    connect(action(QStringLiteral("actionRedo")), &QAction::triggered, this,
            [this] { showStep(false); });
}

// An undone insertion shows the record it was added after, where the
// teacher was; a deletion done again shows the record that took its place.
void QuestionsPart::showStep(bool undone) {
    int row = m_touchedRow;
    if (row < 0)
        return;
    if (m_touchedByRemoval && undone)
        --row;
    selectRow(std::min(std::max(row, 0), m_doc.size() - 1));
    m_touchedRow = -1;
}

QWidget* QuestionsPart::buildTableSide() {
    auto* side = new QWidget(this);
    m_search = new QLineEdit(side);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_search->setPlaceholderText(
        QStringLiteral("Найти в вопросах и ответах (Ctrl+F, Enter — дальше)"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textEdited, this, [this] { findNext(true); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { findNext(false); });
    m_table = new QTableView(side);
    m_table->setObjectName(QStringLiteral("questionTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false); // rows are one line high: the rest would be laid out unseen
    sizeColumns();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showCurrent(); });
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_search);
    layout->addWidget(m_table);
    return side;
}

// Widths from the fonts, not from the contents: fitting a column to its
// contents measures a thousand rows again after every edit. The header's
// own measure of a title counts its font, the bold face of a selected row's
// titles and the margins, so no title is cut.
void QuestionsPart::sizeColumns() {
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QuestionTableModel::ColQuestion, QHeaderView::Stretch);
    header->setMinimumSectionSize(header->sectionSizeHint(QuestionTableModel::ColQuestion));
    const QFontMetrics metrics = m_table->fontMetrics();
    const int counter =
        metrics.horizontalAdvance(QStringLiteral("0000000")) + 3 * metrics.averageCharWidth();
    const std::pair<int, int> kContents[] = {{QuestionTableModel::ColCounter, counter},
                                             {QuestionTableModel::ColRight, counter},
                                             {QuestionTableModel::ColProblems, 160}};
    for (const auto& [column, contents] : kContents)
        m_table->setColumnWidth(column, std::max(contents, header->sectionSizeHint(column)));
}

QWidget* QuestionsPart::buildBottom() {
    auto* bottom = new QSplitter(Qt::Horizontal, this);
    m_preview = new PreviewPane(bottom);
    m_preview->setToolTip(QStringLiteral("Так вопрос увидит ученик"));
    auto* side = new QWidget(bottom);
    m_problemCaption = new QLabel(side);
    m_problemCaption->setObjectName(QStringLiteral("problemCaption"));
    // One line per finding, all of one height, in a table of one column:
    // a list view lays out every one of its lines again after each added or
    // removed line, which in a large bank with half a million findings
    // takes longer than a frame; a table reads only the lines in view. A
    // long line's whole text is its tool tip.
    m_problemList = new QTableView(side);
    m_problemList->setObjectName(QStringLiteral("problemList"));
    m_problemList->setModel(m_problemModel);
    m_problemList->horizontalHeader()->hide();
    m_problemList->horizontalHeader()->setStretchLastSection(true);
    m_problemList->verticalHeader()->hide();
    m_problemList->verticalHeader()->setDefaultSectionSize(m_problemList->fontMetrics().height() +
                                                           4);
    m_problemList->setShowGrid(false);
    m_problemList->setWordWrap(false);
    m_problemList->setTextElideMode(Qt::ElideRight);
    m_problemList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_problemList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_problemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_problemList, &QTableView::activated, this,
            [this](const QModelIndex& index) { problemActivated(index.row()); });
    connect(m_problemList, &QTableView::clicked, this,
            [this](const QModelIndex& index) { problemActivated(index.row()); });
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_problemCaption);
    layout->addWidget(m_problemList);
    bottom->addWidget(m_preview);
    bottom->addWidget(side);
    bottom->setStretchFactor(0, 3);
    bottom->setStretchFactor(1, 2);
    return bottom;
}

int QuestionsPart::currentRow() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void QuestionsPart::selectRow(int row) {
    if (row < 0 || row >= m_doc.size()) {
        m_table->setCurrentIndex(QModelIndex());
        showCurrent();
        return;
    }
    m_table->setCurrentIndex(m_model->index(row, QuestionTableModel::ColQuestion));
    m_table->scrollTo(m_table->currentIndex());
    showCurrent();
}

int QuestionsPart::rowOfCounter(int counter) const {
    for (int row = 0; row < m_doc.size(); ++row) {
        const BankRecord& r = m_doc.record(row);
        if (!r.isNull[FieldCounter] && r.text[FieldCounter].toInt() == counter)
            return row;
    }
    return -1;
}

void QuestionsPart::showCurrent() {
    const int row = currentRow();
    m_form->showRecord(row);
    m_preview->showRecord(row >= 0 ? &m_doc.record(row) : nullptr);
    updateActions();
}

void QuestionsPart::showProblemCount() {
    const int n = m_check.count();
    m_problemCaption->setText(n == 0 ? QStringLiteral("Проблем не найдено.")
                                     : QStringLiteral("Проблемы (%1):").arg(russianNumber(n)));
    emit summaryChanged(summary());
}

QString QuestionsPart::summary() const {
    return QStringLiteral("Записей: %1; проблем: %2")
        .arg(russianNumber(m_doc.size()), russianNumber(m_check.count()));
}

void QuestionsPart::problemActivated(int index) {
    if (index < 0 || index >= m_check.count())
        return;
    const EditorProblem p = m_check.problem(index);
    if (p.row < 0)
        return;
    selectRow(p.row);
    m_form->focusField(p.field < 0 ? FieldQuestion : p.field);
}

void QuestionsPart::findNext(bool includeCurrent) {
    const QString needle = m_search->text().trimmed();
    if (needle.isEmpty() || m_doc.size() == 0)
        return;
    const int start = std::max(0, currentRow() + (includeCurrent ? 0 : 1));
    for (int step = 0; step < m_doc.size(); ++step) {
        const int row = (start + step) % m_doc.size();
        const BankRecord& r = m_doc.record(row);
        for (int f = 0; f <= 5; ++f)
            if (r.text[static_cast<size_t>(f)].contains(needle, Qt::CaseInsensitive)) {
                selectRow(row);
                return;
            }
    }
    emit statusMessage(QStringLiteral("«%1» не найдено").arg(needle));
}

} // namespace kt
