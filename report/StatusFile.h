// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace kt {

// What one PC of a class is doing, as its status file tells the teacher.
struct PcStatus {
    QString pc;
    QString student;
    QString title;
    QString state; // "start", "testing" or "result"
    int answered = 0;
    int total = 0;
    int right = 0;
    int wrong = 0;
    QString timeLeft;  // the time panel's text
    QDateTime written; // UTC
};

// The file's JSON text (UTF-8).
QByteArray statusJson(const PcStatus& status);
// nullopt for a text that is not a status (a file cut short, another file).
std::optional<PcStatus> parseStatusJson(const QByteArray& bytes);

// Replaces the file at once: written beside it under another name, then
// renamed over it, so a reader never sees half a status. Returns false on
// any failure; the caller goes on without it.
bool writeStatusFile(const QString& path, const PcStatus& status);

// Every readable status in the class folder's status folder, by PC name.
std::vector<PcStatus> readClassStatuses(const QString& classFolder);

} // namespace kt
