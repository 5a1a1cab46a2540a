#pragma once

#include <string>

#include "conversation/Conversation.h"

// What a line typed into a conversation window's input line asks for, decided
// apart from the window that carries it out: nothing here sends or prints.
//
//   ""              Nothing
//   anything        DccChat in a DCC chat window, "/me waves" too
//   "/join #a"      Command: the line as typed, number the window kind
//   "//x", "hi"     Message: "/msg <window> //x", number 0
//   "hi" in status  RefusedInStatus: the status window has no one to talk to
//
// The text keeps its formatting bytes; it is not changed on its way.
struct TypedLine
{
    enum class Meaning { Nothing, DccChat, Command, Message, RefusedInStatus };

    // The window the line was typed into.
    struct Window
    {
        std::string name;
        Conversation::WindowKind kind = Conversation::KindView;
        bool isStatus = false;
        bool isDccChat = false; // it has a DCC connection and is not named as its session
    };

    Meaning meaning = Meaning::Nothing;
    // For Command and Message: the line for the session's Command and its number.
    std::string commandLine;
    int number = 0;

    static TypedLine Of(const std::string &text, const Window &window);
};
