// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Widgets.h"
#include "ui/ReportViewer.h"
#include "ui/layout/Look.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace kt {
namespace {

// The lines the box lays its text out in, as the eye sees them.
int visualLines(const QPlainTextEdit* box) {
    QAbstractTextDocumentLayout* layout = box->document()->documentLayout();
    int lines = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out
        lines += block.layout()->lineCount();
    }
    return lines;
}

QStringList reportBlock(const QString& name) {
    return {QStringLiteral(" "),
            QStringLiteral("Студент --- ") + name,
            QStringLiteral("Ответил правильно на --- 85 %"),
            QStringLiteral("Дата тестирования --- 07.12.2026"),
            QStringLiteral("Время завершения тестирования --- 9:05:03"),
            QStringLiteral("Остаток времени после тестирования --- 0:12:41"),
            QStringLiteral("Всего вопросов в базе - 100"),
            QStringLiteral("Колличество вопросов в тесте --- 60"),
            QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 100"),
            QStringLiteral("Выделяемое время на один вопрос --- 2 мин")};
}

TEST(ReportViewerTest, LayoutAndLook) {
    ReportViewer viewer;
    EXPECT_EQ(viewer.size(), QSize(433, 449));
    EXPECT_EQ(test::colourOf(&viewer, QPalette::Window), look::kSkyBlue);
    EXPECT_EQ(viewer.frameShape(), QFrame::Box);
    EXPECT_EQ(viewer.lineWidth(), 1);

    const QLabel* heading = viewer.findChild<QLabel*>();
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), QStringLiteral("Просмотр отчетов"));
    EXPECT_EQ(heading->pos(), QPoint(144, 8));
    EXPECT_EQ(heading->font().pixelSize(), 16);
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(test::colourOf(heading, QPalette::WindowText), look::kBlue);

    const QPlainTextEdit* box = viewer.textBox();
    EXPECT_EQ(box->geometry(), QRect(16, 40, 401, 353));
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(test::colourOf(box, QPalette::Base), look::kTooltipBackground);
    EXPECT_EQ(test::colourOf(box, QPalette::Text), look::kBlack);
    EXPECT_EQ(box->font().family(), makeFont(FontFamily::TimesNewRoman, 12).family());
    EXPECT_EQ(box->font().pixelSize(), 16);
    EXPECT_TRUE(box->font().bold());

    const QPushButton* close = viewer.closeButton();
    EXPECT_EQ(close->geometry(), QRect(184, 408, 89, 25));
    EXPECT_EQ(close->text(), QStringLiteral("Закрыть"));
    EXPECT_TRUE(close->font().bold());
    EXPECT_EQ(test::colourOf(close, QPalette::ButtonText), look::kNavy);
}

TEST(ReportViewerTest, EachLineOfTheFileIsOneLineOfTheBox) {
    // Two blocks are more lines than the box puts in one paragraph.
    QStringList lines =
        reportBlock(QStringLiteral("Иванов")) + reportBlock(QStringLiteral("Петрова"));
    lines[18] = QStringLiteral("Отбор вопросов из диапазона от --- 1\u00A0000  до  --- 1\u00A0200");
    ReportViewer viewer;
    viewer.show();
    viewer.setReportText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    // Counted without wrapping: every line break is one of the file's.
    viewer.textBox()->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The line break after the last line leaves the caret's empty line.
    EXPECT_EQ(viewer.reportText(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(visualLines(viewer.textBox()), lines.size() + 1);
}

TEST(ReportViewerTest, LoneLineEndsBreakLinesToo) {
    ReportViewer viewer;
    viewer.setReportText(QStringLiteral("один\rдва\nтри"));
    EXPECT_EQ(viewer.reportText(), QStringLiteral("один\nдва\nтри"));
    EXPECT_EQ(visualLines(viewer.textBox()), 3);
}

TEST(ReportViewerTest, NewTextReplacesTheOldAndEmptyShowsNothing) {
    ReportViewer viewer;
    viewer.setReportText(reportBlock(QStringLiteral("А")).join(QStringLiteral("\r\n")));
    ASSERT_EQ(viewer.reportText().count(QLatin1Char('\n')), 9);
    viewer.setReportText(QStringLiteral("одна строка"));
    EXPECT_EQ(viewer.reportText(), QStringLiteral("одна строка"));
    EXPECT_EQ(visualLines(viewer.textBox()), 1);
    viewer.setReportText(QString());
    EXPECT_EQ(viewer.reportText(), QString());
}

TEST(ReportViewerTest, TypingDoesNotChangeTheText) {
    ReportViewer viewer;
    viewer.show();
    viewer.setReportText(QStringLiteral("Студент --- Иванов"));
    viewer.textBox()->setFocus();
    QTest::keyClicks(viewer.textBox(), QStringLiteral("abc"));
    QTest::keyClick(viewer.textBox(), Qt::Key_Backspace);
    QTest::keyClick(viewer.textBox(), Qt::Key_Return);
    EXPECT_EQ(viewer.reportText(), QStringLiteral("Студент --- Иванов"));
}

TEST(ReportViewerTest, CloseReportsClose) {
    ReportViewer viewer;
    viewer.show();
    QSignalSpy spy(&viewer, &ReportViewer::closeClicked);
    QTest::mouseClick(viewer.closeButton(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

} // namespace
} // namespace kt
