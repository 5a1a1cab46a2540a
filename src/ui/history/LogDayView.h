#pragma once

#include <QWidget>

struct LogFound;
class QPlainTextEdit;

// A day's log of one window, read-only, opened at a found line (marked):
// what the find-everywhere window opens when the line's window is not open
// or no longer shows the line.
class LogDayView : public QWidget
{
    Q_OBJECT

public:
    explicit LogDayView(const LogFound &found, QWidget *parent = nullptr);

    QPlainTextEdit *Text() const { return m_text; }
    // The line (counted from 0) the view was opened at.
    int FoundLine() const { return m_foundLine; }

private:
    void MarkLine(int line);

    QPlainTextEdit *m_text;
    int m_foundLine = 0;
};
