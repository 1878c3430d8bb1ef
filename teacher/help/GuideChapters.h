// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kt {

struct GuideChapter {
    QString title; // the chapter's first heading, or its file name
    QString path;
};

// The folder of the guide: beside the installed program
// (../share/doc/knowtest/guide from its bin folder), else the source tree's
// when the program runs from its build; empty when neither holds it.
QString guideFolder();

// The chapters the folder's chapters.txt lists, in its order; a chapter
// listed but not in the folder is left out. Empty without chapters.txt.
std::vector<GuideChapter> guideChapters(const QString& folder);

} // namespace kt
