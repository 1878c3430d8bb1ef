// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's program: edits a question bank with a preview as the
// student sees it, and the test settings kept beside the bank.
//
// Usage: knowtest-teacher [BANK]
#include "teacher/gui/TeacherWindow.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("knowtest"));
    QApplication::setApplicationName(QStringLiteral("knowtest-teacher"));
    Q_INIT_RESOURCE(knowtest);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    // Qt's own dialogs (files, questions) speak Russian like the rest of the
    // program, whatever the system's language.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    kt::TeacherWindow window;
    window.show();
    const QStringList args = QApplication::arguments();
    window.start(args.size() > 1 ? args.at(1) : QString());
    return QApplication::exec();
}
