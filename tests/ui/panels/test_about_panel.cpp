// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Widgets.h"
#include "ui/AboutPanel.h"
#include "ui/layout/Look.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kt {
namespace {

int leadingSpaces(const QString& text) {
    int count = 0;
    while (count < text.size() && text.at(count) == QLatin1Char(' ')) {
        ++count;
    }
    return count;
}

TEST(AboutPanelTest, ProgramLineKeepsItsSpaces) {
    AboutPanel panel;
    const QString text = panel.programLabel()->text();
    EXPECT_EQ(leadingSpaces(text), 7);
    std::reverse_iterator<QString::const_iterator> end = text.crbegin();
    int trailing = 0;
    for (; end != text.crend() && *end == QLatin1Char(' '); ++end) {
        ++trailing;
    }
    EXPECT_EQ(trailing, 6);
    EXPECT_EQ(text.trimmed(), QStringLiteral("Программа тестирования знаний"));
    EXPECT_EQ(text.size(), 7 + 29 + 6);
}

TEST(AboutPanelTest, ProgramLineLook) {
    AboutPanel panel;
    const QLabel* line = panel.programLabel();
    EXPECT_EQ(line->geometry(), QRect(33, 40, 466, 26));
    EXPECT_EQ(line->alignment(), Qt::AlignCenter);
    EXPECT_EQ(line->font().family(), makeFont(FontFamily::CourierNew, 14).family());
    EXPECT_EQ(line->font().pixelSize(), 19);
    EXPECT_TRUE(line->font().bold());
    EXPECT_EQ(test::colourOf(line, QPalette::WindowText), look::kBlue);
    EXPECT_EQ(test::colourOf(line, QPalette::Window), look::kSkyBlue);
    EXPECT_TRUE(line->autoFillBackground());
    EXPECT_NE(line->frameShape(), QFrame::NoFrame);
}

TEST(AboutPanelTest, CreditsOverTheStrip) {
    AboutPanel panel;
    EXPECT_EQ(panel.size(), QSize(529, 249));
    EXPECT_EQ(test::colourOf(&panel, QPalette::Window), look::kSkyBlue);
    EXPECT_EQ(panel.creditStrip()->geometry(), QRect(32, 88, 465, 57));
    EXPECT_EQ(test::colourOf(panel.creditStrip(), QPalette::Window), look::kInactiveCaptionText);
    EXPECT_TRUE(panel.creditStrip()->autoFillBackground());

    struct Credit {
        const QLabel* label;
        QString text;
        QPoint at;
        QColor colour;
    };
    const Credit credits[] = {
        {panel.creditLabel(), QStringLiteral("Разработчик программы:"), {40, 96}, look::kBlue},
        {panel.developerLabel(),
         QStringLiteral("Команда knowtest, школьный кружок"),
         {224, 96},
         look::kPurple},
        {panel.addressLabel(), QStringLiteral("knowtest"), {192, 120}, look::kRed},
    };
    const QString mono = makeFont(FontFamily::CourierNew, 10).family();
    for (const Credit& credit : credits) {
        SCOPED_TRACE(credit.text.toStdString());
        EXPECT_EQ(credit.label->text(), credit.text);
        EXPECT_EQ(credit.label->pos(), credit.at);
        EXPECT_EQ(credit.label->font().family(), mono);
        EXPECT_EQ(credit.label->font().pixelSize(), 13);
        EXPECT_TRUE(credit.label->font().bold());
        EXPECT_EQ(test::colourOf(credit.label, QPalette::WindowText), credit.colour);
        // Drawn over the strip, not hidden beneath it.
        EXPECT_GT(panel.children().indexOf(const_cast<QLabel*>(credit.label)),
                  panel.children().indexOf(panel.creditStrip()));
    }
}

TEST(AboutPanelTest, OkButton) {
    AboutPanel panel;
    panel.show();
    const QPushButton* ok = panel.okButton();
    EXPECT_EQ(ok->geometry(), QRect(232, 176, 73, 25));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->font().bold());
    EXPECT_EQ(test::colourOf(ok, QPalette::ButtonText), look::kBlue);
    QSignalSpy spy(&panel, &AboutPanel::okClicked);
    QTest::mouseClick(panel.okButton(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(AboutPanelTest, BorderAndLoweredBevelArePainted) {
    AboutPanel panel;
    const QImage image = panel.grab().toImage();
    // The outer pixel is the black border; inside it the lowered bevel
    // darkens the top-left edge and lightens the bottom-right one.
    EXPECT_EQ(QColor(image.pixel(0, 0)), look::kBlack);
    EXPECT_EQ(QColor(image.pixel(528, 248)), look::kBlack);
    const QColor topLeft(image.pixel(3, 100));
    const QColor bottomRight(image.pixel(525, 100));
    EXPECT_LT(topLeft.lightness(), bottomRight.lightness());
    EXPECT_EQ(QColor(image.pixel(10, 100)), look::kSkyBlue);
}

} // namespace
} // namespace kt
