// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Widgets.h"
#include "ui/BankGrid.h"
#include "ui/BankGridModel.h"
#include "ui/SettingsScreen.h"
#include "ui/UpDown.h"
#include "ui/UpDownArrows.h"
#include "ui/layout/Look.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kt {
namespace {

QLabel* findText(const QWidget& root, const QString& text) {
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

QRect rectIn(const QWidget* widget, const QWidget* ancestor) {
    return QRect(test::positionIn(widget, ancestor), widget->size());
}

void expectText(const QWidget& root, const QString& text, const QPoint& at, int pixels,
                const QColor& colour) {
    SCOPED_TRACE(text.toStdString());
    const QLabel* label = findText(root, text);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(test::positionIn(label, &root), at);
    EXPECT_EQ(label->font().pixelSize(), pixels);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(test::colourOf(label, QPalette::WindowText), colour);
}

TEST(SettingsScreenTest, FixedTextsWhereTheyBelong) {
    SettingsScreen screen;
    EXPECT_EQ(screen.size(), QSize(777, 329));
    EXPECT_EQ(test::colourOf(&screen, QPalette::Window), look::kSkyBlue);
    EXPECT_TRUE(screen.autoFillBackground());
    EXPECT_EQ(screen.frameShape(), QFrame::Panel);
    EXPECT_EQ(screen.frameShadow(), QFrame::Raised);
    // Boxes are at 8,40 (count), 376,40 (time) and 8,120 (range).
    expectText(screen, QStringLiteral("Настройка параметров"), {264, 8}, 19, look::kBlue);
    expectText(screen, QStringLiteral("Колличество вопросов"), {8 + 16, 40 + 16}, 16, look::kNavy);
    expectText(screen, QStringLiteral("Время ответа на один вопрос"), {376 + 8, 40 + 16}, 16,
               look::kNavy);
    expectText(screen, QStringLiteral("мин"), {376 + 336, 40 + 12}, 19, look::kBlue);
    expectText(screen, QStringLiteral("Выбор из диапозона от"), {8 + 128, 120 + 136}, 13,
               look::kBlue);
    expectText(screen, QStringLiteral("до"), {8 + 456, 120 + 136}, 13, look::kBlue);
    EXPECT_EQ(findText(screen, QStringLiteral("мин"))->size(), QSize(41, 25));
}

TEST(SettingsScreenTest, ValuesAndArrowsWhereTheyBelong) {
    SettingsScreen screen;
    struct Place {
        UpDown* control;
        QRect value;
        QRect arrows;
        int pixels;
        QColor colour;
        Qt::Alignment horizontal;
    };
    const Place places[] = {
        {screen.countControl(),
         {280, 48, 49, 33},
         {329, 48, 17, 33},
         24,
         look::kBlue,
         Qt::AlignLeft},
        {screen.timeControl(),
         {680, 48, 25, 33},
         {664, 48, 16, 33},
         24,
         look::kBlue,
         Qt::AlignRight},
        {screen.fromControl(),
         {344, 252, 33, 25},
         {377, 252, 24, 25},
         16,
         look::kRed,
         Qt::AlignLeft},
        {screen.toControl(), {520, 252, 41, 25}, {561, 252, 24, 25}, 16, look::kRed, Qt::AlignLeft},
    };
    for (const Place& place : places) {
        const QLabel* value = place.control->valueLabel();
        EXPECT_EQ(rectIn(value, &screen), place.value);
        EXPECT_EQ(rectIn(place.control->arrows(), &screen), place.arrows);
        EXPECT_EQ(value->font().pixelSize(), place.pixels);
        EXPECT_TRUE(value->font().bold());
        EXPECT_EQ(test::colourOf(value, QPalette::WindowText), place.colour);
        EXPECT_EQ(value->alignment() & Qt::AlignHorizontal_Mask, place.horizontal);
    }
}

TEST(SettingsScreenTest, GridOkAndBankSizeLine) {
    SettingsScreen screen;
    EXPECT_EQ(rectIn(screen.grid(), &screen), QRect(8, 120, 761, 120));
    EXPECT_EQ(test::colourOf(screen.grid()->parentWidget(), QPalette::Window), look::kButtonFace);
    EXPECT_EQ(rectIn(screen.okButton(), &screen), QRect(344, 296, 75, 25));
    EXPECT_EQ(screen.okButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(screen.okButton()->isDefault());

    const QString line = QStringLiteral("Всего вопросов в базе - 1234");
    screen.setBankSizeLine(line);
    const QLabel* size = screen.bankSizeLabel();
    EXPECT_EQ(size->text(), line);
    EXPECT_EQ(test::positionIn(size, &screen), QPoint(192, 96));
    EXPECT_EQ(size->width(), size->sizeHint().width());
    EXPECT_EQ(size->font().pixelSize(), 13);
    EXPECT_TRUE(size->font().bold());
    EXPECT_EQ(test::colourOf(size, QPalette::WindowText), look::kFuchsia);
}

TEST(SettingsScreenTest, EachArrowPairReportsToItsOwnSignal) {
    SettingsScreen screen;
    QSignalSpy count(&screen, &SettingsScreen::countArrow);
    QSignalSpy time(&screen, &SettingsScreen::timeArrow);
    QSignalSpy from(&screen, &SettingsScreen::fromArrow);
    QSignalSpy to(&screen, &SettingsScreen::toArrow);
    screen.countControl()->arrows()->upButton()->click();
    screen.timeControl()->arrows()->downButton()->click();
    screen.fromControl()->arrows()->upButton()->click();
    screen.toControl()->arrows()->downButton()->click();
    screen.toControl()->arrows()->downButton()->click();
    ASSERT_EQ(count.count(), 1);
    ASSERT_EQ(time.count(), 1);
    ASSERT_EQ(from.count(), 1);
    ASSERT_EQ(to.count(), 2);
    EXPECT_EQ(count.at(0).at(0).toInt(), 1);
    EXPECT_EQ(time.at(0).at(0).toInt(), -1);
    EXPECT_EQ(from.at(0).at(0).toInt(), 1);
    EXPECT_EQ(to.at(1).at(0).toInt(), -1);
}

// What the screen shows before the window first sets it: the built-in
// test's count and minutes within their limits, and records from 1.
TEST(SettingsScreenTest, FirstStateIsTheBuiltInTestWithinItsLimits) {
    SettingsScreen screen;
    struct First {
        UpDown* control;
        int position, lower, upper;
        QString text;
    };
    const First controls[] = {
        {screen.countControl(), 60, 1, 60, QStringLiteral("60")},
        {screen.timeControl(), 2, 1, 3, QStringLiteral("2")},
        {screen.fromControl(), 1, 1, 0, QStringLiteral("1")},
        {screen.toControl(), 0, 0, 0, QStringLiteral("0")},
    };
    for (const First& c : controls) {
        EXPECT_EQ(c.control->position(), c.position) << c.text.toStdString();
        EXPECT_EQ(c.control->lower(), c.lower) << c.text.toStdString();
        EXPECT_EQ(c.control->upper(), c.upper) << c.text.toStdString();
        EXPECT_EQ(c.control->text(), c.text);
    }
}

TEST(SettingsScreenTest, StateSettersReachTheirControls) {
    SettingsScreen screen;
    screen.setCountState(40, 1, 60, QStringLiteral("40"));
    screen.setTimeState(3, 1, 3, QStringLiteral("3"));
    screen.setFromState(1200, 1, 1940, QStringLiteral("1\u00A0200"));
    screen.setToState(2000, 0, 2000, QStringLiteral("2000"));
    EXPECT_EQ(screen.countControl()->text(), QStringLiteral("40"));
    EXPECT_EQ(screen.timeControl()->text(), QStringLiteral("3"));
    EXPECT_EQ(screen.fromControl()->text(), QStringLiteral("1\u00A0200"));
    EXPECT_EQ(screen.fromControl()->upper(), 1940);
    EXPECT_EQ(screen.toControl()->position(), 2000);
}

TEST(SettingsScreenTest, SetBankFillsAndEmptiesTheGrid) {
    BankTable bank(3);
    for (int i = 0; i < 3; ++i) {
        bank[static_cast<std::size_t>(i)].text[FieldCounter] = QString::number(i + 1);
    }
    SettingsScreen screen;
    screen.setBank(std::make_shared<const BankTable>(bank));
    BankGridModel* model = screen.grid()->gridModel();
    EXPECT_EQ(model->rowCount(), 3);
    screen.setBank(nullptr);
    EXPECT_EQ(model->rowCount(), 0);
}

// The settings screen lies over a panel with a default button of its own,
// inside a dialog that presses its default button on Enter.
class SettingsEnterTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(800, 560);
        screen = new SettingsScreen(&host);
        screen->move(8, 80);
        screen->hide();
        beneath = new QPushButton(QStringLiteral("OK"), &host);
        beneath->setGeometry(360, 300, 75, 25);
        nameBox = new QLineEdit(&host);
        nameBox->setGeometry(300, 250, 200, 25);
        screen->raise();
        // Made default last, so the dialog takes it as its default button.
        beneath->setDefault(true);
        host.show();
        nameBox->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(beneath->isDefault());
    }

    QDialog host;
    QPushButton* beneath = nullptr;
    QLineEdit* nameBox = nullptr;
    SettingsScreen* screen = nullptr;
};

TEST_F(SettingsEnterTest, ShowingTheScreenTakesTheFocusFromThePanelBeneath) {
    ASSERT_EQ(host.focusWidget(), nameBox);
    screen->show();
    EXPECT_EQ(host.focusWidget(), screen->okButton());
}

TEST_F(SettingsEnterTest, EnterPressesTheScreensOkOnly) {
    screen->show();
    QSignalSpy ok(screen, &SettingsScreen::okClicked);
    QSignalSpy other(beneath, &QPushButton::clicked);
    QTest::keyClick(host.focusWidget(), Qt::Key_Return);
    QTest::keyClick(host.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(ok.count(), 2);
    EXPECT_EQ(other.count(), 0);
}

TEST_F(SettingsEnterTest, EnterInTheGridStillPressesTheScreensOk) {
    BankTable bank(5);
    screen->setBank(std::make_shared<const BankTable>(bank));
    screen->show();
    screen->grid()->setFocus();
    ASSERT_EQ(host.focusWidget(), screen->grid());
    QSignalSpy ok(screen, &SettingsScreen::okClicked);
    QSignalSpy other(beneath, &QPushButton::clicked);
    QTest::keyClick(screen->grid(), Qt::Key_Return);
    EXPECT_EQ(ok.count(), 1);
    EXPECT_EQ(other.count(), 0);
}

TEST_F(SettingsEnterTest, WithTheScreenHiddenEnterGoesBeneath) {
    // The control case: the host really does press its own default button.
    QSignalSpy ok(screen, &SettingsScreen::okClicked);
    QSignalSpy other(beneath, &QPushButton::clicked);
    QTest::keyClick(nameBox, Qt::Key_Return);
    EXPECT_EQ(ok.count(), 0);
    EXPECT_EQ(other.count(), 1);
}

TEST_F(SettingsEnterTest, OkButtonClickReportsOk) {
    screen->show();
    QSignalSpy ok(screen, &SettingsScreen::okClicked);
    QTest::mouseClick(screen->okButton(), Qt::LeftButton);
    EXPECT_EQ(ok.count(), 1);
}

} // namespace
} // namespace kt
