// SPDX-License-Identifier: GPL-3.0-or-later
// The report viewer and the About panel in the window: the file read afresh
// at every opening, the two panels replacing each other, and a test that goes
// on behind them.
#include "tests/support/WindowHarness.h"

#include "ui/AboutPanel.h"
#include "ui/ReportViewer.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace kt;
using namespace kt::test;

namespace {

// Counts the window's hide and show events: closing a panel makes it blink.
class BlinkCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            ++hides;
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
    int hides = 0;
    int shows = 0;
};

} // namespace

using ViewerAndAbout = WindowHarness;

TEST_F(ViewerAndAbout, ViewingWithoutAReportFileCreatesAnEmptyOne) {
    openWindow(70);
    ASSERT_TRUE(QFile::remove(reportPath()));
    element<QAction>("reportMenuItem")->trigger();
    ReportViewer* viewer = element<ReportViewer>("reportViewer");
    EXPECT_TRUE(viewer->isVisible());
    ASSERT_TRUE(QFile::exists(reportPath()));
    EXPECT_EQ(QFile(reportPath()).size(), 0);
    EXPECT_TRUE(viewer->reportText().isEmpty());
    EXPECT_TRUE(viewer->textBox()->toPlainText().isEmpty());
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(ViewerAndAbout, TwoTestsShowTwoTenLineBlocks) {
    openWindow(70);
    startTest(QStringLiteral("Anna"));
    abortAndConfirm();
    startTest(QStringLiteral("Boris"));
    abortAndConfirm();
    element<QAction>("reportMenuItem")->trigger();
    const QString text = element<ReportViewer>("reportViewer")->reportText();
    ASSERT_TRUE(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines, reportLines());
    for (int block = 0; block < 2; ++block) {
        EXPECT_EQ(lines[block * 10], QStringLiteral(" "));
        EXPECT_EQ(lines[block * 10 + 2], QStringLiteral("Ответил правильно на --- 0 %"));
        EXPECT_EQ(lines[block * 10 + 3], QStringLiteral("Дата тестирования --- 07.12.2026"));
        EXPECT_EQ(lines[block * 10 + 9],
                  QStringLiteral("Выделяемое время на один вопрос --- 2 мин"));
    }
    EXPECT_EQ(lines[1], QStringLiteral("Студент --- Anna"));
    EXPECT_EQ(lines[11], QStringLiteral("Студент --- Boris"));
}

TEST_F(ViewerAndAbout, EachReplacesTheOther) {
    openWindow(70);
    element<QAction>("reportMenuItem")->trigger();
    ASSERT_TRUE(element<ReportViewer>("reportViewer")->isVisible());
    element<QAction>("aboutMenuItem")->trigger();
    EXPECT_TRUE(element<AboutPanel>("aboutPanel")->isVisible());
    EXPECT_FALSE(element<ReportViewer>("reportViewer")->isVisible());
    element<QAction>("reportMenuItem")->trigger();
    EXPECT_TRUE(element<ReportViewer>("reportViewer")->isVisible());
    EXPECT_FALSE(element<AboutPanel>("aboutPanel")->isVisible());
}

TEST_F(ViewerAndAbout, TheFileIsReadAfreshAtEveryOpening) {
    openWindow(70);
    element<QAction>("reportMenuItem")->trigger();
    ReportViewer* viewer = element<ReportViewer>("reportViewer");
    EXPECT_TRUE(viewer->reportText().isEmpty());
    // "Привет" in the code page, appended while the viewer is shown.
    appendToReport(QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"));
    EXPECT_TRUE(viewer->reportText().isEmpty());
    // Opening it again while it is shown reads the file too.
    element<QAction>("reportMenuItem")->trigger();
    EXPECT_EQ(viewer->reportText(), QStringLiteral("Привет\n"));
    click(viewer->closeButton());
    appendToReport(QByteArray("second\r\n"));
    element<QAction>("reportMenuItem")->trigger();
    EXPECT_EQ(viewer->reportText(), QStringLiteral("Привет\nsecond\n"));
    // A test completed behind the open viewer shows only at the next opening.
    startTest(QStringLiteral("Vera"));
    abortAndConfirm();
    EXPECT_EQ(viewer->reportText(), QStringLiteral("Привет\nsecond\n"));
    element<QAction>("reportMenuItem")->trigger();
    EXPECT_TRUE(viewer->reportText().contains(QStringLiteral("Студент --- Vera\n")));
    EXPECT_EQ(viewer->reportText().count(QLatin1Char('\n')), 12);
}

TEST_F(ViewerAndAbout, TheCountdownRunsOnBehindThemAndClosingKeepsTheWindow) {
    openWindow(70);
    startTest(QStringLiteral("Gleb"));
    TextLabel* time = element<TimePanel>("timePanel")->timeLabel();
    // Until the first tick the panel shows what it showed before.
    ASSERT_EQ(time->rawText(), QStringLiteral("00:00:00"));
    BlinkCounter blinks;
    m_window->installEventFilter(&blinks);

    element<QAction>("reportMenuItem")->trigger();
    ASSERT_TRUE(element<ReportViewer>("reportViewer")->isVisible());
    EXPECT_TRUE(m_window->ticker().IsActive());
    EXPECT_TRUE(
        QTest::qWaitFor([time] { return time->rawText() == QStringLiteral("1:59:59"); }, 3000));
    click(element<ReportViewer>("reportViewer")->closeButton());
    EXPECT_FALSE(element<ReportViewer>("reportViewer")->isVisible());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(blinks.hides, 1);
    EXPECT_EQ(blinks.shows, 1);
    EXPECT_TRUE(m_window->ticker().IsActive());

    element<QAction>("aboutMenuItem")->trigger();
    ASSERT_TRUE(element<AboutPanel>("aboutPanel")->isVisible());
    EXPECT_TRUE(
        QTest::qWaitFor([time] { return time->rawText() == QStringLiteral("1:59:58"); }, 3000));
    click(element<AboutPanel>("aboutPanel")->okButton());
    EXPECT_FALSE(element<AboutPanel>("aboutPanel")->isVisible());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(blinks.hides, 2);
    EXPECT_EQ(blinks.shows, 2);
    EXPECT_TRUE(m_window->ticker().IsActive());
    EXPECT_EQ(m_window->engine().screen(), ScreenState::Testing);
    EXPECT_TRUE(element<QAction>("abortMenuItem")->isEnabled());
    m_window->removeEventFilter(&blinks);
}
