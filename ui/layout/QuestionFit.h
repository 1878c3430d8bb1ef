// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>
#include <memory>

namespace kt {

// The boxes of the question screen's texts: where they lie in the question
// area, their fonts and the room the bevel leaves. The screen is built from
// these and the fit below measures with them, so the two cannot drift apart.
namespace questionbox {
constexpr int kFirstAnswerTop = 80;
constexpr int kAnswerStep = 48;  // 41 high and 7 apart
constexpr int kPlainMargin = 2;  // the soft bevel
constexpr int kSunkenMargin = 3; // the chosen answer's sunken border lies outside it

QRect questionRect();
// Answer k, 1 to 5.
QRect answerRect(int k);
QFont questionFont();
QFont answerFont();
// How far the last line may run past the bottom and still count as whole:
// half its descent, the tips of letters like "р" and "у" only. Two lines of
// an answer overrun its box by about a pixel there.
int spareBelow(const QFont& font);
} // namespace questionbox

// Whether a question or an answer, as the screen shows it, fits its box
// whole: the screen's own layout (rich text, word wrap, the "&" prefixes)
// at the box's real size and fonts. An answer is measured in its plain
// look: the chosen look's border takes one pixel more on each side, which
// may touch the lowest pixels of a second line but hides no word. Needs a
// QGuiApplication.
// Results are kept by text, texts that clearly fit on their lines are passed
// without a full layout, and a text without markup is laid out as plain
// text, the label's result at a fraction of the rich text's cost, so that a
// bank of 100 000 records is quick.
class QuestionFit {
public:
    QuestionFit();
    ~QuestionFit();
    QuestionFit(const QuestionFit&) = delete;
    QuestionFit& operator=(const QuestionFit&) = delete;

    bool questionFits(QStringView shownText);
    bool answerFits(QStringView shownText);

    class Box;

private:
    std::unique_ptr<Box> m_question;
    std::unique_ptr<Box> m_answer;
};

} // namespace kt
