#include "commands/CommandDispatcher.h"

#include <vector>

#include "commands/CommandHandlers.h"
#include "conversation/Conversation.h"
#include "conversation/ScriptHost.h"
#include "conversation/Shell.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

using HandlerFunction = int (*)(Session &session, const std::string &window, const std::string &line);

struct CommandEntry
{
    const char *word;
    HandlerFunction handler;
};

int Dcc(Session &session, const std::string &window, const std::string &line)
{
    Shell *shell = session.GetShell();
    return shell ? shell->DccCommand(session, window, line) : 0;
}

// The built-in commands in the order they are compared. "/close" is not
// among them: it may destroy the session, so CommandDispatcher::Run runs it
// before anything else.
const CommandEntry kCommands[] = {
    {"/connect", Commands::Server},
    {"/server", Commands::Server},
    {"/quit", Commands::Quit},
    {"/nick", Commands::Nick},
    {"/reguser", Commands::RegUser},
    {"/search", Commands::Search},
    {"/join", Commands::Join},
    {"/msg", Commands::Msg},
    {"/notice", Commands::Notice},
    {"/debug", Commands::Debug},
    {"/query", Commands::Query},
    {"/servermsg", Commands::Quote},
    {"/quote", Commands::Quote},
    {"/help", Commands::Help},
    {"/timer", Commands::Timer},
    {"/who", Commands::Who},
    {"/whois", Commands::Whois},
    {"/mode", Commands::Mode},
    {"/load", Commands::Load},
    {"/unload", Commands::Unload},
    {"/dcc", Dcc},
    {"/ignore", Commands::Ignore},
    {"/link", Commands::Link},
    {"/topic", Commands::Topic},
    {"/away", Commands::Away},
    {"/action", Commands::Action},
    {"/favorite", Commands::Favorite},
    {"/reconnect", Commands::Reconnect},
};

const CommandEntry *FindCommand(const std::string &word)
{
    for (const CommandEntry &entry : kCommands) {
        if (EqualIgnoringAsciiCase(word, entry.word))
            return &entry;
    }
    return nullptr;
}

// A command line ends at the first CR, LF or NUL: nothing after one may
// reach a handler, a script or the server.
std::string UsablePart(const std::string &line)
{
    const size_t end = line.find_first_of(std::string("\r\n\0", 3));
    return end == std::string::npos ? line : line.substr(0, end);
}

// Step 5: every script loaded in the issuing window sees the line, built-in
// or not; one that takes it makes the line handled and done.
bool OfferToScripts(Session &session, const std::string &window, const std::string &line)
{
    ScriptHost *host = CommandDispatcher::ScriptHostOf(session);
    if (!host || window.empty())
        return false;
    Conversation *conversation = session.FindWindow(window);
    if (!conversation)
        return false;
    std::vector<std::string> names;
    for (const auto &script : conversation->Scripts())
        names.push_back(script.first);

    bool taken = false;
    for (const std::string &name : names) {
        // A script may close its window or unload a script while it runs.
        conversation = session.FindWindow(window);
        if (!conversation)
            break;
        if (!conversation->Scripts().count(name))
            continue;
        if (host->OfferCommand(*conversation, name, line))
            taken = true;
    }
    return taken;
}

} // namespace

int CommandDispatcher::Run(Session &session, const std::string &window, int kind, const std::string &rawLine)
{
    (void)kind; // the issuing window's panes do not change what a command does
    const std::string line = UsablePart(rawLine);
    const std::string word = GetWord(line, 1);

    if (EqualIgnoringAsciiCase(word, "/close")) {
        session.Log("Command: %s, return: %d", line.c_str(), 1);
        return Commands::Close(session, window, line);
    }

    int handled = 1;
    int result = 0;
    if (const CommandEntry *entry = FindCommand(word))
        result = entry->handler(session, window, line);
    else
        handled = 0;

    if (OfferToScripts(session, window, line)) {
        handled = 1;
        result = 1;
    }

    if (!handled) {
        session.Log("Command: %s - NOT SUPPORTED", word.c_str());
        session.PrintTo(window, TextClass::Error, Strings::Format(Str::UnknownCommand, word.c_str()));
        session.PrintTo(window, TextClass::Info, Strings::Get(Str::HelpCommandHint));
    }
    session.Log("Command: %s, return: %d", line.c_str(), result);
    session.RecordCommand(line, result);
    if (handled && !result)
        session.PrintTo(window, TextClass::Info, Strings::Format(Str::CommandMisused, word.c_str()));
    return result;
}

ScriptHost *CommandDispatcher::ScriptHostOf(const Session &session)
{
    Shell *shell = session.GetShell();
    return shell ? shell->Scripts() : nullptr;
}
