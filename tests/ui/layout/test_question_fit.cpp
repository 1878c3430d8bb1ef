// SPDX-License-Identifier: GPL-3.0-or-later
// The fit that qbank check measures agrees with the question screen itself:
// the same texts are cut, or not, in the real labels.

#include "bank/Cp1251.h"
#include "ui/QuestionScreen.h"
#include "ui/layout/QuestionFit.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace kt;

namespace {

// Whether the label shows the whole of its text: the lines it needs at its
// width fit its height (the tips of the last line's descenders aside), and
// no word runs past its side.
bool labelShowsAll(const BevelText* label) {
    return label->heightForWidth(label->width()) <=
               label->height() + questionbox::spareBelow(label->font()) &&
           label->minimumSizeHint().width() <= label->width();
}

QStringList sampleTexts() {
    QStringList texts = {QString(),
                         QStringLiteral("Да"),
                         QStringLiteral("Сколько будет 2 + 2?"),
                         QStringLiteral("Tom && Jerry, &Мнемоника"),
                         QStringLiteral("Первая строка\r\nвторая строка\r\nтретья строка"),
                         QStringLiteral("Оченьдлинноесловобезпробеловкотороенепереноситсяникак"
                                        "иникогданавсюширинуполяиещёдальшеещё"),
                         QStringLiteral("Много    пробелов    между    словами  ( в скобках ) « "
                                        "кавычки » — тире !"),
                         QStringLiteral("Текст с символами вне кодовой страницы: ☺ 中"),
                         // Signs that rich text escapes, spaces at the ends.
                         QStringLiteral("  Если a < b и b > c, то \"a\" < c?  Если a < b и b > c, "
                                        "то \"a\" < c? Если a < b и b > c, то верно ли, что  "),
                         QStringLiteral("<b>не разметка</b> <br> &lt; — так и показано")};
    for (int words = 4; words <= 48; words += 2) {
        QStringList w;
        for (int i = 0; i < words; ++i)
            w << QStringLiteral("слово%1").arg(i % 3 == 0 ? QStringLiteral("-дефис") : QString());
        texts << w.join(u' ');
    }
    // Words of every length from the letters and signs of the code page,
    // many of them near the edge of a box.
    const QString letters = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяШЩЖМWmil.,;:!?()«»-—");
    quint32 seed = 12345;
    for (int t = 0; t < 300; ++t) {
        QString text;
        const int length = 40 + t % 160;
        while (text.size() < length) {
            seed = seed * 1103515245u + 12345u;
            const int wordLength = 1 + static_cast<int>((seed >> 16) % 14);
            for (int i = 0; i < wordLength; ++i)
                text += letters[static_cast<int>((seed >> (i % 16)) % letters.size())];
            text += u' ';
        }
        texts << text.trimmed();
    }
    // Lines broken after signs rather than at spaces, near a box's edge:
    // the quick refusal counts those breaks as well as the spaces.
    const QStringList joints = {QStringLiteral("-"), QStringLiteral("/"), QStringLiteral("—"),
                                QStringLiteral(")("), QStringLiteral(", ")};
    for (int t = 0; t < 120; ++t) {
        QString text;
        const QString& joint = joints[t % joints.size()];
        for (int w = 0; text.size() < 90 + t; ++w)
            text += (w > 0 ? joint : QString()) + QStringLiteral("шаг%1").arg(w * 7 % 10);
        texts << text;
    }
    return texts;
}

TEST(QuestionFit, AgreesWithTheScreensOwnLabels) {
    QuestionScreen screen;
    screen.show(); // labels lay out their texts while they are shown
    QuestionFit fit;
    int cut = 0, whole = 0;
    for (const QString& raw : sampleTexts()) {
        const QString shown = cp1251Text(raw);
        screen.setQuestion(shown);
        screen.setAnswer(2, shown);
        EXPECT_EQ(fit.questionFits(shown), labelShowsAll(screen.question())) << raw.toStdString();
        EXPECT_EQ(fit.answerFits(shown), labelShowsAll(screen.answer(2))) << raw.toStdString();
        (fit.questionFits(shown) ? whole : cut)++;
    }
    // The samples reach both sides of the question box's edge.
    EXPECT_GT(cut, 5);
    EXPECT_GT(whole, 5);
}

TEST(QuestionFit, ScreenIsBuiltFromTheMeasuredBoxes) {
    QuestionScreen screen;
    EXPECT_EQ(screen.question()->geometry(), questionbox::questionRect());
    EXPECT_EQ(screen.question()->font(), questionbox::questionFont());
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(screen.answer(k)->geometry(), questionbox::answerRect(k));
        EXPECT_EQ(screen.answer(k)->font(), questionbox::answerFont());
    }
}

} // namespace

int main(int argc, char** argv) {
    // Test discovery runs this without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
