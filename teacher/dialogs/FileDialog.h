// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kt {

// The teacher's program picks files through these dialogs only. A test sets
// the next choice; the dialog is then not shown. An empty choice is the
// teacher's «Отмена».
class FileDialog {
public:
    static QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter);
    static QStringList openFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                const QString& filter);
    // An existing folder, as the shared class folder is picked.
    static QString existingFolder(QWidget* parent, const QString& caption, const QString& folder);

    // The choice of the next dialog, in order; each is used once. For a
    // dialog that picks several files, the names are split at new lines.
    static void setNextFileName(const QString& path);
    // The same for a folder chooser; choices of both kinds share one queue.
    static void setNextFolder(const QString& path) { setNextFileName(path); }
    // The captions of the dialogs answered that way since the last call.
    static QStringList takeCaptions();
};

} // namespace kt
