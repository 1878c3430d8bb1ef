// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kt {

// The report viewer: the whole report file in a read-only box. The window
// reads and decodes the file; the viewer shows what it is given, each line of
// the text one line of the box. The viewer is 433 x 449; the window places it.
class ReportViewer : public QFrame {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);

    // Clears the box, then loads the text into it, scrolled to its start.
    // CR LF, a lone CR or a lone LF ends a line.
    void setReportText(const QString& text);
    // The text the box shows, its lines joined by LF.
    QString reportText() const;

    QPlainTextEdit* textBox() const { return m_text; }
    QPushButton* closeButton() const { return m_close; }

signals:
    void closeClicked();

private:
    void buildTextBox();

    QLabel* m_heading;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_close;
};

} // namespace kt
