#include "ReportViewer.h"

#include "Look.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace kt {
namespace {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
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
    // The file's lines end in CR LF; each pair is one line break of the box.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(lines);
    m_text->verticalScrollBar()->setValue(0);
}

QString ReportViewer::reportText() const {
    return m_text->toPlainText();
}

} // namespace kt
