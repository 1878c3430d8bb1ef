#include "QuestionFit.h"

#include "Look.h"
#include "MnemonicText.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextOption>
#include <cmath>

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
} // namespace questionbox

namespace {

// Widths are taken this much wider on the quick path, so that kerning or
// rounding can never make a text pass that the layout would cut.
constexpr qreal kWidthSlack = 1.05;
constexpr int kMostLines = 12;

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
          m_height(rect.height() - 2 * margin) {
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

    qreal advance(QChar c) {
        auto it = m_advance.constFind(c.unicode());
        if (it == m_advance.constEnd())
            it = m_advance.insert(c.unicode(), m_metrics.inFont(c)
                                                   ? m_metrics.horizontalAdvance(c) * kWidthSlack
                                                   : -1);
        return *it;
    }

    // Lines a greedy wrap needs when it breaks only at single spaces between
    // word characters, with widened widths: never fewer than the layout
    // uses. Texts the estimate cannot judge give more lines than any box.
    int quickLines(const QString& text) {
        qreal line = 0, word = 0;
        int lines = 1;
        for (int i = 0; i <= text.size(); ++i) {
            const bool end = i == text.size();
            const QChar c = end ? QChar() : text[i];
            const bool breakHere = end || (c == u' ' && i > 0 && i + 1 < text.size() &&
                                           isWordChar(text[i - 1]) && isWordChar(text[i + 1]));
            if (!breakHere) {
                const qreal a = advance(c);
                if (a < 0 || c == u'&' || c == u'\n' || c == u'\r' || c == u'\t')
                    return kMostLines + 1;
                word += a;
                continue;
            }
            if (word > m_width)
                return kMostLines + 1;
            if (line > 0 && line + advance(u' ') + word > m_width) {
                ++lines;
                line = word;
            } else {
                line += (line > 0 ? advance(u' ') : 0) + word;
            }
            word = 0;
        }
        return lines;
    }

    QFontMetricsF m_metrics;
    QTextDocument m_doc;
    int m_width;
    int m_height;
    int m_maxLines = 0;
    QHash<char16_t, qreal> m_advance;
    QHash<QString, bool> m_known;
};

QuestionFit::QuestionFit()
    : m_question(std::make_unique<Box>(questionbox::questionFont(), questionbox::questionRect(),
                                       questionbox::kPlainMargin)),
      m_answer(std::make_unique<Box>(questionbox::answerFont(), questionbox::answerRect(1),
                                     questionbox::kSunkenMargin)) {}

QuestionFit::~QuestionFit() = default;

bool QuestionFit::questionFits(const QString& shownText) {
    return m_question->fits(shownText);
}

bool QuestionFit::answerFits(const QString& shownText) {
    return m_answer->fits(shownText);
}

} // namespace kt
