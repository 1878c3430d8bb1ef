// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a bank in the editor: its progress window, the events handled
// while it is read, and a cancelled opening that changes nothing.
#include "bank/jet/JetWriter.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kt;

namespace {

QString writeBank(const QString& path, int records) {
    std::vector<JetRow> rows;
    for (int i = 0; i < records; ++i) {
        JetRow row{QStringLiteral("Вопрос номер %1?").arg(i)};
        for (int k = 1; k <= 5; ++k)
            row.push_back(QStringLiteral("Ответ %1").arg(k));
        for (const QString& f : {QStringLiteral("1"), QStringLiteral("0"), QString::number(i + 1),
                                 QStringLiteral("История")})
            row.push_back(f);
        rows.push_back(std::move(row));
    }
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    return path;
}

QProgressDialog* shownProgress() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

struct OpenFixture : ::testing::Test {
    OpenFixture() {
        window.start(QString());
        // A new bank is empty: the teacher's first question is added.
        window.findChild<QAction*>(QStringLiteral("actionAdd"))->trigger();
        doc().setField(0, FieldQuestion, QStringLiteral("Прежний вопрос"));
    }
    BankDocument& doc() { return window.questions()->document(); }
    // Opens the bank; `during` is called from the event loop, with the
    // progress window then shown, if the events are handled while it is
    // read. Whether they were is kept in `ranDuringRead`.
    bool openWith(const std::function<void(QProgressDialog*)>& during) {
        bool reading = true;
        ranDuringRead = false;
        QTimer::singleShot(0, [&] {
            ranDuringRead = reading;
            if (reading)
                during(shownProgress());
        });
        const bool opened = window.questions()->openBankFile(bank);
        reading = false;
        QCoreApplication::processEvents();
        return opened;
    }

    bool ranDuringRead = false;
    QTemporaryDir dir;
    QString bank = writeBank(dir.filePath(QStringLiteral("большая.mdb")), 2000);
    TeacherWindow window;
};

} // namespace

TEST_F(OpenFixture, ALongOpeningShowsItsProgressAndEndsWithTheWholeBank) {
    window.questions()->setOpenProgressDelay(0);
    QString label;
    ASSERT_TRUE(openWith([&label](QProgressDialog* d) {
        ASSERT_NE(d, nullptr) << "no progress window while reading";
        label = d->labelText();
    }));
    EXPECT_TRUE(ranDuringRead);
    EXPECT_TRUE(label.startsWith(QStringLiteral("Открытие базы «большая.mdb»…")))
        << label.toStdString();
    EXPECT_EQ(doc().size(), 2000);
    EXPECT_EQ(doc().record(1999).text[FieldQuestion], QStringLiteral("Вопрос номер 1999?"));
    EXPECT_EQ(shownProgress(), nullptr);
}

TEST_F(OpenFixture, ACancelledOpeningLeavesTheBankBeingEdited) {
    window.questions()->setOpenProgressDelay(0);
    bool cancelled = false;
    EXPECT_FALSE(openWith([&cancelled](QProgressDialog* d) {
        ASSERT_NE(d, nullptr);
        d->cancel();
        cancelled = true;
    }));
    EXPECT_TRUE(ranDuringRead && cancelled);
    ASSERT_EQ(doc().size(), 1);
    EXPECT_EQ(doc().record(0).text[FieldQuestion], QStringLiteral("Прежний вопрос"));
    EXPECT_TRUE(doc().path().isEmpty());
    EXPECT_EQ(shownProgress(), nullptr);
    // The same file opens afterwards, with no window before the delay.
    window.questions()->setOpenProgressDelay(1000 * 1000);
    ASSERT_TRUE(openWith([](QProgressDialog*) {}));
    EXPECT_FALSE(ranDuringRead);
    EXPECT_EQ(doc().size(), 2000);
}
