// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/RightAnswerLetters.h"

namespace kt {
namespace {

const QString kDigits = QStringLiteral("12345");
const QString kCyrillic = QStringLiteral("АБВГД");
const QString kLatin = QStringLiteral("ABCDE");
constexpr size_t kNamedRows = 1000;

// A reads 1 in both alphabets, so it tells nothing about the layout.
bool tellsAlphabet(QChar upper) {
    return upper != u'A' && upper != QChar(0x0410);
}

// How the letter reads in the other alphabet: its lookalike's variant, or
// that the lookalike is no variant.
QString otherReading(QChar upper, bool latin) {
    const QString lookalikesLatin = QStringLiteral("BCE");
    const QString lookalikesCyrillic = QStringLiteral("ВСЕ");
    const QString& from = latin ? lookalikesLatin : lookalikesCyrillic;
    const QString& to = latin ? lookalikesCyrillic : lookalikesLatin;
    const qsizetype at = from.indexOf(upper);
    if (at < 0)
        return QStringLiteral("в %1 такой буквы нет").arg(latin ? u"кириллице" : u"латинице");
    const QChar twin = to[at];
    const int number = rightAnswerNumber(QString(twin));
    const QString alphabet = latin ? QStringLiteral("кириллическая") : QStringLiteral("латинская");
    if (number == 0)
        return QStringLiteral("похожая %1 %2 — не буква варианта").arg(alphabet, QString(twin));
    return QStringLiteral("похожая %1 %2 — вариант %3").arg(alphabet, QString(twin)).arg(number);
}

} // namespace

int rightAnswerNumber(const QString& value) {
    if (value.size() != 1)
        return 0;
    const QChar c = value.front().toUpper();
    for (const QString& set : {kDigits, kCyrillic, kLatin})
        if (set.contains(c))
            return static_cast<int>(set.indexOf(c)) + 1;
    return 0;
}

void RightAnswerLetters::add(int line, const QString& value) {
    if (value.size() != 1 || rightAnswerNumber(value) == 0)
        return;
    const QChar c = value.front().toUpper();
    if (!tellsAlphabet(c) || kDigits.contains(c))
        return;
    const bool latin = kLatin.contains(c);
    std::vector<Letter>& letters = latin ? m_latin : m_cyrillic;
    ++(latin ? m_latinCount : m_cyrillicCount);
    if (letters.size() < kNamedRows)
        letters.push_back({line, c});
}

std::vector<RightAnswerLetters::Mixed> RightAnswerLetters::mixed() const {
    std::vector<Mixed> out;
    if (m_latinCount == 0 || m_cyrillicCount == 0)
        return out;
    const bool latinRarer = m_latinCount <= m_cyrillicCount;
    const std::vector<Letter>& rarer = latinRarer ? m_latin : m_cyrillic;
    const qint64 others = latinRarer ? m_cyrillicCount : m_latinCount;
    const QString own = latinRarer ? QStringLiteral("латинская") : QStringLiteral("кириллическая");
    const QString column = latinRarer ? QStringLiteral("кириллицей") : QStringLiteral("латиницей");
    for (const Letter& l : rarer)
        out.push_back({l.line, QStringLiteral("«%1» — %2 буква, вариант %3, а %4; в других строках "
                                              "(%5) столбец написан %6, буквы же выглядят "
                                              "одинаково — неясно, какой вариант верный. Напишите "
                                              "верный ответ цифрой 1–5 или буквами одной раскладки")
                                   .arg(QString(l.letter), own)
                                   .arg(rightAnswerNumber(QString(l.letter)))
                                   .arg(otherReading(l.letter, latinRarer))
                                   .arg(others)
                                   .arg(column)});
    return out;
}

} // namespace kt
