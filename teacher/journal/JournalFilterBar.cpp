// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/JournalFilterBar.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <set>

namespace kt {
namespace {

// The earliest date of the editors stands for "no limit".
const QDate kNoLimit(2000, 1, 1);

void fillChoice(QComboBox* box, const std::set<int>& values) {
    const QVariant current = box->currentData();
    const QSignalBlocker block(box);
    box->clear();
    box->addItem(QStringLiteral("все"), -1);
    for (int v : values)
        box->addItem(QString::number(v), v);
    const int at = box->findData(current);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

void fillTitles(QComboBox* box, QStringList titles) {
    const QString current = box->currentData().toString();
    const QSignalBlocker block(box);
    box->clear();
    box->addItem(QStringLiteral("все"), QString());
    titles.sort(Qt::CaseInsensitive);
    for (const QString& t : titles)
        box->addItem(t, t);
    const int at = box->findData(current);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

} // namespace

JournalFilterBar::JournalFilterBar(QWidget* parent) : QWidget(parent) {
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameFilter"));
    m_name->setPlaceholderText(QStringLiteral("Часть имени"));
    m_name->setClearButtonEnabled(true);
    connect(m_name, &QLineEdit::textChanged, this, &JournalFilterBar::changed);
    m_from = addDate(QStringLiteral("fromDate"));
    m_to = addDate(QStringLiteral("toDate"));
    m_bankSize = addChoice(QStringLiteral("bankSizeFilter"));
    m_count = addChoice(QStringLiteral("countFilter"));
    m_title = addChoice(QStringLiteral("titleFilter"));
    m_title->setItemData(0, QString());
    auto* resetButton = new QPushButton(QStringLiteral("Сбросить"), this);
    resetButton->setObjectName(QStringLiteral("resetFilter"));
    connect(resetButton, &QPushButton::clicked, this, &JournalFilterBar::reset);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Ученик:")));
    row->addWidget(m_name, 2);
    row->addWidget(new QLabel(QStringLiteral("Дата с")));
    row->addWidget(m_from);
    row->addWidget(new QLabel(QStringLiteral("по")));
    row->addWidget(m_to);
    row->addWidget(new QLabel(QStringLiteral("Вопросов в базе:")));
    row->addWidget(m_bankSize);
    row->addWidget(new QLabel(QStringLiteral("в тесте:")));
    row->addWidget(m_count);
    row->addWidget(new QLabel(QStringLiteral("Название:")));
    row->addWidget(m_title);
    row->addWidget(resetButton);
}

QDateEdit* JournalFilterBar::addDate(const QString& name) {
    auto* edit = new QDateEdit(this);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(kNoLimit);
    edit->setSpecialValueText(QStringLiteral("не задано"));
    edit->setDate(kNoLimit);
    connect(edit, &QDateEdit::dateChanged, this, &JournalFilterBar::changed);
    edit->calendarWidget()->installEventFilter(this);
    return edit;
}

QComboBox* JournalFilterBar::addChoice(const QString& name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->addItem(QStringLiteral("все"), -1);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(box, &QComboBox::currentIndexChanged, this, &JournalFilterBar::changed);
    return box;
}

JournalFilter JournalFilterBar::filter() const {
    JournalFilter f;
    f.name = m_name->text().trimmed();
    f.from = m_from->date() == kNoLimit ? QDate() : m_from->date();
    f.to = m_to->date() == kNoLimit ? QDate() : m_to->date();
    f.bankSize = m_bankSize->currentData().toInt();
    f.count = m_count->currentData().toInt();
    f.title = m_title->currentData().toString();
    return f;
}

void JournalFilterBar::setChoices(const JournalData& journal) {
    std::set<int> sizes;
    std::set<int> counts;
    m_first = m_last = QDate();
    for (const JournalRow& r : journal.rows()) {
        sizes.insert(r.bankSize);
        counts.insert(r.count);
        if (r.date.isValid() && (!m_first.isValid() || r.date < m_first))
            m_first = r.date;
        if (r.date.isValid() && r.date > m_last)
            m_last = r.date;
    }
    fillChoice(m_bankSize, sizes);
    fillChoice(m_count, counts);
    fillTitles(m_title, journal.titles());
}

bool JournalFilterBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && m_last.isValid())
        for (QDateEdit* edit : {m_from, m_to})
            if (watched == edit->calendarWidget() && edit->date() == kNoLimit) {
                const QDate shown = edit == m_from ? m_first : m_last;
                edit->calendarWidget()->setCurrentPage(shown.year(), shown.month());
            }
    return QWidget::eventFilter(watched, event);
}

void JournalFilterBar::reset() {
    {
        const QSignalBlocker a(m_name), b(m_from), c(m_to), d(m_bankSize), e(m_count), t(m_title);
        m_name->clear();
        m_from->setDate(kNoLimit);
        m_to->setDate(kNoLimit);
        m_bankSize->setCurrentIndex(0);
        m_count->setCurrentIndex(0);
        m_title->setCurrentIndex(0);
    }
    emit changed();
}

} // namespace kt
