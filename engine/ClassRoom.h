// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ClassSettings.h"

#include <QString>

namespace kt {

// This PC's place in a class: which files it writes, which names the class
// list allows, and the identifiers of its tests.
class ClassRoom {
public:
    // `pc` is the host name already made safe for a file name.
    ClassRoom(ClassSettings settings, QString pc, const QString& workingReportPath);

    const ClassSettings& settings() const { return m_settings; }
    const QString& pc() const { return m_pc; }
    bool hasFolder() const { return !m_settings.folder.isEmpty(); }
    // The class folder's TestData-PC.dat, or the working one without a folder.
    const QString& reportPath() const { return m_reportPath; }
    // Answers-PC.csv in the folder, or Answers.csv beside TestData.dat.
    const QString& answersPath() const { return m_answersPath; }
    // Empty without a folder.
    const QString& statusPath() const { return m_statusPath; }

    // The listed name the typed one stands for (case and spaces aside), or
    // an empty text when the list does not hold it.
    QString ListedName(const QString& typed) const;
    // Why the class folder cannot be used now; empty when it can.
    QString FolderProblem() const;
    // A fresh identifier for a finished test.
    QString NextTestId(const QString& date, const QString& time);

private:
    ClassSettings m_settings;
    QString m_pc;
    QString m_reportPath;
    QString m_answersPath;
    QString m_statusPath;
    int m_finished = 0;
};

} // namespace kt
