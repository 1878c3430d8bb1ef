// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/help/GuideChapters.h"

#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace kt {

// The teacher's guide: the chapters on the left, the chosen one on the
// right as formatted text; links between chapters open in the same window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);
    void showChapter(int index);

private:
    std::vector<GuideChapter> m_chapters;
    QListWidget* m_list = nullptr;
    QTextBrowser* m_text = nullptr;
};

} // namespace kt
