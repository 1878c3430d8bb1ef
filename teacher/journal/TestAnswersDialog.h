// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/analysis/TestAnswers.h"

#include <QDialog>

namespace kt {

// One test's questions as the student answered them: the variant chosen
// against the right one, the wrong answers marked.
class TestAnswersDialog : public QDialog {
    Q_OBJECT
public:
    TestAnswersDialog(const QString& heading, const std::vector<TestAnswer>& answers,
                      QWidget* parent = nullptr);
};

} // namespace kt
