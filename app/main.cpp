// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BankReadProgress.h"
#include "app/FullScreen.h"
#include "app/MainWindow.h"
#include "app/MessageDialogs.h"
#include "app/SessionEnd.h"
#include "bank/MdbBankSource.h"
#include "bank/SeedSource.h"

#include <QApplication>
#include <memory>

// The program takes one optional argument, a bank file to use instead of
// the built-in path. Test settings a teacher keeps beside the bank
// ("DB1.ini" beside "DB1.MDB") replace the built-in ones at startup; its
// [class] section sends the results of a class to one shared folder.
int main(int argc, char** argv) {
    // An exam on the full screen sets the scale before the application.
    const bool fullScreen =
        kt::examAsksFullScreen(argc > 1 ? QString::fromLocal8Bit(argv[1]) : kt::builtInBankPath());
    if (fullScreen)
        kt::useFullScreenScale(argc, argv);
    QApplication app(argc, argv);
    kt::initAppResources();

    const QStringList args = QApplication::arguments();
    const QString bankPath = args.size() > 1 ? args.at(1) : kt::builtInBankPath();
    kt::MdbBankSource bank(bankPath);
    kt::BankReadProgress progress;
    bank.setProgress(&progress);
    bank.StartEarly(); // the reader works while the window is built
    kt::ClockSeedSource seeds;
    kt::SystemClock clock;
    kt::MessageDialogs dialogs;
    kt::BankSettingsFile settings(kt::bankSettingsPath(bankPath));
    const kt::ClassSettings classroom =
        kt::readClassSettings(kt::bankSettingsPath(bankPath), bankPath);
    kt::SystemHostName host;

    kt::TForm1 window(kt::WindowDeps{bank, seeds, clock, dialogs, kt::reportFileName(), &settings,
                                     &classroom, &host});
    if (!window.FormCreate())
        return 0;
    window.engine().RecoverKeptReports();
    const kt::SessionEnd sessionEnd([&window] { window.engine().SaveKeptReportsAtSessionEnd(); });
    std::unique_ptr<kt::FullScreenBackdrop> backdrop;
    if (fullScreen) {
        backdrop = std::make_unique<kt::FullScreenBackdrop>(window);
        backdrop->showOnScreen();
    } else {
        window.show();
    }
    QApplication::exec();
    return 0;
}
