// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's page on its own window, with report files given on the
// command line or, without them, sample reports of a class on two PCs.
// "--shot FILE" saves a picture of the window once the files are read.

#include "teacher/journal/JournalPage.h"
#include "tests/support/Reports.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

using kt::test::BlockFields;

namespace {

QStringList sampleReports(const QString& folder) {
    const QStringList names = {
        "Алексеева Мария", "Борисов Иван",  "Васильева Анна",  "Григорьев Олег",
        "Дмитриева Ольга", "Егоров Павел",  "Жукова Светлана", "Зайцев Артём",
        "Иванова Дарья",   "Козлов Никита", "Лебедева Ксения", "Морозов Денис",
        "Новикова Алина",  "Орлов Максим",  "Петрова Вера",    "Романов Кирилл"};
    const int percents[] = {92, 74, 88, 45, 67, 81, 100, 58, 71, 39, 86, 63, 77, 95, 52, 69};
    QByteArray pc1, pc2;
    BlockFields first;
    for (int i = 0; i < names.size(); ++i) {
        BlockFields s;
        s.name = names[i];
        s.percent = percents[i];
        s.date = i % 3 == 0 ? "08.12.2026" : "09.12.2026";
        s.time = QStringLiteral("%1:%2:%3")
                     .arg(9 + i / 6)
                     .arg(i * 7 % 60, 2, 10, QChar('0'))
                     .arg(i * 13 % 60, 2, 10, QChar('0'));
        s.bankSize = 1200;
        s.to = QStringLiteral("1\u00A0200");
        (i % 2 ? pc2 : pc1) += kt::test::reportBytes({s});
        if (i == 0)
            first = s;
    }
    // A test of the first PC copied onto the second, and a block cut short.
    pc2 += kt::test::reportBytes({first});
    const QStringList paths = {folder + "/TestData.dat", folder + "/TestData-pc2.dat"};
    kt::test::writeFile(paths[0], pc1);
    kt::test::writeFile(paths[1], pc2 + pc1.left(40));
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("knowtest");
    QCoreApplication::setApplicationName("knowtest-teacher");
    QStringList args = app.arguments().mid(1);
    QString shot;
    if (args.size() >= 2 && args[0] == "--shot") {
        shot = args[1];
        args = args.mid(2);
    }
    QTemporaryDir dir;
    const QStringList files = args.isEmpty() ? sampleReports(dir.path()) : args;
    kt::JournalPage page;
    page.setWindowTitle(QStringLiteral("Журнал результатов"));
    page.resize(1180, 720);
    page.show();
    if (!shot.isEmpty())
        QObject::connect(&page, &kt::JournalPage::loaded, [&] {
            QTimer::singleShot(500, [&] {
                page.grab().save(shot);
                app.quit();
            });
        });
    page.openFiles(files);
    return app.exec();
}
