// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/dialogs/FileDialog.h"

#include <QFileDialog>
#include <optional>
#include <utility>

namespace kt {
namespace {

QStringList& nextNames() {
    static QStringList names;
    return names;
}

QStringList& answeredCaptions() {
    static QStringList captions;
    return captions;
}

std::optional<QString> takeNext(const QString& caption) {
    if (nextNames().isEmpty())
        return std::nullopt;
    answeredCaptions().append(caption);
    return nextNames().takeFirst();
}

} // namespace

QString FileDialog::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) {
    if (const auto next = takeNext(caption))
        return *next;
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QStringList FileDialog::openFileNames(QWidget* parent, const QString& caption,
                                      const QString& folder, const QString& filter) {
    if (const auto next = takeNext(caption))
        return next->split(u'\n', Qt::SkipEmptyParts);
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
}

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                 const QString& filter) {
    if (const auto next = takeNext(caption))
        return *next;
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

QString FileDialog::existingFolder(QWidget* parent, const QString& caption, const QString& folder) {
    if (const auto next = takeNext(caption))
        return *next;
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

void FileDialog::setNextFileName(const QString& path) {
    nextNames().append(path);
}

QStringList FileDialog::takeCaptions() {
    return std::exchange(answeredCaptions(), {});
}

} // namespace kt
