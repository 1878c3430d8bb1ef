// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout/QuestionFit.h"

#include "ui/layout/Look.h"
#include "ui/layout/MnemonicText.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kt {

namespace questionbox {
QRect questionRect() {
    return QRect(104, 16, 601, 49);
}
QRect answerRect(int k) {
    return QRect(32, kFirstAnswerTop + (k - 1) * kAnswerStep, 737, 41);
}
QFont questionFont() {
    return makeFont(FontFamily::TimesNewRoman, 14, true);
}
QFont answerFont() {
    return makeFont(FontFamily::TimesNewRoman, 12, true);
}
int spareBelow(const QFont& font) {
    return static_cast<int>(QFontMetricsF(font).descent() / 2);
}
} // namespace questionbox

namespace {

// Widths are taken this much wider on the quick path, so that kerning or
// rounding can never make a text pass that the layout would cut.
constexpr qreal kWidthSlack = 1.05;
constexpr int kMostLines = 12;
constexpr float kUnknown = -2;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber();
}

// Whether the label shows the text as it stands: no "&" prefix, no line
// break and no other control character, which the rich text would turn
// into markup of its own.
bool isPlain(QStringView text) {
    for (QChar c : text)
        if (c == u'&' || c.unicode() < 0x20 || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    return true;
}

} // namespace

// One box: its room, a full layout done as the label does it, and the quick
// estimate of how many lines a plain text needs at most.
class QuestionFit::Box {
public:
    Box(const QFont& font, const QRect& rect, int margin)
        : m_font(font), m_metrics(font), m_width(rect.width() - 2 * margin),
          m_height(rect.height() - 2 * margin + questionbox::spareBelow(font)) {
        m_doc.setDefaultFont(font);
        m_doc.setDocumentMargin(0);
        QTextOption option(Qt::AlignHCenter | Qt::AlignTop);
        option.setWrapMode(QTextOption::WordWrap);
        m_doc.setDefaultTextOption(option);
        m_option = option;
        QString lines = QStringLiteral("Ж");
        while (m_maxLines < kMostLines && laidOutFits(lines)) {
            ++m_maxLines;
            lines += QStringLiteral("\nЖ");
        }
    }

    bool fits(QStringView text) {
        if (quickLines(text) <= m_maxLines)
            return true;
        if (m_maxLines < kMostLines && fewestLines(text) > m_maxLines)
            return false;
        const QString whole = text.toString();
        const auto known = m_known.constFind(whole);
        if (known != m_known.constEnd())
            return *known;
        const bool result = isPlain(text) ? plainFits(whole) : laidOutFits(whole);
        m_known.insert(whole, result);
        return result;
    }

private:
    // The label's own layout: the same rich text in a document with no
    // margin, wrapped at the label's inner width.
    bool laidOutFits(const QString& text) {
        m_doc.setHtml(mnemonicRichText(text));
        m_doc.setTextWidth(m_width);
        return std::ceil(m_doc.size().height()) <= m_height &&
               std::ceil(m_doc.idealWidth()) <= m_width;
    }

    // The same layout without the document: a text with no markup is one
    // block of one format, which the document lays out as these lines do
    // (leading included, no margin), a small part of the cost.
    bool plainFits(const QString& text) {
        QTextLayout layout(text, m_font);
        layout.setTextOption(m_option);
        layout.setCacheEnabled(false);
        layout.beginLayout();
        qreal height = 0, widest = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(m_width);
            height += line.height();
            widest = std::max(widest, line.naturalTextWidth());
            if (std::ceil(height) > m_height)
                break;
        }
        layout.endLayout();
        return std::ceil(height) <= m_height && std::ceil(widest) <= m_width;
    }

    // Widened advance of a character, -1 when the font lacks it or the
    // estimates cannot judge a text holding it (an "&" prefix, a line break,
    // a tab); and whether it is a letter or digit. A table over all of
    // UTF-16, as this runs for every character of a bank.
    struct CharInfo {
        float advance = kUnknown;
        bool word = false;
    };
    const CharInfo& info(QChar c) {
        CharInfo& i = m_chars[c.unicode()];
        if (i.advance == kUnknown)
            i = {m_metrics.inFont(c) && !isUnjudged(c)
                     ? static_cast<float>(m_metrics.horizontalAdvance(c) * kWidthSlack)
                     : -1.0f,
                 isWordChar(c)};
        return i;
    }
    qreal advance(QChar c) { return info(c).advance; }
    static bool isUnjudged(QChar c) { return c == u'&' || c == u'\n' || c == u'\r' || c == u'\t'; }

    // Puts the word that ends at a break on the lines; false when it is
    // wider than a line.
    bool placeWord(qreal& line, qreal word, int& lines) const {
        if (word > m_width)
            return false;
        if (line > 0 && line + m_space + word > m_width) {
            ++lines;
            line = word;
        } else {
            line += (line > 0 ? m_space : 0) + word;
        }
        return true;
    }

    // Lines a greedy wrap needs when it breaks only at single spaces between
    // word characters, with widened widths: never fewer than the layout
    // uses. A word is as wide as its characters' widened advances together;
    // the widening more than covers what kerning could add, so no word has
    // to be shaped here. Texts the estimate cannot judge give more lines
    // than any box. One look into the table for most characters: every
    // text of a bank passes here.
    int quickLines(QStringView text) {
        constexpr int kUnjudged = kMostLines + 1;
        const QChar* chars = text.data();
        const qsizetype size = text.size();
        qreal line = 0, word = 0;
        int lines = 1;
        bool afterWordChar = false;
        for (qsizetype i = 0; i < size; ++i) {
            const CharInfo& c = info(chars[i]);
            if (c.advance < 0)
                return kUnjudged;
            if (chars[i] == u' ' && afterWordChar && i + 1 < size && info(chars[i + 1]).word) {
                if (!placeWord(line, word, lines))
                    return kUnjudged;
                word = 0;
            } else {
                word += c.advance;
            }
            afterWordChar = c.word;
        }
        return placeWord(line, word, lines) ? lines : kUnjudged;
    }

    // The fewest lines the text can take: every width narrowed, a break
    // allowed wherever the layout could make one (anywhere but inside a run
    // of Latin or Cyrillic letters and digits) and the spaces at a break
    // taking no room. A greedy fill gives the fewest under those rules, so
    // more lines than the box holds means the layout cuts the text too; 0
    // when the text is one this cannot judge.
    int fewestLines(QStringView text) {
        constexpr qreal narrow = 1 / (kWidthSlack * kWidthSlack);
        qreal line = 0, spaces = 0, run = 0;
        int lines = 1;
        bool empty = true;
        const auto place = [&](qreal width) {
            if (!empty && line + spaces + width > m_width) {
                ++lines;
                line = width;
            } else {
                line += spaces + width;
            }
            spaces = 0;
            empty = false;
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            const qreal a = advance(c);
            if (a < 0 || !isPlain(text.sliced(i, 1)))
                return 0;
            const bool inRun = isRunChar(c);
            if (run > 0 && !inRun) {
                place(run);
                run = 0;
            }
            if (inRun)
                run += a * narrow;
            else if (c == u' ')
                spaces += a * narrow;
            else
                place(a * narrow);
        }
        if (run > 0)
            place(run);
        return lines;
    }

    // Letters and digits between which the layout never breaks a line.
    static bool isRunChar(QChar c) { return c.unicode() < 0x0530 && c.isLetterOrNumber(); }

    QFont m_font;
    QFontMetricsF m_metrics;
    QTextDocument m_doc;
    QTextOption m_option;
    int m_width;
    int m_height; // with the room the last line's descender tips may take
    int m_maxLines = 0;
    std::vector<CharInfo> m_chars = std::vector<CharInfo>(0x10000);
    qreal m_space = advance(u' ');
    QHash<QString, bool> m_known;
};

QuestionFit::QuestionFit()
    : m_question(std::make_unique<Box>(questionbox::questionFont(), questionbox::questionRect(),
                                       questionbox::kPlainMargin)),
      m_answer(std::make_unique<Box>(questionbox::answerFont(), questionbox::answerRect(1),
                                     questionbox::kPlainMargin)) {}

QuestionFit::~QuestionFit() = default;

bool QuestionFit::questionFits(QStringView shownText) {
    return m_question->fits(shownText);
}

bool QuestionFit::answerFits(QStringView shownText) {
    return m_answer->fits(shownText);
}

} // namespace kt
