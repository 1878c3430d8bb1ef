// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SettingsModel.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {
const QString nbsp(QChar(0x00A0));
}

TEST(UpDownModel, SetPositionBringsTheValueToTheNearestLimitAndWritesIt) {
    UpDownModel m(1, 40, 5);
    m.SetPosition(0);
    EXPECT_EQ(m.position(), 1);
    EXPECT_EQ(m.text(), "1");
    m.SetPosition(41);
    EXPECT_EQ(m.position(), 40);
    EXPECT_EQ(m.text(), "40");
}

TEST(UpDownModel, WrittenTextsCarryTheThousandsSeparator) {
    UpDownModel m(0, 2000, 0);
    m.SetPosition(1500);
    EXPECT_EQ(m.text(), "1" + nbsp + "500");
    EXPECT_EQ(m.textValue(), 1500);
    m.SetText(QStringLiteral("1500"));
    EXPECT_EQ(m.text(), "1500");
    EXPECT_EQ(m.position(), 1500);
}

TEST(UpDownModel, StepMovesByOneWithoutWrapping) {
    UpDownModel m(1, 3, 2);
    m.SetText(QStringLiteral("2"));
    EXPECT_TRUE(m.Step(+1));
    EXPECT_EQ(m.position(), 3);
    EXPECT_EQ(m.text(), "3");
    EXPECT_FALSE(m.Step(+1));
    EXPECT_EQ(m.position(), 3);
    EXPECT_TRUE(m.Step(-1));
    EXPECT_TRUE(m.Step(-1));
    EXPECT_FALSE(m.Step(-1));
    EXPECT_EQ(m.position(), 1);
    EXPECT_EQ(m.text(), "1");
}

TEST(UpDownModel, StepFromAPositionBeyondANewLimitLandsOnTheLimit) {
    UpDownModel m(1, 40, 40);
    m.SetUpper(39);
    EXPECT_TRUE(m.Step(+1));
    EXPECT_EQ(m.position(), 39);
}

TEST(UpDownModel, LimitsAndPositionsAreSigned16Bit) {
    UpDownModel m(0, 10, 0);
    m.SetUpper(40000);
    EXPECT_EQ(m.upper(), 32767);
    m.SetPosition(100000);
    EXPECT_EQ(m.position(), 32767);
    m.SetLower(-40000);
    EXPECT_EQ(m.lower(), -32768);
}

TEST(UpDownModel, TextValueReadsPastSeparators) {
    UpDownModel m(0, 10, 0);
    m.SetText("12" + nbsp + "345");
    EXPECT_EQ(m.textValue(), 12345);
    m.SetText(QStringLiteral("60"));
    EXPECT_EQ(m.textValue(), 60);
    m.SetText(QString());
    EXPECT_EQ(m.textValue(), 0);
}

TEST(UpDownModel, AnUpperLimitBelowTheLowerOneHoldsThePositionAtTheLower) {
    UpDownModel from(1, 40, 1);
    from.SetUpper(30 - 60); // a bank of 30 records and 60 questions
    from.SetPosition(0);
    EXPECT_EQ(from.position(), 1);
    EXPECT_FALSE(from.Step(+1));
    EXPECT_FALSE(from.Step(-1));
    EXPECT_EQ(from.position(), 1);
}
