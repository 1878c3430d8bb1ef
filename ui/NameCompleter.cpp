// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NameCompleter.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStringListModel>

namespace kt {
namespace {

bool beginsAWord(const QStringList& words, const QString& part) {
    for (const QString& w : words)
        if (w.startsWith(part, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

NameCompleter::NameCompleter(QStringList names, QLineEdit* box)
    : QCompleter(box), m_names(std::move(names)), m_shown(new QStringListModel(this)) {
    setModel(m_shown);
    // The list is filtered here, by words; the completer only shows it.
    setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCaseSensitivity(Qt::CaseInsensitive);
    setMaxVisibleItems(8);
    box->setCompleter(this);
    connect(box, &QLineEdit::textEdited, this, &NameCompleter::refilter);
}

QStringList NameCompleter::matching(const QStringList& names, const QString& typed) {
    const QStringList parts = typed.split(u' ', Qt::SkipEmptyParts);
    QStringList out;
    if (parts.isEmpty())
        return out;
    for (const QString& name : names) {
        const QStringList words = name.split(u' ', Qt::SkipEmptyParts);
        bool all = true;
        for (const QString& p : parts)
            all = all && beginsAWord(words, p);
        if (all)
            out << name;
    }
    return out;
}

void NameCompleter::refilter(const QString& typed) {
    const QStringList shown = matching(m_names, typed);
    m_shown->setStringList(shown);
    if (shown.isEmpty() || (shown.size() == 1 && shown.front() == typed))
        popup()->hide();
    else
        complete();
}

} // namespace kt
