// SPDX-License-Identifier: GPL-3.0-or-later
// One PC of a simulated classroom, for the classroom test:
//   class_pc_worker FOLDER HOST TESTS QUESTIONS GOFILE
// waits until GOFILE exists, then sits TESTS tests of QUESTIONS questions
// through the real engine, as PC HOST of the class folder FOLDER. Test t
// (from 1) is taken by "Ученик t"; its k-th answer is right when t + k is
// even, and every fourth test is aborted on its last question. The last
// test's result panel stays shown. Prints the error boxes shown, if any, and
// ends with 0 when there were none.
#include "tests/engine/EngineHarness.h"

#include <QFile>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace kt;
using namespace kt::test;

namespace {

class Host : public HostName {
public:
    explicit Host(QString name) : m_name(std::move(name)) {}
    QString Name() override { return m_name; }

private:
    QString m_name;
};

class Count : public TestSettingsSource {
public:
    explicit Count(int n) : m_n(n) {}
    SettingsFileContent Read() override {
        SettingsFileContent c;
        c.present = true;
        c.count = m_n;
        return c;
    }
    QString Name() const override { return QStringLiteral("DB1.ini"); }

private:
    int m_n;
};

void sitTest(Harness& pc, int t, int questions) {
    pc.e().BackToStart();
    pc.clock.date = QDate::currentDate();
    pc.clock.time = QTime::currentTime();
    pc.e().StartTest(QStringLiteral("Ученик %1").arg(t));
    for (int k = 1; k <= questions && pc.e().screen() == ScreenState::Testing; ++k) {
        if (t % 4 == 0 && k == questions) {
            pc.e().Abort();
            break;
        }
        pc.answerForward((t + k) % 2 == 0);
        // A PC takes seconds per question; a short pause lets the readers
        // meet the files between writes.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: class_pc_worker FOLDER HOST TESTS QUESTIONS GOFILE\n");
        return 1;
    }
    ClassSettings settings;
    settings.present = true;
    settings.folder = QString::fromLocal8Bit(argv[1]);
    settings.title = QStringLiteral("Физика, 9Б");
    settings.bankName = QStringLiteral("DB1.MDB");
    Host host(QString::fromLocal8Bit(argv[2]));
    const int tests = std::atoi(argv[3]);
    const int questions = std::atoi(argv[4]);
    Count count(questions);
    Harness pc(makeBank(40));
    pc.UseClass(settings, host, &count);
    while (!QFile::exists(QString::fromLocal8Bit(argv[5])))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!pc.e().FormCreate())
        return 2;
    for (int t = 1; t <= tests; ++t)
        sitTest(pc, t, questions);
    pc.e().FormClose();
    for (const QString& e : pc.dialogs.errors)
        std::fprintf(stderr, "%s\n", e.toUtf8().constData());
    return pc.dialogs.errors.isEmpty() ? 0 : 3;
}
