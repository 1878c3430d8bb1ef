// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Widgets.h"
#include "ui/UpDown.h"
#include "ui/UpDownArrows.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kt {
namespace {

class UpDownTest : public ::testing::Test {
protected:
    QWidget parent;
};

TEST_F(UpDownTest, PlacesValueAndArrowsByTheirOwnRectangles) {
    // Arrows to the left of the value, as the minutes control has them.
    UpDown control(QRect(304, 8, 25, 33), QRect(288, 8, 16, 33), &parent);
    EXPECT_EQ(control.geometry(), QRect(288, 8, 41, 33));
    EXPECT_EQ(QRect(test::positionIn(control.valueLabel(), &parent), control.valueLabel()->size()),
              QRect(304, 8, 25, 33));
    EXPECT_EQ(QRect(test::positionIn(control.arrows(), &parent), control.arrows()->size()),
              QRect(288, 8, 16, 33));
}

TEST_F(UpDownTest, ArrowsSplitTheHeightUpAboveDown) {
    UpDown control(QRect(272, 8, 49, 33), QRect(321, 8, 17, 33), &parent);
    parent.show();
    const QToolButton* up = control.arrows()->upButton();
    const QToolButton* down = control.arrows()->downButton();
    EXPECT_EQ(up->geometry(), QRect(0, 0, 17, 16));
    EXPECT_EQ(down->geometry(), QRect(0, 16, 17, 17));
    EXPECT_EQ(up->arrowType(), Qt::UpArrow);
    EXPECT_EQ(down->arrowType(), Qt::DownArrow);
    EXPECT_EQ(up->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(down->focusPolicy(), Qt::NoFocus);
}

TEST_F(UpDownTest, ArrowClicksReportPlusAndMinusOne) {
    UpDown control(QRect(0, 0, 40, 25), QRect(40, 0, 24, 25), &parent);
    parent.show();
    QSignalSpy spy(&control, &UpDown::arrowClicked);
    QTest::mouseClick(control.arrows()->upButton(), Qt::LeftButton);
    QTest::mouseClick(control.arrows()->downButton(), Qt::LeftButton);
    QTest::mouseClick(control.arrows()->downButton(), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(0).toInt(), +1);
    EXPECT_EQ(spy.at(1).at(0).toInt(), -1);
    EXPECT_EQ(spy.at(2).at(0).toInt(), -1);
}

TEST_F(UpDownTest, ShowsTheStateItIsGivenWithoutMovingByItself) {
    UpDown control(QRect(0, 0, 40, 25), QRect(40, 0, 24, 25), &parent);
    const QString text = QStringLiteral("1\u00A0234");
    control.setState(1234, 1, 5000, text);
    EXPECT_EQ(control.valueLabel()->text(), text);
    EXPECT_EQ(control.text(), text);
    EXPECT_EQ(control.position(), 1234);
    EXPECT_EQ(control.lower(), 1);
    EXPECT_EQ(control.upper(), 5000);

    // A click is only reported: the owner of the position answers it.
    control.arrows()->upButton()->click();
    EXPECT_EQ(control.position(), 1234);
    EXPECT_EQ(control.text(), text);

    control.setState(1, 1, 3, QStringLiteral("1"));
    EXPECT_EQ(control.text(), QStringLiteral("1"));
    EXPECT_EQ(control.upper(), 3);
}

TEST_F(UpDownTest, ValueLookIsApplied) {
    UpDown control(QRect(0, 0, 40, 25), QRect(40, 0, 24, 25), &parent);
    QFont font;
    font.setPixelSize(24);
    font.setBold(true);
    control.setValueLook(font, QColor(0, 0, 255), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(control.valueLabel()->font().pixelSize(), 24);
    EXPECT_TRUE(control.valueLabel()->font().bold());
    EXPECT_EQ(test::colourOf(control.valueLabel(), QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(control.valueLabel()->alignment(), Qt::AlignRight | Qt::AlignTop);
}

} // namespace
} // namespace kt
