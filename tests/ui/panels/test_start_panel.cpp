// SPDX-License-Identifier: GPL-3.0-or-later
// The start panel with a class list: names offered as the student types.
#include "tests/support/QtPrinters.h"
#include "ui/NameCompleter.h"
#include "ui/StartPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace kt;

namespace {

const QStringList kClass{QStringLiteral("Иванов Пётр"), QStringLiteral("Петрова Анна"),
                         QStringLiteral("Константинопольская Александра Сергеевна")};

// Key by key, as a Russian keyboard layout sends them.
void typeInto(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
    }
}

} // namespace

TEST(NameCompletion, EveryTypedWordBeginsAWordOfTheNameInAnyCase) {
    EXPECT_EQ(NameCompleter::matching(kClass, QStringLiteral("пет")),
              (QStringList{QStringLiteral("Иванов Пётр"), QStringLiteral("Петрова Анна")}));
    EXPECT_EQ(NameCompleter::matching(kClass, QStringLiteral("анна пет")),
              QStringList{QStringLiteral("Петрова Анна")});
    EXPECT_EQ(NameCompleter::matching(kClass, QStringLiteral("ван")), QStringList());
    EXPECT_EQ(NameCompleter::matching(kClass, QStringLiteral("  ")), QStringList());
}

TEST(NameCompletion, TheBoxOffersTheListAndTakesALongNameWhole) {
    StartPanel panel;
    panel.setClassList(kClass);
    panel.show();
    QLineEdit* box = panel.nameBox();
    box->setFocus();
    typeInto(box, QStringLiteral("алекс"));
    auto* c = panel.findChild<NameCompleter*>();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->popup()->isVisible());
    ASSERT_EQ(c->completionModel()->rowCount(), 1);
    QTest::keyClick(c->popup(), Qt::Key_Down);
    QTest::keyClick(c->popup(), Qt::Key_Return);
    EXPECT_EQ(box->text(), kClass[2]); // 40 characters, past the box's usual 15
    EXPECT_FALSE(c->popup()->isVisible());
}

TEST(NameCompletion, WithoutAListTheBoxIsAsAlways) {
    StartPanel panel;
    panel.setClassList({});
    EXPECT_EQ(panel.findChild<NameCompleter*>(), nullptr);
    EXPECT_EQ(panel.nameBox()->maxLength(), 15);
}
