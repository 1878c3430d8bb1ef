#include "QuestionFit.h"

#include "Look.h"
#include "MnemonicText.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextOption>
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
constexpr qreal kWordSlack = 1.02;
constexpr int kMostLines = 12;
constexpr qreal kUnknown = -2;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber();
}

} // namespace

// One box: its room, a full layout done as the label does it, and the quick
// estimate of how many lines a plain text needs at most.
class QuestionFit::Box {
public:
    Box(const QFont& font, const QRect& rect, int margin)
        : m_metrics(font), m_width(rect.width() - 2 * margin),
          m_height(rect.height() - 2 * margin + questionbox::spareBelow(font)) {
        m_doc.setDefaultFont(font);
        m_doc.setDocumentMargin(0);
        QTextOption option(Qt::AlignHCenter | Qt::AlignTop);
        option.setWrapMode(QTextOption::WordWrap);
        m_doc.setDefaultTextOption(option);
        QString lines = QStringLiteral("Ж");
        while (m_maxLines < kMostLines && laidOutFits(lines)) {
            ++m_maxLines;
            lines += QStringLiteral("\nЖ");
        }
    }

    bool fits(const QString& text) {
        if (quickLines(text) <= m_maxLines)
            return true;
        if (surelyTooWide(text))
            return false;
        const auto known = m_known.constFind(text);
        if (known != m_known.constEnd())
            return *known;
        const bool result = laidOutFits(text);
        m_known.insert(text, result);
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

    // Widened advance of a character, -1 when the font lacks it; a table
    // over all of UTF-16, as this runs for every character of a bank.
    qreal advance(QChar c) {
        qreal& a = m_advance[c.unicode()];
        if (a == kUnknown)
            a = m_metrics.inFont(c) ? m_metrics.horizontalAdvance(c) * kWidthSlack : -1;
        return a;
    }

    // A word as the font shapes it, widened a little for the kerning
    // against its neighbours; words repeat, so each is shaped once.
    qreal wordWidth(const QString& word) {
        auto it = m_words.constFind(word);
        if (it == m_words.constEnd())
            it = m_words.insert(word, m_metrics.horizontalAdvance(word) * kWordSlack + 1);
        return *it;
    }

    // Lines a greedy wrap needs when it breaks only at single spaces between
    // word characters, with widened widths: never fewer than the layout
    // uses. Texts the estimate cannot judge give more lines than any box.
    int quickLines(const QString& text) {
        qreal line = 0;
        int lines = 1, start = 0;
        const qreal space = advance(u' ');
        for (int i = 0; i <= text.size(); ++i) {
            const bool end = i == text.size();
            const QChar c = end ? QChar() : text[i];
            if (!end && (advance(c) < 0 || c == u'&' || c == u'\n' || c == u'\r' || c == u'\t'))
                return kMostLines + 1;
            const bool breakHere = end || (c == u' ' && i > 0 && i + 1 < text.size() &&
                                           isWordChar(text[i - 1]) && isWordChar(text[i + 1]));
            if (!breakHere)
                continue;
            const qreal word = wordWidth(text.mid(start, i - start));
            start = i + 1;
            if (word > m_width)
                return kMostLines + 1;
            if (line > 0 && line + space + word > m_width) {
                ++lines;
                line = word;
            } else {
                line += (line > 0 ? space : 0) + word;
            }
        }
        return lines;
    }

    // The characters other than spaces, at narrowed widths, would fill more
    // lines than the box holds even if no line had any room left over.
    bool surelyTooWide(const QString& text) {
        qreal total = 0;
        for (QChar c : text) {
            const qreal a = advance(c);
            if (a < 0 || c == u'&' || c == u'\n' || c == u'\r')
                return false;
            if (c != u' ')
                total += a / (kWidthSlack * kWidthSlack);
        }
        return total > qreal(m_maxLines) * m_width;
    }

    QFontMetricsF m_metrics;
    QTextDocument m_doc;
    int m_width;
    int m_height; // with the room the last line's descender tips may take
    int m_maxLines = 0;
    std::vector<qreal> m_advance = std::vector<qreal>(0x10000, kUnknown);
    QHash<QString, qreal> m_words;
    QHash<QString, bool> m_known;
};

QuestionFit::QuestionFit()
    : m_question(std::make_unique<Box>(questionbox::questionFont(), questionbox::questionRect(),
                                       questionbox::kPlainMargin)),
      m_answer(std::make_unique<Box>(questionbox::answerFont(), questionbox::answerRect(1),
                                     questionbox::kPlainMargin)) {}

QuestionFit::~QuestionFit() = default;

bool QuestionFit::questionFits(const QString& shownText) {
    return m_question->fits(shownText);
}

bool QuestionFit::answerFits(const QString& shownText) {
    return m_answer->fits(shownText);
}

} // namespace kt
