// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NameCompleter.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStringListModel>

namespace kt {
namespace {

// Names are typed with "е" for "ё" as often as not.
QString folded(QString text) {
    return text.replace(u'ё', u'е').replace(u'Ё', u'Е');
}

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
    // Not the box's own completer: that one would filter the list again by
    // its beginning and overwrite the text while the student moves through it.
    setWidget(box);
    connect(box, &QLineEdit::textEdited, this, &NameCompleter::refilter);
    connect(this, qOverload<const QString&>(&QCompleter::activated), box, &QLineEdit::setText);
}

QStringList NameCompleter::matching(const QStringList& names, const QString& typed) {
    const QStringList parts = folded(typed).split(u' ', Qt::SkipEmptyParts);
    QStringList out;
    if (parts.isEmpty())
        return out;
    for (const QString& name : names) {
        const QStringList words = folded(name).split(u' ', Qt::SkipEmptyParts);
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
    if (shown != m_shown->stringList())
        m_shown->setStringList(shown);
    if (shown.isEmpty() || (shown.size() == 1 && shown.front() == typed))
        popup()->hide();
    else if (!popup()->isVisible()) // shown again, it would take the keys' grab away
        complete();
}

} // namespace kt
