// What the server says it supports (its 005 replies) as far as the session
// needs it: how mode parameters are counted and the member statuses.
#include "session/Session.h"

#include "conversation/NickList.h"
#include "text/Words.h"

void Session::LearnSupport(const std::string &line)
{
    ModeRules modes = m_modes;
    const int count = CountWords(line);
    // ":server 005 nick TOKEN... :are supported by this server"
    for (int n = 4; n <= count; ++n) {
        const std::string token = GetWord(line, n);
        if (!token.empty() && token[0] == ':')
            break;
        const size_t equals = token.find('=');
        const std::string name = token.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : token.substr(equals + 1);
        if (name == "PREFIX")
            modes.SetPrefix(value);
        else if (name == "-PREFIX")
            modes.ResetPrefix();
        else if (name == "CHANMODES")
            modes.SetChannelModes(value);
        else if (name == "-CHANMODES")
            modes.ResetChannelModes();
    }
    UseModes(modes);
}

void Session::UseModes(const ModeRules &modes)
{
    m_modes = modes;
    for (const auto &entry : m_windows)
        entry.second->Nicks().SetStatuses(m_modes);
}
