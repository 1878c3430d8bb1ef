// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/SeedSource.h"
#include "engine/Seams.h"

#include <QStringList>
#include <cstdint>
#include <vector>

namespace kt::test {

// Fixed, ever-changing seeds: each draw is reproducible.
class SequenceSeeds : public SeedSource {
public:
    std::uint32_t next = 12345;
    std::uint32_t step = 7919;
    std::uint32_t Seed() override { return next += step; }
};

// Seeds from a fixed list, repeated, so that a draw can be replayed.
class ScriptedSeeds : public SeedSource {
public:
    explicit ScriptedSeeds(std::vector<std::uint32_t> seeds) : m_seeds(std::move(seeds)) {}
    std::uint32_t Seed() override { return m_seeds[m_next++ % m_seeds.size()]; }

private:
    std::vector<std::uint32_t> m_seeds;
    size_t m_next = 0;
};

// A clock standing still at a moment the test can change.
class FixedClock : public Clock {
public:
    QDate date{2026, 12, 7};
    QTime time{9, 5, 3, 600};
    QDate Today() override { return date; }
    QTime Now() override { return time; }
};

// Keeps the messages instead of showing boxes.
class RecordingDialogs : public Dialogs {
public:
    QStringList errors;
    QStringList connectionErrors;
    void ShowError(const QString& message) override { errors << message; }
    void ShowConnectionError(const QString& text) override { connectionErrors << text; }
};

// A countdown timer that never fires by itself: tests tick the engine.
class FakeTicker : public Ticker {
public:
    bool active = false;
    int starts = 0;
    void Start() override {
        active = true;
        ++starts;
    }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
};

} // namespace kt::test
