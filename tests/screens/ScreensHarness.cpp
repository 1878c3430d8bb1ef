#include "ScreensHarness.h"

#include "Cp1251.h"
#include "ResultPanel.h"
#include "SettingsScreen.h"
#include "StartPanel.h"
#include "ToolStrip.h"
#include "UpDown.h"
#include "UpDownArrows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace kt::screens {
namespace {

// The one application object of the test program, made on first use.
void makeApplication() {
    static int argc = 1;
    static char arg0[] = "test_screens";
    static char* argv[] = {arg0, nullptr};
    if (QApplication::instance())
        return;
    new QApplication(argc, argv);
    initAppResources();
}

} // namespace

BankTable numberedBank(int size) {
    BankTable table(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        BankRecord& r = table[static_cast<std::size_t>(i)];
        r.text[FieldQuestion] = QStringLiteral("Вопрос %1").arg(i + 1);
        for (int k = FieldAnswer1; k <= FieldAnswer5; ++k)
            r.text[k] = QStringLiteral("Вариант %1-%2").arg(i + 1).arg(k);
        r.text[FieldRightAnswer] = QStringLiteral("1");
        r.text[FieldMark] = QStringLiteral("0");
        r.text[FieldCounter] = QString::number(i + 1);
        r.text[FieldSubject] = QStringLiteral("Химия");
    }
    return table;
}

void ScreensTest::SetUp() {
    makeApplication();
    ASSERT_TRUE(m_dir.isValid());
}

void ScreensTest::TearDown() {
    m_window.reset();
}

void ScreensTest::openWindow(int bankSize) {
    m_bank = std::make_unique<MemoryBankSource>(numberedBank(bankSize));
    WindowDeps deps{*m_bank, m_seeds, m_clock, *m_dialogs, reportPath()};
    m_window = std::make_unique<TForm1>(deps);
    ASSERT_TRUE(m_window->FormCreate());
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

void ScreensTest::click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

void ScreensTest::clickArrow(UpDown* control, int delta, int times) {
    UpDownArrows* arrows = control->arrows();
    QToolButton* button = delta > 0 ? arrows->upButton() : arrows->downButton();
    for (int i = 0; i < times; ++i)
        click(button);
}

void ScreensTest::clickOptions() {
    click(m_window->toolStrip()->button(1));
}

void ScreensTest::clickSettingsOk() {
    click(m_window->settingsScreen()->okButton());
}

void ScreensTest::startTest(const QString& name) {
    QLineEdit* box = m_window->startPanel()->nameBox();
    box->setFocus();
    QTest::keyClicks(box, name);
    click(m_window->startPanel()->okButton());
}

void ScreensTest::abortAndConfirm() {
    click(m_window->toolStrip()->button(0));
    click(m_window->resultPanel()->okButton());
}

QString ScreensTest::reportPath() const {
    return QDir(m_dir.path()).filePath(QStringLiteral("TestData.dat"));
}

QStringList ScreensTest::reportLines() const {
    QFile file(reportPath());
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no report file>")};
    QStringList lines = decodeCp1251(file.readAll()).split(QStringLiteral("\r\n"));
    // The last line's CR LF leaves an empty piece behind it.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

void ScreensTest::appendToReport(const QByteArray& bytes) const {
    QFile file(reportPath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace kt::screens
