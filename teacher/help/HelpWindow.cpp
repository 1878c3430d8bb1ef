// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/help/HelpWindow.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QTextBrowser>
#include <QUrl>

namespace kt {

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_chapters(guideChapters(folder)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Руководство учителя"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("chapters"));
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("chapterText"));
    m_text->setOpenExternalLinks(true);
    for (const GuideChapter& c : m_chapters)
        m_list->addItem(c.title);
    m_list->setMaximumWidth(m_list->sizeHintForColumn(0) + 40);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_text, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, &HelpWindow::showChapter);
    resize(980, 700);
    if (m_chapters.empty())
        m_text->setPlainText(
            QStringLiteral("Руководство не найдено: файлы справки не установлены. Они входят в "
                           "пакет knowtest и лежат в /usr/share/doc/knowtest/guide/."));
    else
        m_list->setCurrentRow(0);
}

void HelpWindow::showChapter(int index) {
    if (index < 0 || index >= static_cast<int>(m_chapters.size()))
        return;
    if (m_list->currentRow() != index)
        m_list->setCurrentRow(index);
    m_text->setSource(QUrl::fromLocalFile(m_chapters[static_cast<size_t>(index)].path),
                      QTextDocument::MarkdownResource);
}

} // namespace kt
