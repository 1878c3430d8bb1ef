// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/ClassStatusModel.h"
#include "teacher/journal/JournalModel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTimer;

namespace kt {

// The journal's «Класс» view: a class folder opened, the live status of every
// PC and the results as they arrive, merged from every TestData-*.dat in it.
// The folder is read again every two seconds: on a network folder, the
// system's file-change notices never hear of what other machines write.
class ClassPage : public QWidget {
    Q_OBJECT
public:
    explicit ClassPage(QWidget* parent = nullptr);

    void openFolder(const QString& folder);
    // One poll of the folder, as the timer runs it.
    void refresh();

    ClassStatusModel* statusModel() const { return m_status; }
    JournalModel* results() const { return m_results; }
    // The results as the view shows them: of the chosen title only.
    JournalProxy* shownResults() const { return m_resultsShown; }
    QTimer* pollTimer() const { return m_timer; }

private:
    void chooseFolder();
    void updateTitles();
    void reloadResultsIfChanged();

    ClassStatusModel* m_status;
    JournalModel* m_results;
    JournalProxy* m_resultsShown;
    QLabel* m_folderLabel;
    QComboBox* m_titles;
    QTimer* m_timer;
    QString m_folder;
    // The report files' names, sizes and times when they were last read.
    QStringList m_readSignature;
};

} // namespace kt
