// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WindowHarness.h"

#include "app/BackgroundWidget.h"
#include "app/MessageDialogs.h"
#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ScoreBar.h"
#include "ui/ScoreGroup.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"
#include "ui/TitlePanel.h"
#include "ui/ToolStrip.h"
#include "ui/layout/Look.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>

using namespace kt;
using namespace kt::test;

using WindowLayout = WindowHarness;

TEST_F(WindowLayout, WindowFrameCaptionAndClientArea) {
    openWindow();
    const TForm1& w = *m_window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Программа тестирования знаний"));
    EXPECT_EQ(element<BackgroundWidget>("clientArea")->size(), QSize(793, 554));
    EXPECT_EQ(element<BackgroundWidget>("clientArea")->mapTo(&w, QPoint(0, 0)).y(),
              w.menuBar()->height());
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    const Qt::WindowFlags f = w.windowFlags();
    EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.pos(), QPoint(386, 176));
    EXPECT_FALSE(w.windowIcon().isNull());
    BackgroundWidget* client = element<BackgroundWidget>("clientArea");
    EXPECT_EQ(client->picture().size(), QSize(801, 601));
    // The picture decoded beside the window's construction is the file's, and
    // the painted background shows it where no element covers it.
    const QImage file(QStringLiteral(":/images/background.jpg"));
    EXPECT_EQ(client->picture().toImage(), file);
    const QImage painted = client->grab().toImage();
    EXPECT_EQ(painted.pixelColor(785, 520), file.pixelColor(785, 520));
    EXPECT_EQ(painted.pixelColor(100, 30), file.pixelColor(100, 30));
}

TEST_F(WindowLayout, ElementsAtTheirPlacesInStackingOrder) {
    openWindow();
    // The screens hidden at startup are built when first needed: a test
    // builds the result panel, the About panel the overlay screens.
    startTest(QStringLiteral("A"));
    abortAndConfirm();
    element<QAction>("aboutMenuItem")->trigger();
    EXPECT_EQ(element<QuestionScreen>("questionArea")->geometry(), QRect(8, 80, 777, 321));
    EXPECT_EQ(element<TextLabel>("counter")->pos(), QPoint(432, 480));
    EXPECT_EQ(element<ArrowButton>("backButton")->geometry(), QRect(288, 480, 81, 25));
    EXPECT_EQ(element<ArrowButton>("forwardButton")->geometry(), QRect(528, 480, 81, 25));
    EXPECT_EQ(element<ResultPanel>("resultPanel")->geometry(), QRect(176, 120, 449, 249));
    EXPECT_EQ(element<StartPanel>("startPanel")->geometry(), QRect(264, 160, 265, 177));
    EXPECT_EQ(element<TimePanel>("timePanel")->geometry(), QRect(16, 416, 145, 57));
    EXPECT_EQ(element<TitlePanel>("titlePanel")->geometry(), QRect(152, 8, 529, 57));
    EXPECT_EQ(element<ToolStrip>("toolStrip")->geometry(), QRect(0, 0, 4 * 35 + 4, 26));
    EXPECT_EQ(element<ScoreGroup>("scoreGroup")->geometry(), QRect(176, 400, 601, 73));
    EXPECT_EQ(element<ScoreBar>("scoreBar")->geometry(), QRect(8, 16, 585, 49));
    EXPECT_EQ(element<TextLabel>("cornerLabel")->pos(), QPoint(712, 536));
    EXPECT_EQ(element<QWidget>("settingsScreen")->geometry(), QRect(8, 80, 777, 329));
    EXPECT_EQ(element<QWidget>("reportViewer")->geometry(), QRect(192, 80, 433, 449));
    EXPECT_EQ(element<QWidget>("aboutPanel")->geometry(), QRect(120, 104, 529, 249));

    const QObjectList& kids = element<BackgroundWidget>("clientArea")->children();
    const char* const order[] = {"questionArea", "counter",    "backButton",     "forwardButton",
                                 "resultPanel",  "startPanel", "timePanel",      "titlePanel",
                                 "toolStrip",    "scoreGroup", "settingsScreen", "reportViewer",
                                 "aboutPanel",   "cornerLabel"};
    qsizetype last = -1;
    for (const char* name : order) {
        const qsizetype at = kids.indexOf(element<QObject>(name));
        EXPECT_GT(at, last) << name;
        last = at;
    }
}

TEST_F(WindowLayout, TextsColoursAndFonts) {
    openWindow();
    const auto* counter = element<TextLabel>("counter");
    const auto* back = element<ArrowButton>("backButton");
    const auto* forward = element<ArrowButton>("forwardButton");
    const auto* timePanel = element<TimePanel>("timePanel");
    const auto* title = element<QLabel>("TstNm");
    const auto* score = element<ScoreGroup>("scoreGroup");
    const auto* corner = element<TextLabel>("cornerLabel");
    EXPECT_EQ(counter->textColour(), look::kPurple);
    EXPECT_EQ(counter->font().pixelSize(), 32);
    EXPECT_EQ(back->text(), QStringLiteral("Назад"));
    EXPECT_EQ(forward->text(), QStringLiteral("Вперед"));
    EXPECT_EQ(back->palette().color(QPalette::ButtonText), look::kNavy);
    EXPECT_LT(back->glyphRect().left(), back->captionRect().left());
    EXPECT_GT(forward->glyphRect().left(), forward->captionRect().left());
    EXPECT_EQ(back->glyph().size(), QSize(16, 16));

    EXPECT_EQ(timePanel->caption()->rawText(), QStringLiteral("Осталось времени"));
    EXPECT_EQ(timePanel->caption()->textColour(), look::kAqua);
    EXPECT_EQ(timePanel->caption()->pos(), QPoint(8, 8));
    EXPECT_EQ(timePanel->timeLabel()->rawText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(timePanel->timeLabel()->textColour(), look::kRed);
    EXPECT_EQ(timePanel->timeLabel()->font().pixelSize(), 21);
    EXPECT_EQ(timePanel->timeLabel()->pos(), QPoint(24, 32));
    EXPECT_EQ(timePanel->colour(), look::kActiveCaption);

    EXPECT_EQ(element<TitlePanel>("titlePanel")->title(), QStringLiteral("Физика"));
    EXPECT_EQ(title->geometry(), QRect(1, 1, 527, 35));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), look::kGreen);
    EXPECT_EQ(title->font().pixelSize(), 27);

    EXPECT_EQ(score->title(), QStringLiteral("Качество ответа"));
    EXPECT_EQ(score->titleColour(), look::kRed);
    EXPECT_EQ(score->font().pixelSize(), 13);
    EXPECT_EQ(corner->textColour(), look::kRed);
    EXPECT_LE(corner->geometry().right(), 792); // the address is not cut off
}

TEST_F(WindowLayout, StartAndResultPanels) {
    openWindow();
    const StartPanel* s = element<StartPanel>("startPanel");
    EXPECT_EQ(s->heading()->rawText(), QStringLiteral("Начало тестирования"));
    EXPECT_EQ(s->heading()->pos(), QPoint(24, 32));
    EXPECT_EQ(s->heading()->textColour(), look::kBlue);
    EXPECT_EQ(s->prompt()->rawText(), QStringLiteral("Введите ваше имя"));
    EXPECT_EQ(s->prompt()->pos(), QPoint(32, 64));
    EXPECT_EQ(s->prompt()->textColour(), look::kRed);
    EXPECT_EQ(s->nameBox()->pos(), QPoint(8, 96));
    EXPECT_EQ(s->nameBox()->width(), 249);
    EXPECT_EQ(s->nameBox()->maxLength(), 15);
    EXPECT_EQ(s->okButton()->geometry(), QRect(96, 136, 75, 25));
    EXPECT_FALSE(s->okButton()->icon().isNull());

    // The result panel is built when the first test starts.
    startTest(QStringLiteral("A"));
    abortAndConfirm();
    const ResultPanel* r = element<ResultPanel>("resultPanel");
    EXPECT_EQ(r->heading()->rawText(), QStringLiteral("Тестирование завершено"));
    EXPECT_EQ(r->heading()->pos(), QPoint(104, 24));
    EXPECT_EQ(r->nameLabel()->pos(), QPoint(176, 48));
    EXPECT_EQ(r->nameLabel()->textColour(), look::kPurple);
    EXPECT_EQ(r->caption()->rawText(), QStringLiteral("ответил правильно на"));
    EXPECT_EQ(r->caption()->pos(), QPoint(120, 80));
    EXPECT_EQ(r->percentLabel()->pos(), QPoint(184, 128));
    EXPECT_EQ(r->percentLabel()->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(r->okButton()->geometry(), QRect(192, 192, 75, 25));
}

TEST_F(WindowLayout, ResultOutlineShowsAsNotXorOfGreenOverSkyBlue) {
    openWindow();
    startTest(QStringLiteral("A"));
    abortAndConfirm();
    ResultPanel* r = element<ResultPanel>("resultPanel");
    const QImage img = r->grab().toImage();
    const QRect o = ResultPanel::outlineRect();
    // The middle of the outline's top edge and a point just inside it.
    EXPECT_EQ(img.pixelColor(o.center().x(), o.top()), QColor(89, 181, 15));
    EXPECT_EQ(img.pixelColor(o.center().x(), o.top() + 3), look::kSkyBlue);
    EXPECT_EQ(img.pixelColor(o.left(), o.center().y()), QColor(89, 181, 15));
}

TEST_F(WindowLayout, MenuAndToolbarCommands) {
    openWindow();
    const TForm1& w = *m_window;
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QStringLiteral("Файл"));
    EXPECT_EQ(top[1], element<QAction>("settingsMenuItem"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("Настройка"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("Помошь"));
    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 2);
    EXPECT_EQ(file[0]->text(), QStringLiteral("Прервать тестирование"));
    EXPECT_EQ(file[1]->text(), QStringLiteral("Выход"));
    const QList<QAction*> help = top[2]->menu()->actions();
    ASSERT_EQ(help.size(), 2);
    EXPECT_EQ(help[0]->text(), QStringLiteral("О программе"));
    EXPECT_EQ(help[1]->text(), QStringLiteral("Просмотреть отчет"));

    const ToolStrip* t = element<ToolStrip>("toolStrip");
    ASSERT_EQ(t->count(), 4);
    const QStringList hints = {
        QStringLiteral("Прервать тестирование"), QStringLiteral("Настройка параметров"),
        QStringLiteral("Выход из программы"), QStringLiteral("Вызов справки")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t->button(i)->toolTip(), hints[i]);
        EXPECT_EQ(t->button(i)->geometry(), QRect(2 + 35 * i, 2, 35, 22));
        EXPECT_TRUE(t->button(i)->autoRaise());
    }
    // Stop and Options have their own disabled pictures.
    const QIcon stop = element<QAction>("stopAction")->icon();
    EXPECT_NE(stop.pixmap(16, 16, QIcon::Disabled).toImage(),
              stop.pixmap(16, 16, QIcon::Normal).toImage());
}

TEST(MessageDialogsTest, CaptionIconsAndButtons) {
    EXPECT_EQ(programCaption(QStringLiteral("/opt/x/KNOWTEST.EXE")), QStringLiteral("Knowtest"));
    EXPECT_EQ(programCaption(QStringLiteral("knowtest")), QStringLiteral("Knowtest"));
    EXPECT_EQ(programCaption(QStringLiteral("c/tEST1")), QStringLiteral("Test1"));

    QStringList seen;
    MessageDialogs::setInterceptor([&](QMessageBox& box) {
        seen << box.text();
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Test_window")); // this executable
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    });
    MessageDialogs dialogs;
    dialogs.ShowError(QStringLiteral("File not found."));
    dialogs.ShowConnectionError(QStringLiteral("Ошибка соединения с базой данных  x"));
    MessageDialogs::setInterceptor(nullptr);
    EXPECT_EQ(seen, QStringList({QStringLiteral("File not found."),
                                 QStringLiteral("Ошибка соединения с базой данных  x")}));
    EXPECT_EQ(MessageDialogs::errorBox(QStringLiteral("e"))->icon(), QMessageBox::Critical);
    EXPECT_EQ(MessageDialogs::connectionErrorBox(QStringLiteral("e"))->icon(), QMessageBox::NoIcon);
}

TEST(MessageDialogsTest, ConnectionErrorBoxStandsInTheMiddleOfTheScreen) {
    auto box = MessageDialogs::connectionErrorBox(
        QStringLiteral("Ошибка соединения с базой данных  a rather long message text"));
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    const QPoint centre = box->frameGeometry().center();
    const QPoint screen = box->screen()->geometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 1);
}
