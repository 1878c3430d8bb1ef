// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the questions part.
#include "teacher/gui/QuestionsPart.h"

#include "teacher/gui/QuestionForm.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <functional>

namespace kt {
namespace {

QAction* makeAction(QObject* parent, const QString& name, const QString& text,
                    const QKeySequence& keys = QKeySequence(),
                    QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    if (icon != QStyle::SP_CustomBase)
        action->setIcon(qobject_cast<QWidget*>(parent)->style()->standardIcon(icon));
    return action;
}

} // namespace

void QuestionsPart::buildActions() {
    auto file = [this](const QString& name, const QString& text, const QKeySequence& keys,
                       QStyle::StandardPixmap icon, void (QuestionsPart::*slot)()) {
        QAction* a = makeAction(this, name, text, keys, icon);
        connect(a, &QAction::triggered, this, slot);
        m_fileActions << a;
    };
    file(QStringLiteral("actionNew"), QStringLiteral("&Создать"), QKeySequence::New,
         QStyle::SP_FileIcon, &QuestionsPart::newBank);
    file(QStringLiteral("actionOpen"), QStringLiteral("&Открыть…"), QKeySequence::Open,
         QStyle::SP_DialogOpenButton, &QuestionsPart::openBank);
    QAction* save = makeAction(this, QStringLiteral("actionSave"), QStringLiteral("Со&хранить"),
                               QKeySequence::Save, QStyle::SP_DialogSaveButton);
    connect(save, &QAction::triggered, this, [this] { saveBank(); });
    QAction* saveAs = makeAction(this, QStringLiteral("actionSaveAs"),
                                 QStringLiteral("Сохранить &как…"), QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, [this] { saveBankAs(); });
    m_fileActions << save << saveAs;
    file(QStringLiteral("actionImport"), QStringLiteral("&Импорт из таблицы…"), QKeySequence(),
         QStyle::SP_CustomBase, &QuestionsPart::importTable);
    file(QStringLiteral("actionExport"), QStringLiteral("&Экспорт…"), QKeySequence(),
         QStyle::SP_CustomBase, &QuestionsPart::exportTable);
    file(QStringLiteral("actionTestSettings"), QStringLiteral("&Параметры теста…"),
         QKeySequence(Qt::CTRL | Qt::Key_T), QStyle::SP_FileDialogDetailedView,
         &QuestionsPart::editTestSettings);

    QAction* undo = m_doc.undoStack()->createUndoAction(this, QStringLiteral("&Отменить"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    QAction* redo = m_doc.undoStack()->createRedoAction(this, QStringLiteral("&Повторить"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    redo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    QAction* find = makeAction(this, QStringLiteral("actionFind"), QStringLiteral("&Найти"),
                               QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });
    m_editActions << undo << redo << find;

    auto question = [this](const QString& name, const QString& text, const QKeySequence& keys,
                           QStyle::StandardPixmap icon, const std::function<void(int)>& run) {
        QAction* a = makeAction(this, name, text, keys, icon);
        connect(a, &QAction::triggered, this, [this, run] { run(currentRow()); });
        m_questionActions << a;
    };
    question(QStringLiteral("actionAdd"), QStringLiteral("&Добавить вопрос"),
             QKeySequence(Qt::Key_Insert), QStyle::SP_FileDialogNewFolder, [this](int row) {
                 m_doc.addRecord(row);
                 m_form->focusField(FieldQuestion);
             });
    question(QStringLiteral("actionDuplicate"), QStringLiteral("Д&ублировать вопрос"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), QStyle::SP_CustomBase,
             [this](int row) {
                 if (row >= 0)
                     m_doc.duplicateRecord(row);
             });
    question(QStringLiteral("actionDelete"), QStringLiteral("&Удалить вопрос"),
             QKeySequence(Qt::Key_Delete), QStyle::SP_TrashIcon, [this](int row) {
                 if (row >= 0)
                     m_doc.removeRecord(row);
             });
    question(QStringLiteral("actionMoveUp"), QStringLiteral("&Выше"),
             QKeySequence(Qt::ALT | Qt::Key_Up), QStyle::SP_ArrowUp,
             [this](int row) { m_doc.moveRecord(row, -1); });
    question(QStringLiteral("actionMoveDown"), QStringLiteral("&Ниже"),
             QKeySequence(Qt::ALT | Qt::Key_Down), QStyle::SP_ArrowDown,
             [this](int row) { m_doc.moveRecord(row, +1); });
    // Short labels for the tool bar; the menus show the full ones.
    const std::pair<const char*, const char*> kShort[] = {
        {"actionAdd", "Добавить"},
        {"actionDelete", "Удалить"},
        {"actionUndo", "Отменить"},
        {"actionRedo", "Повторить"},
        {"actionTestSettings", "Параметры теста"}};
    for (const auto& [name, text] : kShort)
        action(QString::fromLatin1(name))->setIconText(QString::fromUtf8(text));
    for (QAction* a : m_fileActions + m_editActions + m_questionActions) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    updateActions();
}

void QuestionsPart::updateActions() {
    const int row = currentRow();
    action(QStringLiteral("actionDuplicate"))->setEnabled(row >= 0);
    action(QStringLiteral("actionDelete"))->setEnabled(row >= 0);
    action(QStringLiteral("actionMoveUp"))->setEnabled(row > 0);
    action(QStringLiteral("actionMoveDown"))->setEnabled(row >= 0 && row + 1 < m_doc.size());
}

QAction* QuestionsPart::action(const QString& objectName) const {
    for (QAction* a : m_fileActions + m_editActions + m_questionActions)
        if (a->objectName() == objectName)
            return a;
    return nullptr;
}

QList<QAction*> QuestionsPart::toolbarActions() const {
    QList<QAction*> list;
    for (const char* name :
         {"actionNew", "actionOpen", "actionSave", "actionUndo", "actionRedo", "actionAdd",
          "actionDelete", "actionMoveUp", "actionMoveDown", "actionTestSettings"})
        list << action(QString::fromLatin1(name));
    return list;
}

} // namespace kt
