// SPDX-License-Identifier: GPL-3.0-or-later
// The guide as the teacher finds it: the chapters in the index's order
// (those not written yet left out), each shown by the help window, which F1
// opens from the teacher's window.

#include "teacher/gui/TeacherWindow.h"
#include "teacher/help/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace kt;

namespace {

void write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST(Guide, ChaptersFollowTheIndexAndSkipTheUnwritten) {
    QTemporaryDir dir;
    write(dir, QStringLiteral("chapters.txt"), "# порядок\nb.md\n\nнет.md\na.md\n");
    write(dir, QStringLiteral("a.md"), "Вступление\n\n# Первая глава\n\nТекст.\n");
    write(dir, QStringLiteral("b.md"), "без заголовка\n");
    const std::vector<GuideChapter> chapters = guideChapters(dir.path());
    ASSERT_EQ(chapters.size(), 2u);
    EXPECT_EQ(chapters[0].title, QStringLiteral("b"));
    EXPECT_EQ(chapters[1].title, QStringLiteral("Первая глава"));
    EXPECT_TRUE(guideChapters(QString()).empty());
}

TEST(Guide, TheShippedGuideHasItsChaptersInRussian) {
    const std::vector<GuideChapter> chapters = guideChapters(guideFolder());
    ASSERT_GE(chapters.size(), 5u);
    const QStringList first = {"Установка", "База из электронной таблицы", "Редактор вопросов",
                               "Параметры теста", "Журнал результатов"};
    for (int i = 0; i < first.size(); ++i)
        EXPECT_EQ(chapters[static_cast<size_t>(i)].title, first[i]);
}

TEST(Guide, WindowShowsTheChosenChapterAndSaysWhenTheGuideIsMissing) {
    HelpWindow window(guideFolder());
    auto* text = window.findChild<QTextBrowser*>(QStringLiteral("chapterText"));
    auto* list = window.findChild<QListWidget*>(QStringLiteral("chapters"));
    ASSERT_TRUE(text && list);
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Установка")));
    list->setCurrentRow(1);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("qbank import вопросы.xlsx")));

    QTemporaryDir empty;
    HelpWindow missing(empty.path());
    EXPECT_TRUE(missing.findChild<QTextBrowser*>(QStringLiteral("chapterText"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Руководство не найдено")));
}

TEST(Guide, F1InTheTeachersWindowOpensTheGuide) {
    QTemporaryDir settings;
    QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
    QApplication::setApplicationName(settings.path());
    TeacherWindow window;
    window.show();
    auto* guide = window.findChild<QAction*>(QStringLiteral("actionGuide"));
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->shortcut(), QKeySequence(Qt::Key_F1));
    guide->trigger();
    auto* help = window.findChild<HelpWindow*>(QStringLiteral("helpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    guide->trigger(); // the same window again, not a second one
    EXPECT_EQ(window.findChildren<HelpWindow*>().size(), 1);
}

} // namespace
