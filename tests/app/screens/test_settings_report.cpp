// SPDX-License-Identifier: GPL-3.0-or-later
// After OK the report's settings lines copy the screen's value texts.
#include "tests/support/WindowHarness.h"

#include "ui/SettingsScreen.h"
#include "ui/UpDown.h"

#include <QFile>
#include <QLabel>

using namespace kt;
using namespace kt::test;

namespace {

QString valueText(UpDown* control) {
    return control->valueLabel()->text();
}

// Lines 8 to 10 of block `block` (0-based).
QStringList settingsLines(const QStringList& report, int block) {
    return report.mid(block * 10 + 7, 3);
}

} // namespace

using SettingsReport = WindowHarness;

TEST_F(SettingsReport, LinesReadTheScreensTexts) {
    openWindow(100);
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    clickArrow(s->countControl(), -1, 3);
    clickArrow(s->timeControl(), +1, 2);
    clickArrow(s->fromControl(), +1, 5);
    clickArrow(s->toControl(), -1, 10);
    clickSettingsOk();
    startTest(QStringLiteral("Pavel"));
    abortAndConfirm();
    const QStringList report = reportLines();
    ASSERT_EQ(report.size(), 10);
    const QStringList expected{
        QStringLiteral("Колличество вопросов в тесте --- 57"),
        QStringLiteral("Отбор вопросов из диапазона от --- 6  до  --- 90"),
        QStringLiteral("Выделяемое время на один вопрос --- 3 мин"),
    };
    EXPECT_EQ(settingsLines(report, 0), expected);
    EXPECT_EQ(report[6], QStringLiteral("Всего вопросов в базе - 100"));
    const QString countHead = QStringLiteral("Колличество вопросов в тесте --- ");
    const QString timeHead = QStringLiteral("Выделяемое время на один вопрос --- ");
    EXPECT_EQ(report[7], countHead + valueText(s->countControl()));
    EXPECT_EQ(report[9], timeHead + valueText(s->timeControl()) + QStringLiteral(" мин"));
    EXPECT_EQ(report[8], QStringLiteral("Отбор вопросов из диапазона от --- %1  до  --- %2")
                             .arg(valueText(s->fromControl()), valueText(s->toControl())));
}

TEST_F(SettingsReport, ThousandsSeparatorOnceTheArrowsWroteTheNumber) {
    openWindow(1010);
    startTest(QStringLiteral("A"));
    abortAndConfirm();

    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    // Startup writes plain digits; the screen shows them until an arrow is used.
    EXPECT_EQ(valueText(s->toControl()), QStringLiteral("1010"));
    clickArrow(s->toControl(), -1);
    EXPECT_EQ(valueText(s->toControl()), QStringLiteral("1\u00A0009"));
    clickSettingsOk();
    startTest(QStringLiteral("B"));
    abortAndConfirm();

    // Back up to the bank's size: the same number, now with the separator.
    clickOptions();
    clickArrow(s->toControl(), +1, 2);
    EXPECT_EQ(valueText(s->toControl()), QStringLiteral("1\u00A0010"));
    clickSettingsOk();
    EXPECT_EQ(m_window->engine().state().RangeTo, 1010);
    startTest(QStringLiteral("C"));
    abortAndConfirm();

    const QStringList report = reportLines();
    ASSERT_EQ(report.size(), 30);
    EXPECT_EQ(report[8], QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 1010"));
    EXPECT_EQ(report[18],
              QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 1\u00A0009"));
    EXPECT_EQ(report[28],
              QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 1\u00A0010"));
    for (int block = 0; block < 3; ++block)
        EXPECT_EQ(report[block * 10 + 6], QStringLiteral("Всего вопросов в базе - 1010"));
    // In the file the separator is the code page's no-break space.
    QFile file(reportPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("--- 1\xA0"
                                          "009\r\n")));
    EXPECT_TRUE(bytes.contains(QByteArray("--- 1010\r\n")));
    EXPECT_TRUE(bytes.contains(QByteArray("--- 1\xA0"
                                          "010\r\n")));
}
