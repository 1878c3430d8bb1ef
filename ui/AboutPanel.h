// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace kt {

// The About panel: the program's name and who made it. It is 529 x 249; the
// window places it.
class AboutPanel : public QFrame {
    Q_OBJECT
public:
    // The centred program line keeps its padding spaces: seven before the
    // name, six after it.
    static const QString kProgramLine;
    static const QString kCreditLabel;
    static const QString kDeveloper;
    static const QString kWebAddress;

    explicit AboutPanel(QWidget* parent = nullptr);

    QLabel* programLabel() const { return m_program; }
    QWidget* creditStrip() const { return m_strip; }
    QLabel* creditLabel() const { return m_credit; }
    QLabel* developerLabel() const { return m_developer; }
    QLabel* addressLabel() const { return m_address; }
    QPushButton* okButton() const { return m_ok; }

signals:
    void okClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildProgramLine();
    void buildCredits();

    QLabel* m_program = nullptr;
    QWidget* m_strip = nullptr;
    QLabel* m_credit = nullptr;
    QLabel* m_developer = nullptr;
    QLabel* m_address = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace kt
