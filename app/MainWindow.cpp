// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/BackgroundWidget.h"
#include "ui/AboutPanel.h"
#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ScoreBar.h"
#include "ui/ScoreGroup.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"
#include "ui/TitlePanel.h"
#include "ui/ToolStrip.h"
#include "ui/layout/Look.h"

#include <QAction>
#include <QLayout>
#include <utility>

static void initKnowtestResources() {
    Q_INIT_RESOURCE(knowtest);
}

namespace kt {

void initAppResources() {
    initKnowtestResources();
}

TForm1::TForm1(const WindowDeps& deps, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      m_ticker([this] { m_engine.Tick(); }),
      m_engine(EngineDeps{*this, deps.dialogs, deps.bankSource, deps.seeds, deps.clock, m_ticker,
                          deps.reportPath, deps.startupSettings, deps.classroom, deps.hostName,
                          &m_passwords}) {
    setWindowTitle(QStringLiteral("Программа тестирования знаний"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    setFont(makeFont(FontFamily::MsSansSerif, 8));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::kSkyBlue);
    setPalette(pal);

    buildClientArea();
    if (deps.classroom && deps.classroom->present)
        m_start->setClassList(deps.classroom->names);
    buildMenu();
    buildToolbar();
    connectCommands();
    nameElements();

    // The client area is fixed; the menu bar comes on top of it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(386, 176);
}

TForm1::~TForm1() = default;

bool TForm1::FormCreate() {
    return m_engine.FormCreate() && !m_terminated;
}

void TForm1::buildClientArea() {
    m_client = new BackgroundWidget(QStringLiteral(":/images/background.jpg"), this);
    m_client->setFixedSize(793, 554);
    setCentralWidget(m_client);
    // Children are created from the bottom of the stacking order up, so a
    // later element is drawn over an earlier one.
    buildTestElements();
    // The picture is decoded while the rest is built. Started earlier, the
    // decoding would compete for the processors with the bank's reader, just
    // started, and with the window's own work: the window was ready later.
    m_client->decodeAside();
    buildPanels();
    m_tools = new ToolStrip(m_client);
    m_tools->move(0, 0);
    buildScoreGroup();
    m_corner = new TextLabel(AboutPanel::kWebAddress, look::kRed,
                             makeFont(FontFamily::MsSansSerif, 8, true), m_client);
    m_corner->move(712, 536);
}

void TForm1::buildTestElements() {
    m_question = new QuestionScreen(m_client);
    m_question->move(8, 80);
    m_counter = new TextLabel(QStringLiteral("1"), look::kPurple,
                              makeFont(FontFamily::Arial, 24, true), m_client);
    m_counter->move(432, 480);

    const QFont buttonFont = makeFont(FontFamily::MsSansSerif, 8, true);
    m_back =
        new ArrowButton(QStringLiteral("Назад"), QPixmap(QStringLiteral(":/images/arrow_left.png")),
                        ArrowButton::GlyphSide::Left, m_client);
    m_forward = new ArrowButton(QStringLiteral("Вперед"),
                                QPixmap(QStringLiteral(":/images/arrow_right.png")),
                                ArrowButton::GlyphSide::Right, m_client);
    for (ArrowButton* b : {m_back, m_forward}) {
        b->setFont(buttonFont);
        QPalette pal = b->palette();
        pal.setColor(QPalette::ButtonText, look::kNavy);
        b->setPalette(pal);
        // A focused button takes Enter itself, so Enter repeats the last move.
        b->setAutoDefault(true);
    }
    m_back->setGeometry(288, 480, 81, 25);
    m_forward->setGeometry(528, 480, 81, 25);
}

// The result panel lies under the start panel; it is built when a test
// starts (see resultPanel()).
void TForm1::buildPanels() {
    m_start = new StartPanel(m_client);
    m_start->move(264, 160);
    m_time = new TimePanel(m_client);
    m_time->move(16, 416);
    m_title = new TitlePanel(m_client);
    m_title->move(152, 8);
}

// The elements carry names, so that tests and accessibility tools find them
// without the window handing out its members. The question screen names its
// question and answers itself, the title panel its title; the screens built
// on first use are named as they are built.
void TForm1::nameElements() {
    const std::pair<QObject*, const char*> names[] = {{m_client, "clientArea"},
                                                      {m_question, "questionArea"},
                                                      {m_counter, "counter"},
                                                      {m_back, "backButton"},
                                                      {m_forward, "forwardButton"},
                                                      {m_start, "startPanel"},
                                                      {m_time, "timePanel"},
                                                      {m_title, "titlePanel"},
                                                      {m_tools, "toolStrip"},
                                                      {m_scoreGroup, "scoreGroup"},
                                                      {m_scoreBar, "scoreBar"},
                                                      {m_corner, "cornerLabel"},
                                                      {m_abortMenu, "abortMenuItem"},
                                                      {m_exitMenu, "exitMenuItem"},
                                                      {m_settingsMenu, "settingsMenuItem"},
                                                      {m_aboutMenu, "aboutMenuItem"},
                                                      {m_reportMenu, "reportMenuItem"},
                                                      {m_stop, "stopAction"},
                                                      {m_options, "optionsAction"},
                                                      {m_out, "outAction"},
                                                      {m_help, "helpAction"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void TForm1::buildScoreGroup() {
    m_scoreGroup = new ScoreGroup(QStringLiteral("Качество ответа"), m_client);
    m_scoreGroup->setGeometry(176, 400, 601, 73);
    m_scoreBar = new ScoreBar(m_scoreGroup);
    m_scoreBar->move(8, 16);
}

} // namespace kt
