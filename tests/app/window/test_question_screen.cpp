// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WindowHarness.h"

#include "ui/QuestionScreen.h"
#include "ui/TextLabel.h"
#include "ui/layout/Look.h"
#include "ui/layout/MnemonicText.h"

#include <QSignalSpy>
#include <QTest>

using namespace kt;

TEST(MnemonicText, SingleAmpersandUnderlinesAndDoubleShowsOne) {
    EXPECT_EQ(mnemonicPlainText(QStringLiteral("&Да")), QStringLiteral("Да"));
    EXPECT_EQ(mnemonicPlainText(QStringLiteral("A && B")), QStringLiteral("A & B"));
    EXPECT_EQ(mnemonicPlainText(QStringLiteral("x&")), QStringLiteral("x"));
    EXPECT_EQ(mnemonicPlainText(QStringLiteral("&&&a")), QStringLiteral("&a"));
    EXPECT_EQ(mnemonicRichText(QStringLiteral("&Да")).count(QStringLiteral("<u>Д</u>")), 1);
    EXPECT_TRUE(mnemonicRichText(QStringLiteral("A && B")).contains(QStringLiteral("A &amp; B")));
    EXPECT_FALSE(mnemonicRichText(QStringLiteral("A && B")).contains(QStringLiteral("<u>")));
    // Markup in a stored text is shown as text, never interpreted.
    EXPECT_TRUE(mnemonicRichText(QStringLiteral("<b>1</b>")).contains(QStringLiteral("&lt;b&gt;")));
}

class QuestionScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_screen = std::make_unique<QuestionScreen>();
        m_screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_screen.get()));
    }
    AnswerLabel* answer(int k) { return m_screen->answer(k); }
    std::unique_ptr<QuestionScreen> m_screen;
};

TEST_F(QuestionScreenTest, ElementsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(m_screen->size(), QSize(777, 321));
    EXPECT_EQ(m_screen->question()->geometry(), QRect(104, 16, 601, 49));
    EXPECT_EQ(m_screen->question()->textColour(), look::kPurple);
    const int tops[] = {80, 128, 176, 224, 272};
    const QString letters = QStringLiteral("ABCDE");
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(answer(k)->geometry(), QRect(32, tops[k - 1], 737, 41));
        EXPECT_EQ(answer(k)->toolTip(), QStringLiteral("Выбрать вариант ответа"));
        EXPECT_EQ(answer(k)->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(answer(k)->font().pixelSize(), 16);
        EXPECT_TRUE(answer(k)->font().bold());
        EXPECT_EQ(m_screen->letter(k)->text(), letters.mid(k - 1, 1));
        EXPECT_EQ(m_screen->letter(k)->pos(), QPoint(8, tops[k - 1] + 8));
        EXPECT_EQ(m_screen->letter(k)->palette().color(QPalette::WindowText), look::kAqua);
        EXPECT_EQ(m_screen->letter(k)->font().pixelSize(), 19);
    }
}

TEST_F(QuestionScreenTest, ClickChoosesOnlyTheLastAnswer) {
    QSignalSpy clicked(m_screen.get(), &QuestionScreen::answerClicked);
    QTest::mouseClick(answer(3), Qt::LeftButton);
    QTest::mouseClick(answer(1), Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 3);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 1);
    // The screen itself only reports clicks; the chosen look follows the call.
    m_screen->setChosen(3);
    m_screen->setChosen(1);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(answer(k)->chosen(), k == 1) << k;
    EXPECT_EQ(answer(1)->backgroundColour(), look::kTooltipBackground);
    EXPECT_EQ(answer(2)->backgroundColour(), look::kSkyBlue);
}

TEST_F(QuestionScreenTest, ChosenLookIsClearedInTwoHalves) {
    m_screen->setChosen(2);
    m_screen->clearBackgrounds();
    EXPECT_EQ(answer(2)->backgroundColour(), look::kSkyBlue);
    EXPECT_TRUE(answer(2)->sunken());
    m_screen->clearBorders();
    EXPECT_FALSE(answer(2)->sunken());
    // The sunken border's pixels are gone as well: the top-left corner is
    // the soft edge's colour again, not the sunken line's.
    const QImage plain = answer(2)->grab().toImage();
    m_screen->setChosen(2);
    const QImage chosen = answer(2)->grab().toImage();
    EXPECT_NE(plain.pixelColor(20, 20), chosen.pixelColor(20, 20));
    EXPECT_EQ(plain.pixelColor(20, 20), look::kSkyBlue);
    EXPECT_EQ(chosen.pixelColor(20, 20), look::kTooltipBackground);
}

TEST_F(QuestionScreenTest, HoverFollowsThePointerOverAnswersAndGaps) {
    const QColor hot = look::kHotTrack;
    QTest::mouseMove(answer(1), QPoint(100, 20));
    EXPECT_EQ(answer(1)->textColour(), hot);
    // The gap between answers 1 and 2 is the area's own background.
    QTest::mouseMove(m_screen.get(), QPoint(300, 80 + 41 + 3));
    EXPECT_EQ(answer(1)->textColour(), look::kBlack);
    QTest::mouseMove(answer(2), QPoint(100, 20));
    EXPECT_EQ(answer(2)->textColour(), hot);
    EXPECT_EQ(answer(1)->textColour(), look::kBlack);
    // Over the question or a letter nothing changes.
    QTest::mouseMove(m_screen->question(), QPoint(10, 10));
    EXPECT_EQ(answer(2)->textColour(), hot);
    QTest::mouseMove(m_screen->letter(3), QPoint(2, 2));
    EXPECT_EQ(answer(2)->textColour(), hot);
}

TEST_F(QuestionScreenTest, LongTextsWrapAndAreClipped) {
    const QString word = QStringLiteral("слово ");
    m_screen->setQuestion(word.repeated(42) + QStringLiteral("abc"));
    BevelText* q = m_screen->question();
    EXPECT_TRUE(q->wordWrap());
    EXPECT_EQ(q->size(), QSize(601, 49));
    EXPECT_GT(q->heightForWidth(601), 49); // more text than fits: it is clipped
    EXPECT_EQ(q->rawText().size(), 255);
    m_screen->setAnswer(4, QStringLiteral("R&&D &отдел"));
    EXPECT_EQ(answer(4)->rawText(), QStringLiteral("R&&D &отдел"));
    EXPECT_TRUE(answer(4)->text().contains(QStringLiteral("R&amp;D <u>о</u>тдел")));
}

// Texts set while the labels are hidden are laid out once they are shown:
// the answers and the question between two tests, a text label such as the
// counter in the same way.
TEST_F(QuestionScreenTest, TextsSetWhileHiddenShowWhenShown) {
    m_screen->setItemsVisible(false);
    m_screen->setQuestion(QStringLiteral("Где &Волга?"));
    m_screen->setAnswer(2, QStringLiteral("В Каспийском море"));
    TextLabel label(QStringLiteral("1"), look::kPurple, makeFont(FontFamily::Arial, 24, true),
                    m_screen.get());
    label.hide();
    label.setRawText(QStringLiteral("12"));
    m_screen->setItemsVisible(true);
    label.show();
    EXPECT_TRUE(m_screen->question()->text().contains(QStringLiteral("Где <u>В</u>олга?")));
    EXPECT_TRUE(answer(2)->text().contains(QStringLiteral("В Каспийском море")));
    EXPECT_TRUE(label.text().contains(QStringLiteral("12")));
    EXPECT_EQ(label.size(), label.sizeHint());
    EXPECT_GT(label.width(), label.fontMetrics().horizontalAdvance(QStringLiteral("1")));
}
