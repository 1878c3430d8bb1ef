// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalModel.h"

#include <QFileInfo>

namespace kt {
namespace {

template <typename T> int order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool isNumberColumn(int column) {
    return column != JournalModel::File && column != JournalModel::Name &&
           column != JournalModel::Date && column != JournalModel::Title &&
           column != JournalModel::Pc;
}

} // namespace

JournalModel::JournalModel(QObject* parent) : QAbstractTableModel(parent) {}

bool JournalModel::addReport(const QString& path, const ParsedReport& report,
                             const TestLabels& labels) {
    beginResetModel();
    const bool added = m_data.addReport(path, report, labels);
    endResetModel();
    return added;
}

bool JournalModel::addFile(const QString& path, JournalFile file) {
    beginResetModel();
    const bool added = m_data.addFile(path, std::move(file));
    endResetModel();
    return added;
}

void JournalModel::clear() {
    beginResetModel();
    m_data.clear();
    endResetModel();
}

void JournalModel::setThresholds(const MarkThresholds& t) {
    m_thresholds = t;
    if (rowCount() > 0)
        emit dataChanged(index(0, Mark), index(rowCount() - 1, Mark));
}

int JournalModel::compare(int a, int b, int column) const {
    const JournalRow& x = row(a);
    const JournalRow& y = row(b);
    const JournalSource& sx = x.first;
    const JournalSource& sy = y.first;
    switch (column) {
    case File:
        return sx.file != sy.file ? order(sx.file, sy.file) : order(sx.block, sy.block);
    case Block:
        return order(sx.block, sy.block);
    case Name:
        return m_data.nameOf(x).compare(m_data.nameOf(y), Qt::CaseInsensitive);
    case Percent:
    case Mark:
        return order(x.percent, y.percent);
    case Date:
        return order(m_data.whenOf(a), m_data.whenOf(b));
    case Time:
        return order(x.time, y.time);
    case TimeLeft:
        return order(x.timeLeftSeconds, y.timeLeftSeconds);
    case BankSize:
        return order(x.bankSize, y.bankSize);
    case Count:
        return order(x.count, y.count);
    case From:
        return order(x.from, y.from);
    case To:
        return order(x.to, y.to);
    case Title:
        return m_data.titleOf(x).compare(m_data.titleOf(y), Qt::CaseInsensitive);
    case Pc:
        return m_data.pcOf(x).compare(m_data.pcOf(y), Qt::CaseInsensitive);
    default:
        return order(x.minutes, y.minutes);
    }
}

QString JournalModel::cellText(int i, int column) const {
    const JournalRow& r = row(i);
    const JournalSource& s = r.first;
    switch (column) {
    case File: {
        const QString name = QFileInfo(m_data.files()[s.file]).fileName();
        const int copies = m_data.sourceCount(r);
        return copies > 1 ? QStringLiteral("%1 (+%2)").arg(name).arg(copies - 1) : name;
    }
    case Block:
        return QString::number(s.block);
    case Mark:
        return QString::number(markOf(i));
    case Title:
        return m_data.titleOf(r);
    case Pc:
        return m_data.pcOf(r);
    default:
        return m_data.text(r, static_cast<JournalField>(column > Mark ? column - 1 : column));
    }
}

QString JournalModel::sourcesText(const JournalRow& r) const {
    QStringList lines;
    const std::vector<JournalSource> sources = m_data.sources(r);
    for (const JournalSource& s : sources)
        lines.append(QStringLiteral("%1, блок %2").arg(m_data.files()[s.file]).arg(s.block));
    if (sources.size() > 1)
        lines.prepend(QStringLiteral("Один и тот же тест найден в %1 файлах:").arg(lines.size()));
    return lines.join(u'\n');
}

QStringList JournalModel::exportHeader() {
    QStringList h = reportTableHeader();
    h.insert(Mark, QStringLiteral("Оценка"));
    h << QStringLiteral("Название") << QStringLiteral("ПК");
    return h;
}

QStringList JournalModel::exportRow(int i) const {
    const JournalRow& r = row(i);
    const JournalSource& s = r.first;
    QStringList cells = reportTableRow(m_data.files()[s.file], s.block, m_data.entryOf(r));
    cells.insert(Mark, QString::number(markOf(i)));
    cells << m_data.titleOf(r) << m_data.pcOf(r);
    return cells;
}

// Without the checks through the virtual calls of the base: sorting a
// large journal asks for millions of indexes.
QModelIndex JournalModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || column >= ColumnCount ||
        row >= static_cast<int>(m_data.rows().size()))
        return {};
    return createIndex(row, column);
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_data.rows().size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == File)
        return sourcesText(row(index.row()));
    if (role == Qt::TextAlignmentRole && isNumberColumn(index.column()))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant JournalModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, o, role);
    return exportHeader()[section];
}

JournalProxy::JournalProxy(JournalModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model) {
    setSourceModel(model);
}

void JournalProxy::setFilter(const JournalFilter& filter) {
    if (filter == m_filter)
        return;
    m_filter = filter;
    invalidateFilter();
}

int JournalProxy::sourceRowOf(int proxyRow) const {
    return mapToSource(index(proxyRow, 0)).row();
}

QString JournalProxy::shownTitle() const {
    if (!m_filter.title.isEmpty())
        return m_filter.title;
    const JournalData& d = m_model->data();
    const int rows = rowCount();
    const int first = rows > 0 ? m_model->row(sourceRowOf(0)).title : -1;
    for (int i = 1; i < rows && first >= 0; ++i)
        if (m_model->row(sourceRowOf(i)).title != first)
            return {};
    return d.titles().value(first);
}

MarkSummary JournalProxy::summary() const {
    MarkSummary s;
    qint64 sum = 0;
    for (int i = 0; i < rowCount(); ++i) {
        const int src = sourceRowOf(i);
        sum += m_model->row(src).percent;
        ++s.marks[static_cast<size_t>(m_model->markOf(src) - 2)];
    }
    s.tests = rowCount();
    s.averagePercent = s.tests > 0 ? static_cast<double>(sum) / s.tests : 0.0;
    return s;
}

QList<QStringList> JournalProxy::table() const {
    QList<QStringList> rows{JournalModel::exportHeader()};
    rows.reserve(rowCount() + 1);
    for (int i = 0; i < rowCount(); ++i)
        rows.append(m_model->exportRow(sourceRowOf(i)));
    return rows;
}

bool JournalProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return m_filter.accepts(m_model->data(), m_model->row(sourceRow));
}

bool JournalProxy::lessThan(const QModelIndex& a, const QModelIndex& b) const {
    return m_model->compare(a.row(), b.row(), a.column()) < 0;
}

QString journalPrintTitle(const QStringList& files, const QString& shownTitle) {
    if (!shownTitle.isEmpty())
        return shownTitle;
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    return QStringLiteral("Журнал результатов: %1").arg(names.join(QStringLiteral(", ")));
}

} // namespace kt
