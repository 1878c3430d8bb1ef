// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportViewer.h"

#include "ui/layout/Look.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

namespace kt {
namespace {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A paragraph of the box costs far more to build than the characters in it,
// so runs of file lines share one paragraph, broken by forced line breaks:
// each file line is still a line of its own, and a report of tens of
// thousands of blocks opens at once.
constexpr int kLinesPerParagraph = 16;

QString boxText(const QString& fileText) {
    // CR LF ends the file's lines; a lone CR or LF breaks a line too. One pass
    // over the characters: replacing the pairs in place would move the rest
    // of a long report once for every line.
    QString text(fileText.size(), Qt::Uninitialized);
    QChar* out = text.data();
    int lines = 0;
    for (qsizetype i = 0; i < fileText.size(); ++i) {
        const QChar c = fileText.at(i);
        if (c == QLatin1Char('\r') && i + 1 < fileText.size() &&
            fileText.at(i + 1) == QLatin1Char('\n')) {
            continue; // the LF that follows ends the line
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            *out++ = ++lines % kLinesPerParagraph == 0 ? QChar(QLatin1Char('\n'))
                                                       : QChar(QChar::LineSeparator);
        } else {
            *out++ = c;
        }
    }
    text.truncate(out - text.constData());
    return text;
}

} // namespace

ReportViewer::ReportViewer(QWidget* parent)
    : QFrame(parent), m_heading(new QLabel(QStringLiteral("Просмотр отчетов"), this)),
      m_close(new QPushButton(QStringLiteral("Закрыть"), this)) {
    setFixedSize(433, 449);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setColour(this, QPalette::Window, look::kSkyBlue);
    setAutoFillBackground(true);

    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setFont(makeFont(FontFamily::MsSansSerif, 12, true));
    setColour(m_heading, QPalette::WindowText, look::kBlue);
    m_heading->move(144, 8);
    m_heading->adjustSize();

    buildTextBox();

    m_close->setGeometry(184, 408, 89, 25);
    m_close->setFont(makeFont(FontFamily::MsSansSerif, 8, true));
    setColour(m_close, QPalette::ButtonText, look::kNavy);
    connect(m_close, &QPushButton::clicked, this, &ReportViewer::closeClicked);
}

void ReportViewer::buildTextBox() {
    m_text = new QPlainTextEdit(this);
    m_text->setGeometry(16, 40, 401, 353);
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setFont(makeFont(FontFamily::TimesNewRoman, 12, true));
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, look::kTooltipBackground);
    palette.setColor(QPalette::Text, look::kBlack);
    m_text->setPalette(palette);
}

void ReportViewer::setReportText(const QString& text) {
    m_text->clear();
    m_text->setPlainText(boxText(text));
    m_text->verticalScrollBar()->setValue(0);
}

QString ReportViewer::reportText() const {
    QString text = m_text->document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace kt
