// Tab completion of nicks, channels and commands in the input line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "conversation/Conversation.h"

// What Tab completion needs to know of the conversation window that owns an
// input line. The frame implements it over its conversation (window type,
// name) and its nick list.
class CompletionSource
{
public:
    virtual ~CompletionSource() = default;
    virtual Conversation::WindowType WindowType() const = 0;
    virtual std::string WindowName() const = 0;
    virtual int NickCount() const = 0;
    // The member's entry as listed, possibly with a status character ('@', '%', '+').
    virtual std::string NickEntry(int index) const = 0;
    // Whether nick (without status character) is a member or, in a private
    // window, the partner; case aside. By default a walk through the entries.
    virtual bool HasNick(const std::string &nick) const;
    // The command words the partner of a private window understands (a
    // bouncer's "*status"); none for a person.
    virtual const std::vector<std::string> &CommandWords() const
    {
        static const std::vector<std::string> none;
        return none;
    }
};

// Tab completion of one input line, per window type:
// - private window: with the caret at the end of the IRC text, the window
//   name and a blank are appended; in the window of a partner with command
//   words (a bouncer), the last word is completed with them as a channel's
//   is with its members;
// - status window: with the caret at the start, the line becomes "/quote ";
// - channel window: the last word is completed with the members whose nick
//   begins with it, one further member per Tab, in list order; after the last
//   match the line the user typed comes back.
class InputCompletion
{
public:
    // The input line as Complete sees it and leaves it. Caret positions count
    // characters of the plain text.
    struct Line
    {
        std::string plain; // visible text
        std::string codes; // the same with IRC formatting bytes
        int caret = 0;
    };

    // Runs one Tab. Returns true and fills result when the line changes: its
    // codes are the new line with formatting bytes and its caret is -1, the
    // end of the line.
    bool Complete(const CompletionSource &source, const Line &line, Line &result);

    // Any other key makes the next Tab start a new completion.
    void Reset() { m_fresh = true; }
    bool IsFresh() const { return m_fresh; }

private:
    // The last word completed with the candidates whose beginning it is, one further per Tab.
    bool CompleteWord(int count, const std::function<std::string(int)> &candidate, const Line &line, Line &result);

    bool m_fresh = true;
    int m_index = 0;
    int m_caret = 0;
    std::string m_wordSource;
    std::string m_savedLine;
};
