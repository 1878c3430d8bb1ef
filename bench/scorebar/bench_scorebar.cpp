// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one score-bar repaint after an answer: layout, painting into the
// buffer and the blit, as the window does it after every judged answer.
#include "ui/ScoreBar.h"
#include "ui/ScoreBarGeometry.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the paint events, to show that every timed repaint really painted.
class CountingBar : public kt::ScoreBar {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        kt::ScoreBar::paintEvent(event);
    }
};

struct Figures {
    double meanMs = 0;
    double medianMs = 0;
    double maxMs = 0;
};

// Times `rounds` calls after a few untimed ones, which load the fonts and
// size the buffer.
template <typename Step> Figures timeSteps(int rounds, Step step) {
    for (int i = 0; i < 10; ++i)
        step(i);
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step(i);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    Figures f;
    for (double v : ms)
        f.meanMs += v / rounds;
    std::sort(ms.begin(), ms.end());
    f.medianMs = ms[ms.size() / 2];
    f.maxMs = ms.back();
    return f;
}

void print(const char* what, const Figures& f) {
    std::printf("%-34s mean %.3f ms   median %.3f ms   max %.3f ms\n", what, f.meanMs, f.medianMs,
                f.maxMs);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = 60, rounds = 600;
    CountingBar bar;
    bar.show();
    QApplication::processEvents();
    // A test of 60 questions answered one by one, two right to one wrong.
    auto answer = [&](int i) {
        const int judged = i % (n + 1), wrong = judged / 3;
        bar.setValues(judged - wrong, n - judged, wrong);
    };
    const kt::ScoreBarFonts fonts = kt::defaultScoreBarFonts();
    print("layout only", timeSteps(rounds, [&](int i) {
              const int judged = i % (n + 1);
              kt::layoutScoreBar({double(judged), double(n - judged), 0.0}, fonts, bar.size());
          }));
    print("setValues + repaint (one answer)", timeSteps(rounds, [&](int i) {
              answer(i);
              bar.repaint();
          }));
    std::printf("paint events: %d\n", bar.paints);
    print("repaint, values unchanged", timeSteps(rounds, [&](int) { bar.repaint(); }));
    return 0;
}
