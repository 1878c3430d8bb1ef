// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalPrinter.h"

#include "teacher/journal/MarkChart.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace kt {
namespace {

constexpr int kSampleRows = 300;

// Widths in proportion to the widest text of the first rows, fitted to the page.
std::vector<int> columnWidths(const QList<QStringList>& table, const QFontMetrics& fm, int page) {
    const int columns = table.isEmpty() ? 0 : static_cast<int>(table.front().size());
    std::vector<int> w(static_cast<size_t>(columns), 1);
    const int rows = std::min<int>(static_cast<int>(table.size()), kSampleRows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns && c < table[r].size(); ++c)
            w[static_cast<size_t>(c)] = std::max(w[static_cast<size_t>(c)],
                                                 fm.horizontalAdvance(table[r][c]) + fm.height());
    const int total = std::max(1, std::accumulate(w.begin(), w.end(), 0));
    for (int& x : w)
        x = x * page / total;
    return w;
}

void paintRow(QPainter& p, const QStringList& cells, const std::vector<int>& widths, int y, int h) {
    int x = 0;
    for (size_t c = 0; c < widths.size() && c < static_cast<size_t>(cells.size()); ++c) {
        const QRect cell(x, y, widths[c], h);
        p.drawText(
            cell.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
            p.fontMetrics().elidedText(cells[static_cast<int>(c)], Qt::ElideRight, widths[c] - 4));
        x += widths[c];
    }
    p.drawLine(0, y + h, x, y + h);
}

// The heading, the notes and the chart on the first page; returns the y below them.
int paintHeading(QPainter& p, const JournalPrintout& out, int width) {
    QFont big = p.font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    const QFont normal = p.font();
    p.setFont(big);
    int y = p.fontMetrics().height();
    p.drawText(0, y, out.title);
    p.setFont(normal);
    y += p.fontMetrics().height() / 2;
    for (const QString& note : out.notes) {
        y += p.fontMetrics().height();
        p.drawText(0, y, note);
    }
    const int chartHeight = p.fontMetrics().height() * 7;
    paintMarkChart(
        p,
        QRect(0, y + p.fontMetrics().height() / 2, std::min(width, chartHeight * 2), chartHeight),
        out.summary);
    return y + chartHeight + p.fontMetrics().height();
}

} // namespace

bool printJournal(QPrinter& printer, const JournalPrintout& out,
                  const std::function<bool(int)>& progress) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    if (!p.begin(&printer) || out.table.isEmpty())
        return false;
    QFont font(QStringLiteral("Liberation Sans"), 8);
    p.setFont(font);
    const int width = p.window().width();
    const int height = p.window().height();
    QList<QStringList> table = out.table;
    for (int r = 1; r < table.size(); ++r)
        table[r][0] = QFileInfo(table[r][0]).fileName();
    const std::vector<int> widths = columnWidths(table, p.fontMetrics(), width);
    const int rowHeight = p.fontMetrics().height() + 4;
    int y = paintHeading(p, out, width);
    int pageNumber = 1;
    auto header = [&] {
        QFont bold = font;
        bold.setBold(true);
        p.setFont(bold);
        paintRow(p, table.front(), widths, y, rowHeight);
        p.setFont(font);
        y += rowHeight;
    };
    header();
    for (int r = 1; r < table.size(); ++r) {
        if (y + 2 * rowHeight > height) {
            p.drawText(QRect(0, height - rowHeight, width, rowHeight), Qt::AlignRight,
                       QStringLiteral("Страница %1").arg(pageNumber++));
            if (!printer.newPage() || (progress && !progress(r)))
                return false;
            y = 0;
            header();
        }
        paintRow(p, table[r], widths, y, rowHeight);
        y += rowHeight;
    }
    p.drawText(QRect(0, height - rowHeight, width, rowHeight), Qt::AlignRight,
               QStringLiteral("Страница %1").arg(pageNumber));
    return p.end();
}

} // namespace kt
