// The question a paste of several lines asks before anything is sent.
#pragma once

class QWidget;

// Asks, in a modal message box over parent, what to do with a pasted text
// of several lines: send them as that many lines (the session paces them),
// join them into one line in the input line, or nothing.
class PasteQuestion
{
public:
    enum class Answer { SendLines, JoinLines, Cancel };
    static Answer Ask(QWidget *parent, int lines);
};
