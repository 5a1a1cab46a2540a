#include "conversation/TypedLine.h"

namespace {

// "/" followed by anything but a second "/" (a lone "/" too).
bool IsCommandText(const std::string &text)
{
    return text[0] == '/' && (text.size() < 2 || text[1] != '/');
}

} // namespace

TypedLine TypedLine::Of(const std::string &text, const Window &window)
{
    TypedLine line;
    if (text.empty())
        return line;
    if (window.isDccChat) {
        line.meaning = Meaning::DccChat;
        return line;
    }
    if (IsCommandText(text)) {
        line.meaning = Meaning::Command;
        line.commandLine = text;
        line.number = window.kind;
        return line;
    }
    if (window.isStatus) {
        line.meaning = Meaning::RefusedInStatus;
        return line;
    }
    line.meaning = Meaning::Message;
    line.commandLine = "/msg " + window.name + " " + text;
    return line;
}
