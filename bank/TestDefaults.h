// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kt {

// The test a bank gets when nothing else is chosen, and the limits the
// settings screen keeps its controls in. Every part of the program that
// needs one of these numbers takes it from here.

// The most questions one test may have; a bank without settings of its
// own gets this many.
constexpr int kMaxQuestionCount = 60;
constexpr int kDefaultQuestionCount = kMaxQuestionCount;

constexpr int kMinMinutesPerQuestion = 1;
constexpr int kMaxMinutesPerQuestion = 3;
constexpr int kDefaultMinutesPerQuestion = 2;

// The draw range (from..to) holds at least this many records more than the
// test has questions, so that a draw never runs short of distinct questions.
constexpr int kRangeMargin = 5;

} // namespace kt
