// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's page as a teacher uses it: files opened through the toolbar's
// dialog, filters typed in, the header clicked, thresholds changed, the table
// exported and printed to PDF.

#include "bank/Cp1251.h"
#include "teacher/dialogs/FileDialog.h"
#include "teacher/dialogs/MessageBox.h"
#include "teacher/dialogs/PrintDialog.h"
#include "teacher/journal/JournalPage.h"
#include "teacher/journal/MarkChart.h"
#include "tests/support/Reports.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::BlockFields;
using kt::test::reportBytes;
using kt::test::writeFile;

namespace {

QTemporaryDir* g_home = nullptr;

template <typename T> T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Runs `act` on the modal dialog that `trigger` opens.
template <typename Dialog>
void onDialog(const std::function<void(Dialog*)>& act, const std::function<void()>& trigger) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        act(dialog);
    });
    trigger();
    EXPECT_TRUE(seen);
}

void chooseFile(QAction* action, const QString& path) {
    onDialog<QFileDialog>(
        [&](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept(); // as the dialog's own button does
        },
        [&] { action->trigger(); });
}

// Types the text as key presses; QTest's own typing knows only ASCII.
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

BlockFields block(const QString& name, int percent, const QString& date, int count = 20) {
    BlockFields s;
    s.name = name;
    s.percent = percent;
    s.date = date;
    s.count = count;
    return s;
}

class JournalPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        m_page.resize(1100, 700);
    }
    void load(const std::function<void()>& trigger) {
        QSignalSpy spy(&m_page, &JournalPage::loaded);
        trigger();
        ASSERT_TRUE(spy.count() > 0 || spy.wait(10000));
    }
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    QTemporaryDir m_dir;
    JournalPage m_page;
};

} // namespace

TEST_F(JournalPageTest, OpensTheHomeReportAndFilesFromTheDialog) {
    writeFile(QDir(g_home->path()).filePath("TestData.dat"),
              reportBytes({block("Аня", 90, "01.12.2026"), block("Боря", 60, "02.12.2026")}));
    load([&] { m_page.show(); });
    EXPECT_EQ(m_page.proxy()->rowCount(), 2);

    // Another PC's report repeats Боря's test and adds a damaged one.
    QByteArray second =
        reportBytes({block("Боря", 60, "02.12.2026"), block("Вика", 40, "03.12.2026")});
    second += second.left(30);
    const QString path = file("pc2.dat", second);
    load([&] { chooseFile(child<QAction>(&m_page, "actionOpenReports"), path); });
    auto* table = child<QTableView>(&m_page, "journalTable");
    EXPECT_EQ(table->model()->rowCount(), 3);
    const QString summary = child<QLabel>(&m_page, "summaryLabel")->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("Тестов: 3 из 3"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("показаны один раз): 1")));
    auto* warnings = child<QPlainTextEdit>(&m_page, "warningsView");
    EXPECT_TRUE(warnings->isVisible());
    EXPECT_TRUE(warnings->toPlainText().contains(QStringLiteral("pc2.dat:21:")));
    EXPECT_EQ(child<MarkChart>(&m_page, "markChart")->summary().marks,
              (std::array<int, 4>{1, 1, 0, 1}));
}

TEST_F(JournalPageTest, FiltersSortingAndThresholds) {
    const QString path = file("r.dat", reportBytes({block("Иванов", 9, "01.12.2026"),
                                                    block("Иванова", 100, "05.12.2026", 30),
                                                    block("Петров", 72, "09.12.2026")}));
    load([&] { m_page.openFiles({path}); });
    auto* table = child<QTableView>(&m_page, "journalTable");
    typeText(child<QLineEdit>(&m_page, "nameFilter"), QStringLiteral("иван"));
    EXPECT_EQ(table->model()->rowCount(), 2);
    auto* count = child<QComboBox>(&m_page, "countFilter");
    count->setCurrentIndex(count->findText("30"));
    EXPECT_EQ(table->model()->rowCount(), 1);
    QTest::mouseClick(child<QPushButton>(&m_page, "resetFilter"), Qt::LeftButton);
    EXPECT_EQ(table->model()->rowCount(), 3);

    QHeaderView* header = table->horizontalHeader();
    const int x = header->sectionViewportPosition(JournalModel::Percent) + 5;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    const auto column = [&](int c) {
        QStringList v;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            v << table->model()->index(r, c).data().toString();
        return v.join(' ');
    };
    EXPECT_EQ(column(JournalModel::Percent), "9 72 100");
    EXPECT_EQ(column(JournalModel::Mark), "2 4 5");

    onDialog<QDialog>(
        [](QDialog* d) {
            auto* ok = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            d->findChild<QSpinBox*>("threeSpin")->setValue(80);
            EXPECT_FALSE(ok->isEnabled()); // 3 above 4 is refused
            d->findChild<QSpinBox*>("threeSpin")->setValue(5);
            d->findChild<QSpinBox*>("fourSpin")->setValue(73);
            EXPECT_TRUE(ok->isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
        },
        [&] { child<QAction>(&m_page, "actionThresholds")->trigger(); });
    EXPECT_EQ(column(JournalModel::Mark), "3 3 5");
    EXPECT_EQ(QSettings().value("journal/markFour").toInt(), 73);
}

TEST_F(JournalPageTest, AnUnsetDatesCalendarOpensAtTheJournalsTests) {
    const QString path = file(
        "r.dat", reportBytes({block("Оля", 95, "28.10.2026"), block("Петя", 70, "02.12.2026")}));
    load([&] { m_page.openFiles({path}); });
    auto* from = child<QDateEdit>(&m_page, "fromDate");
    auto* to = child<QDateEdit>(&m_page, "toDate");
    from->calendarWidget()->window()->show(); // the popup, as a click on the arrow opens it
    to->calendarWidget()->window()->show();
    EXPECT_EQ(from->calendarWidget()->yearShown(), 2026);
    EXPECT_EQ(from->calendarWidget()->monthShown(), 10);
    EXPECT_EQ(to->calendarWidget()->monthShown(), 12);
    EXPECT_EQ(from->date(), from->minimumDate()); // opening it sets no filter
}

TEST_F(JournalPageTest, ExportsAndPrintsTheShownRows) {
    const QString path = file(
        "r.dat", reportBytes({block("=Хакер", 50, "01.12.2026"), block("Оля", 95, "02.12.2026")}));
    load([&] { m_page.openFiles({path}); });
    typeText(child<QLineEdit>(&m_page, "nameFilter"), QStringLiteral("хак"));
    const QString csv = m_dir.filePath("out.csv");
    chooseFile(child<QAction>(&m_page, "actionExportCsv"), csv);
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QString text = decodeCp1251(out.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Файл;Блок;Ученик;Процент;Оценка;Дата;")));
    EXPECT_TRUE(text.contains(path + QStringLiteral(";1;'=Хакер;50;3;01.12.2026;")));
    EXPECT_FALSE(text.contains(QStringLiteral("Оля")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 2);

    const QString pdf = m_dir.filePath("journal.pdf");
    chooseFile(child<QAction>(&m_page, "actionSavePdf"), pdf);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    EXPECT_GT(printed.size(), 1000);

    m_page.findChild<QAction*>("actionCloseReports")->trigger();
    EXPECT_EQ(m_page.proxy()->rowCount(), 0);
    EXPECT_FALSE(m_page.findChild<QAction*>("actionExportCsv")->isEnabled());
}

// The same flows answered through the dialogs' seam: the printer's dialog
// too, which no test could answer before, and the failures' boxes.
TEST_F(JournalPageTest, PrintsThroughThePrintersDialogAndReportsFilesItCannotWrite) {
    const QString path = file("r.dat", reportBytes({block("Оля", 95, "02.12.2026")}));
    load([&] { m_page.openFiles({path}); });

    const QString printed = m_dir.filePath("printed.pdf");
    PrintDialog::setNextAnswer([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    child<QAction>(&m_page, "actionPrint")->trigger();
    QFile pdf(printed);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    const QString refused = m_dir.filePath("refused.pdf");
    PrintDialog::setNextAnswer([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(refused);
        return false; // «Отмена»
    });
    child<QAction>(&m_page, "actionPrint")->trigger();
    EXPECT_FALSE(QFile::exists(refused));

    for (const char* action : {"actionExportCsv", "actionSavePdf"}) {
        FileDialog::setNextFileName(m_dir.filePath("нет папки/journal"));
        MessageBox::setNextAnswer(MessageBox::Ok);
        child<QAction>(&m_page, action)->trigger();
        const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
        ASSERT_EQ(boxes.size(), 1) << action;
        EXPECT_EQ(boxes[0].icon, MessageBox::Icon::Warning);
        EXPECT_TRUE(boxes[0].text.contains(m_dir.filePath("нет папки/journal")))
            << boxes[0].text.toStdString();
    }
    EXPECT_EQ(FileDialog::takeCaptions(), QStringList({QStringLiteral("Экспорт таблицы"),
                                                       QStringLiteral("Сохранить журнал в PDF")}));

    FileDialog::setNextFileName(QString()); // the teacher cancels: no file, no box
    child<QAction>(&m_page, "actionExportCsv")->trigger();
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2); // r.dat, printed.pdf
    FileDialog::takeCaptions();
}

int main(int argc, char** argv) {
    QTemporaryDir home;
    g_home = &home;
    // The page opens the report in the home folder on its first show.
    qputenv("HOME", home.path().toUtf8());
    // Listing the tests at build time runs this without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QCoreApplication::setOrganizationName("knowtest-test");
    QCoreApplication::setApplicationName("journal");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
