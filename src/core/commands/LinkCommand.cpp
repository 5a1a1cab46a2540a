// "/link": opening web addresses in the user's browser. The text often comes
// from the network (clickable addresses in received lines), so only web and
// mail addresses are opened; a program or a file is never started.
#include "commands/CommandHandlers.h"
#include "conversation/Shell.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/TextClass.h"
#include "text/Words.h"

namespace {

bool StartsWithAscii(const std::string &text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && EqualIgnoringAsciiCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

bool HasControlBytes(const std::string &text)
{
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            return true;
    }
    return false;
}

} // namespace

namespace Commands {

std::string LinkAddress(const std::string &text)
{
    if (text.empty() || HasControlBytes(text))
        return std::string();
    if (StartsWithAscii(text, "www."))
        return "http://" + text;
    for (std::string_view scheme : {"http://", "https://", "ftp://", "mailto:"}) {
        if (StartsWithAscii(text, scheme) && text.size() > scheme.size())
            return text;
    }
    return std::string();
}

int Link(Session &session, const std::string &window, const std::string &line)
{
    if (CountWords(line) < 2)
        return 1;
    const std::string text = GetRest(line, 2);
    const std::string address = LinkAddress(text);
    if (address.empty()) {
        session.PrintTo(window, TextClass::Error, Strings::Format(Str::LinkRefused, text.c_str()));
        return 1;
    }
    if (Shell *shell = session.GetShell())
        shell->OpenLink(address);
    return 1;
}

} // namespace Commands
