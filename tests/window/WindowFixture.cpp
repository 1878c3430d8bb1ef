#include "WindowFixture.h"

#include "ArrowButton.h"
#include "Cp1251.h"
#include "QuestionScreen.h"
#include "ResultPanel.h"
#include "ScoreBar.h"
#include "StartPanel.h"
#include "TextLabel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace kt::test {

void ensureApp() {
    static int argc = 1;
    static char name[] = "knowtest";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        new QApplication(argc, argv);
        initAppResources();
    }
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

BankTable makeBank(int count, int right, const QString& subject) {
    BankTable table;
    for (int i = 1; i <= count; ++i) {
        BankRecord r;
        r.text[FieldQuestion] = QStringLiteral("Вопрос %1").arg(i);
        for (int k = 1; k <= 5; ++k)
            r.text[FieldAnswer1 + k - 1] = QStringLiteral("Ответ %1.%2").arg(i).arg(k);
        r.text[FieldRightAnswer] = QString::number(right);
        r.text[FieldMark] = QStringLiteral("0");
        r.text[FieldCounter] = QString::number(i);
        r.text[FieldSubject] = i == 1 ? subject : QStringLiteral("другое");
        table.push_back(r);
    }
    return table;
}

void WindowFixture::SetUp() {
    ensureApp();
    ASSERT_TRUE(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
}

void WindowFixture::TearDown() {
    m_window.reset();
    QDir::setCurrent(m_oldDir);
}

void WindowFixture::createWindow(int bankSize, int right) {
    m_bank = std::make_unique<MemoryBankSource>(makeBank(bankSize, right));
    m_window = std::make_unique<TForm1>(WindowDeps{*m_bank, m_seeds, m_clock, m_dialogs});
    m_created = m_window->FormCreate();
    if (!m_created)
        return;
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

void WindowFixture::setQuestionCount(int n, int minutes) {
    TestEngine& engine = m_window->engine();
    ASSERT_TRUE(engine.OpenSettings(true));
    while (engine.state().QuestionCount > n)
        engine.CountArrow(-1);
    while (engine.state().MinutesPerQuestion > minutes)
        engine.TimeArrow(-1);
    engine.ApplySettings();
    ASSERT_EQ(engine.state().QuestionCount, n);
}

QByteArray WindowFixture::reportBytes() const {
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("TestData.dat")));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList WindowFixture::reportLines() const {
    QStringList lines = decodeCp1251(reportBytes()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

namespace {

void expectTestElements(const TForm1& w, bool shown) {
    const QuestionScreen* q = w.questionScreen();
    EXPECT_TRUE(q->isVisible());
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(q->answer(k)->isVisible(), shown) << "answer " << k;
        EXPECT_TRUE(q->letter(k)->isVisible()) << "letter " << k;
    }
    EXPECT_EQ(q->question()->isVisible(), shown);
    EXPECT_EQ(w.scoreBar()->isVisible(), shown);
    EXPECT_EQ(w.backButton()->isVisible(), shown);
    EXPECT_EQ(w.forwardButton()->isVisible(), shown);
    EXPECT_EQ(w.counter()->isVisible(), shown);
}

} // namespace

void WindowFixture::expectStart() const {
    const TForm1& w = *m_window;
    EXPECT_TRUE(w.startPanel()->isVisible());
    EXPECT_FALSE(w.resultPanel()->isVisible());
    expectTestElements(w, false);
    EXPECT_FALSE(w.abortMenuAction()->isEnabled());
    EXPECT_FALSE(w.stopAction()->isEnabled());
    EXPECT_FALSE(w.ticker().IsActive());
}

void WindowFixture::expectTesting() const {
    const TForm1& w = *m_window;
    EXPECT_FALSE(w.startPanel()->isVisible());
    EXPECT_FALSE(w.resultPanel()->isVisible());
    expectTestElements(w, true);
    EXPECT_TRUE(w.abortMenuAction()->isEnabled());
    EXPECT_TRUE(w.stopAction()->isEnabled());
    EXPECT_FALSE(w.settingsMenuAction()->isEnabled());
    EXPECT_FALSE(w.optionsAction()->isEnabled());
    EXPECT_TRUE(w.ticker().IsActive());
}

void WindowFixture::expectResult() const {
    const TForm1& w = *m_window;
    EXPECT_FALSE(w.startPanel()->isVisible());
    EXPECT_TRUE(w.resultPanel()->isVisible());
    expectTestElements(w, false);
    EXPECT_FALSE(w.abortMenuAction()->isEnabled());
    EXPECT_FALSE(w.stopAction()->isEnabled());
    EXPECT_FALSE(w.ticker().IsActive());
}

} // namespace kt::test
